#include "zolv.h"
#include "ZolvFiles.h"

#include <gtest/gtest.h>

namespace {

class Zolv : public ::testing::Test {
protected:
    std::string src = Name("src"), packed = Name("packed"), back = Name("back");
    static std::string Name(const char* what)
    {
        return std::string("zolv_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + what;
    }
    void TearDown() override
    {
        for (auto* p : {&src, &packed, &back})
            remove(p->c_str());
    }
};

TEST_F(Zolv, RoundTripsLargePictureAndEmptyFile)
{
    for (const auto& data : {MakePicture(1600, 1200), std::vector<unsigned char>{}}) {
        WriteAll(src, data);
        remove(packed.c_str());
        remove(back.c_str());
        ASSERT_EQ(ZolvCompress(src.c_str(), packed.c_str()), 1);
        if (!data.empty()) {
            EXPECT_LT(ReadAll(packed).size(), data.size());
        }
        ASSERT_EQ(ZolvExpand(packed.c_str(), back.c_str()), 1);
        EXPECT_TRUE(ReadAll(back) == data);
    }
}

TEST_F(Zolv, RefusesDamagedInputAndLeavesNoOutput)
{
    WriteAll(src, MakePicture(300, 200));
    ASSERT_EQ(ZolvCompress(src.c_str(), packed.c_str()), 1);
    const std::vector<unsigned char> good = ReadAll(packed);
    ASSERT_GT(good.size(), 64u);

    struct Damage { const char* what; std::vector<unsigned char> bytes; };
    std::vector<Damage> cases;
    auto flip = [&](size_t at) { auto d = good; d[at] ^= 0x5A; return d; };
    cases.push_back({"wrong signature", flip(0)});
    cases.push_back({"wrong version", flip(4)});
    cases.push_back({"length too small", flip(8)});
    cases.push_back({"length too large", flip(12)});
    cases.push_back({"checksum", flip(16)});
    cases.push_back({"stream body", flip(good.size() / 2)});
    cases.push_back({"truncated body", {good.begin(), good.end() - 10}});
    cases.push_back({"truncated header", {good.begin(), good.begin() + 10}});
    cases.push_back({"empty", {}});
    auto trailing = good;
    trailing.push_back(0);
    cases.push_back({"trailing bytes", trailing});

    for (const Damage& c : cases) {
        WriteAll(packed, c.bytes);
        EXPECT_EQ(ZolvExpand(packed.c_str(), back.c_str()), 0) << c.what;
        EXPECT_FALSE(Exists(back)) << c.what;
    }
}

TEST_F(Zolv, MissingSourceFails)
{
    EXPECT_EQ(ZolvCompress("zolv_no_such_file", packed.c_str()), 0);
    EXPECT_FALSE(Exists(packed));
    EXPECT_EQ(ZolvExpand("zolv_no_such_file", back.c_str()), 0);
    EXPECT_FALSE(Exists(back));
}

}  // namespace

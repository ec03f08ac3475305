// Replacing a file through a temporary file: whole or not at all, one temporary per writer,
// none left behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <afxreplace.h>

namespace {

namespace fs = std::filesystem;

class ReplaceFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           (std::string("afx_replace_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  static std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static void Spit(const std::string& path, const std::string& data) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << data;
  }
  // The names in the folder, sorted.
  std::vector<std::string> Names() const {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir_)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
  }

  fs::path dir_;
};

BOOL WriteText(LPCTSTR path, const std::string& text) {
  FILE* f = std::fopen(path, "wb");
  if (f == NULL) return FALSE;
  const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace

TEST_F(ReplaceFileTest, WritesAnEmptyTemporaryOfItsOwnBesideTheTarget) {
  const std::string target = Path("board.vqd");
  Spit(target, "old");
  std::string seen;
  ASSERT_TRUE(AfxReplaceFile(target.c_str(), [&](LPCTSTR temp) -> BOOL {
    seen = temp;
    EXPECT_EQ(fs::path(target).parent_path(), fs::path(seen).parent_path());
    EXPECT_NE(fs::path(target).filename(), fs::path(seen).filename());
    EXPECT_TRUE(fs::exists(seen));
    EXPECT_EQ(0u, fs::file_size(seen));
    EXPECT_EQ("old", Slurp(target));  // the target stays whole while the new one is written
    return WriteText(temp, "new content");
  }));
  EXPECT_EQ("new content", Slurp(target));
  EXPECT_FALSE(fs::exists(seen));
  EXPECT_EQ(std::vector<std::string>{"board.vqd"}, Names());

  // A target in the current folder, named without any folder.
  const fs::path before = fs::current_path();
  fs::current_path(dir_);
  EXPECT_TRUE(AfxReplaceFileData("plain.txt", "abc", 3));
  fs::current_path(before);
  EXPECT_EQ("abc", Slurp(Path("plain.txt")));
  EXPECT_TRUE(AfxReplaceFileData(Path("empty.txt").c_str(), "", 0));
  EXPECT_EQ(0u, fs::file_size(Path("empty.txt")));
}

TEST_F(ReplaceFileTest, EveryFailureLeavesTheTargetAndNoTemporary) {
  const std::string target = Path("keep.txt");
  fs::create_directories(dir_ / "folder");
  struct Case {
    const char* what;
    std::string target;
    std::function<BOOL(LPCTSTR)> write;
  } cases[] = {
      {"the writer fails", target, [](LPCTSTR temp) { return WriteText(temp, "half") && FALSE; }},
      {"the writer removes its file", target, [](LPCTSTR temp) { return WriteText(temp, "x") && std::remove(temp) == 0; }},
      {"the target is a folder", Path("folder"), [](LPCTSTR temp) { return WriteText(temp, "x"); }},
      {"the folder does not exist", Path("none/keep.txt"), [](LPCTSTR temp) { return WriteText(temp, "x"); }},
      {"no target", "", [](LPCTSTR temp) { return WriteText(temp, "x"); }},
  };
  for (const Case& c : cases) {
    Spit(target, "old");
    EXPECT_FALSE(AfxReplaceFile(c.target.c_str(), c.write)) << c.what;
    EXPECT_EQ("old", Slurp(target)) << c.what;
    EXPECT_EQ((std::vector<std::string>{"folder", "keep.txt"}), Names()) << c.what;
    EXPECT_TRUE(fs::is_empty(dir_ / "folder")) << c.what;
  }
  // An exception from the writer reaches the caller, after the temporary is gone.
  EXPECT_THROW(AfxReplaceFile(target.c_str(),
                              [](LPCTSTR temp) -> BOOL {
                                WriteText(temp, "half");
                                throw std::runtime_error("disk gone");
                              }),
               std::runtime_error);
  EXPECT_EQ("old", Slurp(target));
  EXPECT_EQ((std::vector<std::string>{"folder", "keep.txt"}), Names());
}

// Writers that save the same file at once, as two programs or two threads do: each one lands
// whole or fails, a reader never sees a mixture, and no temporary stays behind.
TEST_F(ReplaceFileTest, WritersAtOnceEachLandWholeOrFail) {
  const std::string target = Path("shared.bin");
  const size_t kSize = 64 * 1024;
  const int kWriters = 4, kRounds = 15;
  std::atomic<int> landed{0};
  std::atomic<bool> done{false};
  std::atomic<int> mixed{0};
  std::vector<std::thread> threads;
  for (int w = 0; w < kWriters; w++) {
    threads.emplace_back([&, w] {
      const std::string chunk(4096, (char)('A' + w));
      for (int round = 0; round < kRounds; round++) {
        BOOL ok;
        if (round % 2) {
          const std::string all(kSize, (char)('A' + w));
          ok = AfxReplaceFileData(target.c_str(), all.data(), all.size());
        } else {
          // Written in pieces, with room for the other writers to run in between.
          ok = AfxReplaceFile(target.c_str(), [&](LPCTSTR temp) -> BOOL {
            FILE* f = std::fopen(temp, "wb");
            if (f == NULL) return FALSE;
            bool good = true;
            for (size_t n = 0; n < kSize && good; n += chunk.size()) {
              good = std::fwrite(chunk.data(), 1, chunk.size(), f) == chunk.size() && std::fflush(f) == 0;
              std::this_thread::yield();
            }
            return std::fclose(f) == 0 && good;
          });
        }
        if (ok) landed++;
      }
    });
  }
  std::thread reader([&] {
    while (!done) {
      const std::string now = Slurp(target);
      if (!now.empty() && (now.size() != kSize || now.find_first_not_of(now[0]) != std::string::npos)) mixed++;
    }
  });
  for (std::thread& t : threads) t.join();
  done = true;
  reader.join();
  EXPECT_EQ(0, mixed.load());
  EXPECT_GT(landed.load(), 0);
  const std::string last = Slurp(target);
  ASSERT_EQ(kSize, last.size());
  EXPECT_EQ(std::string::npos, last.find_first_not_of(last[0]));
  EXPECT_EQ(std::vector<std::string>{"shared.bin"}, Names());
}

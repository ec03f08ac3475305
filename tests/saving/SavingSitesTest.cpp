// Every place that saves a file through a temporary one, with writers saving the same file
// at once, as two programs or two windows do: each save lands whole or fails, the file is
// always one writer's whole content, and no temporary file stays behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "DibFormat.h"
#include "JpegCodec.h"
#include "JpegWriter.h"
#include "ZBFileSystem.h"
#include "yqByteStream.h"

namespace {

namespace fs = std::filesystem;

std::string Slurp(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const size_t kSize = 96 * 1024;
const COLORREF kColours[] = {RGB(220, 30, 30), RGB(30, 30, 220)};

// Bytes that tell their writer: all of one value.
std::string Content(int writer) { return std::string(kSize, (char)('A' + writer)); }

// The writer whose whole bytes the file holds, or -1.
int BytesWriter(const std::string& bytes)
{
  for (int w = 0; w < 2; w++)
    if (bytes == Content(w)) return w;
  return -1;
}

int Near(COLORREF a, COLORREF b)
{
  return std::abs(GetRValue(a) - GetRValue(b)) < 24 && std::abs(GetGValue(a) - GetGValue(b)) < 24 &&
         std::abs(GetBValue(a) - GetBValue(b)) < 24;
}

// The writer whose picture the JPEG file is, or -1.
int JpegWriter(const std::string& bytes)
{
  pictal::Bytes dib;
  if (!pictal::DecodeJpeg((const BYTE*)bytes.data(), bytes.size(), &dib)) return -1;
  for (int w = 0; w < 2; w++) {
    bool all = true;
    for (int y = 0; y < 256 && all; y += 15)
      for (int x = 0; x < 256 && all; x += 15) all = Near(pictal::DibGetColor(dib.data(), dib.size(), x, y), kColours[w]);
    if (all) return w;
  }
  return -1;
}

struct Site {
  const char* name;
  std::function<bool(const std::string& path, int writer)> save;
  std::function<int(const std::string& bytes)> whose;
};

std::vector<Site> Sites()
{
  static pictal::Bytes pictures[2];
  for (int w = 0; w < 2; w++) {
    pictal::CreateDib(256, 256, 24, &pictures[w]);
    for (int y = 0; y < 256; y++)
      for (int x = 0; x < 256; x++) pictal::DibSetColor(pictures[w].data(), pictures[w].size(), x, y, kColours[w]);
  }
  return {
      {"catalogue files",
       [](const std::string& path, int w) {
         const std::string c = Content(w);
         return yqReplaceFile(path.c_str(), c.data(), c.size());
       },
       BytesWriter},
      {"picture library files",
       [](const std::string& path, int w) {
         const std::string c = Content(w);
         return pictal::WriteFileReplacing(path.c_str(), (const BYTE*)c.data(), c.size());
       },
       BytesWriter},
      {"renderer files",
       [](const std::string& path, int w) {
         return ZBFileSystem::WriteWhole(path, [w](std::ostream& os) {
           const std::string c = Content(w);
           for (size_t n = 0; n < c.size(); n += 4096) {
             os.write(c.data() + n, 4096);
             os.flush();
             std::this_thread::yield();
           }
           return bool(os);
         });
       },
       BytesWriter},
      {"board pictures",
       [](const std::string& path, int w) {
         CString error;
         return WriteDibAsJpeg(pictures[w].data(), 90, CString(path.c_str()), &error) != FALSE;
       },
       JpegWriter},
  };
}

}  // namespace

TEST(SavingSites, WritersAtOnceEachLandWholeOrFail)
{
  const std::vector<Site> sites = Sites();
  for (const Site& site : sites) {
    const fs::path dir = fs::temp_directory_path() / (std::string("saving_sites_") + std::to_string(&site - sites.data()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string target = (dir / "target.dat").string();
    std::atomic<int> landed{0}, wrong{0};
    std::atomic<bool> done{false};
    std::vector<std::thread> writers;
    for (int w = 0; w < 2; w++)
      writers.emplace_back([&, w] {
        for (int round = 0; round < 12; round++)
          if (site.save(target, w)) landed++;
      });
    std::thread reader([&] {
      while (!done) {
        const std::string now = Slurp(target);
        if (!now.empty() && site.whose(now) < 0) wrong++;
      }
    });
    for (std::thread& t : writers) t.join();
    done = true;
    reader.join();
    EXPECT_GT(landed.load(), 0) << site.name;
    EXPECT_EQ(0, wrong.load()) << site.name;
    EXPECT_GE(site.whose(Slurp(target)), 0) << site.name;
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    EXPECT_EQ(std::vector<std::string>{"target.dat"}, names) << site.name;
    fs::remove_all(dir);
  }
}

// Object files as the favourites, palettes and catalogue paste read them, from bytes laid
// out here: with and without a thumbnail, cut short, with an unknown class.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "Dib.h"
#include "jvqFileHeader.h"
#include "jvqRectObject.h"
#include "jvqSolidFill.h"
#include "qvzObjectFileReader.h"

namespace {

void Put32(std::string& s, int32_t v) { s.append(reinterpret_cast<const char*>(&v), 4); }

// The record of a rectangle as the board writes it.
std::string RectRecord() {
  RECT rc = {100, 200, 700, 500};
  jvqRectObject rect(&rc, NULL, 0x311);
  rect.SetFill(new jvqSolidFill(RGB(10, 20, 30)));
  jvqFileHeader header;
  CMemFile mem;
  EXPECT_TRUE(rect.Store(&mem, &header));
  const DWORD n = (DWORD)mem.GetLength();
  BYTE* p = mem.Detach();
  std::string bytes(reinterpret_cast<const char*>(p), n);
  free(p);
  return bytes;
}

std::string Thumbnail() {
  CDib dib;
  EXPECT_TRUE(dib.Create(60, 60, 24));
  dib.SetColor(5, 5, RGB(255, 0, 0));
  return std::string(reinterpret_cast<const char*>(dib.GetBI()), dib.GetSize());
}

std::string Text(const char* s) {
  std::string out;
  Put32(out, (int32_t)strlen(s) + 1);
  out.append(s, strlen(s) + 1);
  return out;
}

std::string TempPath() {
  char dir[MAX_PATH], path[MAX_PATH];
  ::GetTempPath(MAX_PATH, dir);
  ::GetTempFileName(dir, "qzl", 0, path);
  return path;
}

struct Read {
  BOOL ok = FALSE;
  std::unique_ptr<jvqObject> object;
  std::unique_ptr<CDib> thumbnail;
  CString name = "untouched", comment = "untouched";
};

Read ReadBytes(const std::string& bytes) {
  const std::string path = TempPath();
  FILE* f = fopen(path.c_str(), "wb");
  fwrite(bytes.data(), 1, bytes.size(), f);
  fclose(f);
  Read r;
  jvqObject* object = reinterpret_cast<jvqObject*>(1);
  CDib* thumbnail = reinterpret_cast<CDib*>(1);
  r.ok = ReadObjectFile(path.c_str(), &object, NULL, &r.name, &r.comment, &thumbnail);
  r.object.reset(object);
  r.thumbnail.reset(thumbnail);
  ::DeleteFile(path.c_str());
  return r;
}

TEST(ObjectFileReader, WholeFilesAndTheirShortForms) {
  const std::string record = RectRecord(), thumb = Thumbnail();
  std::string head;
  Put32(head, 91530);
  std::string withThumb = head + "image";
  Put32(withThumb, (int32_t)thumb.size());
  withThumb += thumb;

  struct Case {
    const char* what;
    std::string bytes;
    BOOL ok;
    bool thumbnail;
    const char* name;
    const char* comment;
  } cases[] = {
      {"whole", withThumb + record + Text("\x90\x56\x8B\x4B" "1") + Text("memo"), TRUE, true,
       "\x90\x56\x8B\x4B" "1", "memo"},
      {"no marker", head + record + Text("n") + Text("c"), TRUE, false, "n", "c"},
      {"ends after the record", withThumb + record, TRUE, true, "", ""},
      {"name length past the end", withThumb + record + std::string("\xFF\xFF\x00\x00ab", 6), TRUE,
       true, "", ""},
      {"zero lengths", head + record + std::string(8, '\0'), TRUE, false, "", ""},
  };
  for (const Case& c : cases) {
    Read r = ReadBytes(c.bytes);
    ASSERT_EQ(r.ok, c.ok) << c.what;
    ASSERT_NE(r.object, nullptr) << c.what;
    EXPECT_EQ(r.object->GetClassCode(), 0x3) << c.what;
    RECT rc;
    r.object->GetBoundRect(&rc);
    EXPECT_EQ(rc.left, 100) << c.what;
    EXPECT_EQ(rc.bottom, 500) << c.what;
    EXPECT_EQ(r.thumbnail != nullptr, c.thumbnail) << c.what;
    if (r.thumbnail) {
      EXPECT_EQ(r.thumbnail->GetWidth(), 60);
      EXPECT_EQ(r.thumbnail->GetColor(5, 5), RGB(255, 0, 0));
    }
    EXPECT_EQ(r.name, CString(c.name)) << c.what;
    EXPECT_EQ(r.comment, CString(c.comment)) << c.what;
  }
}

TEST(ObjectFileReader, DamagedFilesHandOutNothing) {
  const std::string record = RectRecord(), thumb = Thumbnail();
  std::string head;
  Put32(head, 91530);
  std::string cutThumb = head + "image";
  Put32(cutThumb, (int32_t)thumb.size() + 100000);
  cutThumb += thumb + record;
  std::string unknown = head;
  Put32(unknown, 0x7043);
  unknown += record.substr(4);

  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty file", ""},
      {"version only", head},
      {"thumbnail size past the end", cutThumb},
      {"unknown class", unknown},
      {"record cut short", head + record.substr(0, record.size() / 2)},
  };
  for (const Case& c : cases) {
    Read r = ReadBytes(c.bytes);
    EXPECT_FALSE(r.ok) << c.what;
    EXPECT_EQ(r.object, nullptr) << c.what;
    EXPECT_EQ(r.thumbnail, nullptr) << c.what;
  }
}

TEST(ObjectFileReader, ADamagedThumbnailCostsOnlyThePicture) {
  std::string bytes;
  Put32(bytes, 91530);
  bytes += "image";
  Put32(bytes, 8);
  bytes += std::string(8, '\x7F');  // not a DIB
  bytes += RectRecord() + Text("n") + Text("c");
  Read r = ReadBytes(bytes);
  EXPECT_TRUE(r.ok);
  EXPECT_NE(r.object, nullptr);
  EXPECT_EQ(r.thumbnail, nullptr);
  EXPECT_EQ(r.name, CString("n"));
}

TEST(ObjectFileReader, MissingArgumentsAndFiles) {
  jvqObject* object = NULL;
  EXPECT_FALSE(ReadObjectFile("C:\\no\\such.qzl", &object, NULL, NULL, NULL, NULL));
  EXPECT_FALSE(ReadObjectFile("", &object, NULL, NULL, NULL, NULL));
  EXPECT_FALSE(ReadObjectFile(NULL, &object, NULL, NULL, NULL, NULL));
  EXPECT_EQ(object, nullptr);
  EXPECT_FALSE(ReadObjectFile("C:\\x.qzl", NULL, NULL, NULL, NULL, NULL));
}

}  // namespace

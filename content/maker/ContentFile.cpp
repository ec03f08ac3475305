#include "ContentFile.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "DibFormat.h"

bool MakeFolder(const std::string& path) {
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  return std::filesystem::is_directory(path, ec);
}

bool WriteBmp(const std::string& path, const ContentPicture& picture, int bitCount) {
  pictal::Bytes dib;
  if (!pictal::CreateDib(picture.width, picture.height, bitCount, &dib)) return false;
  for (int y = 0; y < picture.height; y++)
    for (int x = 0; x < picture.width; x++)
      if (!pictal::DibSetColor(dib.data(), dib.size(), x, y, picture.pixels[(size_t)y * picture.width + x])) return false;
  pictal::Bytes file;
  if (!pictal::MakeBmpFile(dib.data(), dib.size(), &file)) return false;
  return pictal::WriteFileReplacing(path.c_str(), file.data(), file.size());
}

bool ToShiftJis(const std::string& utf8, std::string* out) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == (iconv_t)-1) return false;
  std::string in8 = utf8;
  out->assign(in8.size() * 2 + 16, '\0');
  char* in = in8.data();
  size_t inLeft = in8.size();
  char* dst = out->data();
  size_t outLeft = out->size();
  const size_t r = iconv(cd, &in, &inLeft, &dst, &outLeft);
  iconv_close(cd);
  if (r == (size_t)-1 || inLeft != 0) return false;
  out->resize(out->size() - outLeft);
  return true;
}

bool WriteShiftJisText(const std::string& path, const std::string& utf8) {
  std::string crlf;
  for (char c : utf8) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  std::string out;
  if (!ToShiftJis(crlf, &out)) return false;
  return pictal::WriteFileReplacing(path.c_str(), (const BYTE*)out.data(), out.size());
}

bool WriteLibrary(const std::string& folder, const std::string& indexName, const std::vector<LibraryPicture>& entries,
                  int bitCount) {
  if (!MakeFolder(folder)) return false;
  std::string index;
  for (const LibraryPicture& e : entries) {
    if (!WriteBmp(folder + "/" + e.file, e.picture, bitCount)) {
      std::fprintf(stderr, "qvzmaker: cannot write %s/%s\n", folder.c_str(), e.file.c_str());
      return false;
    }
    index += e.name + "/" + e.file + "\n";
  }
  return WriteShiftJisText(folder + "/" + indexName, index);
}

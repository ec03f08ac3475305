// Writing the program folder's files: folders, pictures and Shift-JIS text, each file
// through a temporary copy so that a broken run never leaves half a file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A picture being drawn: 24-bit colours (0x00BBGGRR), (0, 0) the top left.
struct ContentPicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  ContentPicture(int w, int h, uint32_t fill = 0xFFFFFF) : width(w), height(h), pixels((size_t)w * h, fill) {}
  uint32_t& At(int x, int y) { return pixels[(size_t)(((y % height) + height) % height) * width + ((x % width) + width) % width]; }
};

// Creates the folder (and its parents); true when it exists afterwards.
bool MakeFolder(const std::string& path);
// The picture as a BMP file of `bitCount` bits (1: black and white, 24: colour).
bool WriteBmp(const std::string& path, const ContentPicture& picture, int bitCount);
// UTF-8 text in Shift-JIS; false when a character has no Shift-JIS form.
bool ToShiftJis(const std::string& utf8, std::string* out);
// UTF-8 text written as Shift-JIS with CR LF line ends.
bool WriteShiftJisText(const std::string& path, const std::string& utf8);

// One entry of a picture library: the index shows the name, the file holds the picture.
struct LibraryPicture {
  std::string name;  // UTF-8
  std::string file;
  ContentPicture picture;
};
// The library folder with its pictures and index file (lines "name/file" in the given
// order, which is also the file names' order).
bool WriteLibrary(const std::string& folder, const std::string& indexName, const std::vector<LibraryPicture>& entries,
                  int bitCount);

// The test tree's program folder as a Windows path, ending in "\".
#pragma once

#include <stdlib.h>

#include <string>

inline std::string BinDir() {
  std::string d = getenv("QVZ_BIN_DIR") ? getenv("QVZ_BIN_DIR") : ".";
  for (char& c : d)
    if (c == '/') c = '\\';
  if (!d.empty() && d[0] == '\\') d = "Z:" + d;
  return d + "\\";
}

// The helpers every harness shares: its scratch folder and whole-file reads and writes.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "FuzzTarget.h"

namespace fuzz {

const std::string& ScratchDir() {
  static std::string dir;
  if (dir.empty()) {
    const char* env = std::getenv("QVZ_FUZZ_SCRATCH");
    dir = env && *env ? env : "/tmp/qvz-fuzz-" + std::to_string(getuid());
    // Parents first: the folder may lie several levels below one that exists.
    for (size_t at = dir.find('/', 1); at != std::string::npos; at = dir.find('/', at + 1))
      mkdir(dir.substr(0, at).c_str(), 0755);
    if (mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST) {
      std::perror(dir.c_str());
      std::abort();
    }
  }
  return dir;
}

bool WriteFileBytes(const std::string& path, const void* data, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}

std::string WriteScratch(const char* name, const uint8_t* data, size_t size) {
  const std::string path = ScratchDir() + "/" + name;
  if (!WriteFileBytes(path, data, size)) {
    std::perror(path.c_str());
    std::abort();  // the harness cannot do its work: not a finding of the reader
  }
  return path;
}

bool ReadFileBytes(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

}  // namespace fuzz

// An LHA archive handed to the archive library: every entry's name checked before anything
// is written, then the entries extracted into a folder of the scratch folder.
#include <filesystem>
#include <string>

#include "FuzzTarget.h"
#include "UnlhaArchive.h"

void FuzzOne(const uint8_t* data, size_t size) {
  const std::string archive = fuzz::WriteScratch("archive.lzh", data, size);
  const std::string root = fuzz::ScratchDir() + "/extract";
  std::error_code ec;
  std::filesystem::remove_all(root, ec);
  std::filesystem::create_directories(root + "/out");
  std::string message;
  UnlhaExtract(archive, root + "/out", message);
  std::filesystem::remove_all(root, ec);
}

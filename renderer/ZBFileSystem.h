#pragma once

#include <functional>
#include <ostream>
#include <string>

// The renderer's few file-system needs, over Win32 on Windows and POSIX natively.
namespace ZBFileSystem {

// Separator between a folder and a name ("\" on Windows).
extern const char kSep;

// Writes through writer into a temporary file beside path and replaces path only when the
// temporary file is whole; otherwise the temporary file is removed and path is untouched.
bool WriteWhole(const std::string& path, const std::function<bool(std::ostream&)>& writer);

// The system's temporary folder followed by "~vqbtmp" (no trailing separator).
std::string TempSceneFolder();
bool DirectoryExists(const std::string& path);
bool FileExists(const std::string& path);
bool MakeDirectory(const std::string& path);
bool RemoveFile(const std::string& path);
// Deletes every file of folder whose name ends in extension (".bmp"), letter case ignored.
void RemoveFilesWithExtension(const std::string& folder, const char* extension);

// A name from a scene or archive that stays inside the folder it is joined to:
// no "..", no absolute path, no drive letter.
bool IsContainedName(const std::string& name);

} // namespace ZBFileSystem

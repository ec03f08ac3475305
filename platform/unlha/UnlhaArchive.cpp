#include "UnlhaArchive.h"

#include <windows.h>

#include "afxmbs.h"
#include "afxreplace.h"

#include <cstdio>
#include <memory>
#include <vector>

extern "C" {
#include <lhasa/lhasa.h>
}

namespace {

struct ReaderHolder {
    FILE* file = nullptr;
    LHAInputStream* stream = nullptr;
    LHAReader* reader = nullptr;

    bool Open(const std::string& path)
    {
        file = std::fopen(path.c_str(), "rb");
        if (!file)
            return false;
        stream = lha_input_stream_from_FILE(file);
        if (!stream)
            return false;
        reader = lha_reader_new(stream);
        return reader != nullptr;
    }
    ~ReaderHolder()
    {
        if (reader)
            lha_reader_free(reader);
        if (stream)
            lha_input_stream_free(stream);
        if (file)
            std::fclose(file);
    }
};

// Where the next path separator at or after `from` starts a character, or npos. Names are
// Shift-JIS: 0x5C is also the second byte of characters such as 表 and ソ.
size_t NextSeparator(const std::string& name, size_t from)
{
    for (size_t i = from; i < name.size();) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (c == '\\' || c == '/')
            return i;
        i += AfxIsLeadByte(c) && i + 1 < name.size() ? 2 : 1;
    }
    return std::string::npos;
}

// The names an entry's header stores: the file name (level 0 and 1 in the base header, with
// DOS separators for a level 0 path; any level in an extended header) and the folder path of
// an extended header, 0xFF between its parts.
struct StoredNames {
    std::string filename;
    std::string path;
};

// Read from the header's own bytes: the decoder tidies names as if they were ASCII (every
// 0x5C becomes '/', the second bytes of Shift-JIS characters too, and all-capital names are
// lowered), which Japanese names do not survive, and it drops ".." and leading separators,
// which would extract an escaping entry somewhere else rather than refuse it.
bool ReadStoredNames(const LHAFileHeader* h, StoredNames* names)
{
    const uint8_t* raw = h->raw_data;
    const size_t len = h->raw_data_len;
    if (!raw || len < 22)
        return false;
    const int level = raw[20];
    size_t next;
    size_t field = 2;
    if (level == 0 || level == 1) {
        const size_t n = raw[21];
        if (22 + n > len)
            return false;
        names->filename.assign(reinterpret_cast<const char*>(raw + 22), n);
        if (level == 0)
            return true;
        next = 22 + n + 3;
    } else if (level == 2) {
        next = 24;
    } else if (level == 3) {
        next = 28;
        field = 4;
    } else {
        return false;
    }
    // Extended headers: [size][type][data], size counting type, data and the next size field.
    while (next + field <= len) {
        size_t size = raw[next] | static_cast<size_t>(raw[next + 1]) << 8;
        if (field == 4)
            size |= static_cast<size_t>(raw[next + 2]) << 16 | static_cast<size_t>(raw[next + 3]) << 24;
        if (size == 0)
            return true;
        const size_t at = next + field;
        if (size < 1 + field || at + size - field > len)
            return level == 1;  // level 1 keeps its extended headers out of the stored header
        const uint8_t type = raw[at];
        const std::string data(reinterpret_cast<const char*>(raw + at + 1), size - 1 - field);
        if (type == 0x01)
            names->filename = data;
        else if (type == 0x02)
            names->path = data;
        next = at + size - field;
    }
    return level == 1;
}

// A stored name with '\\' between its parts: 0xFF (never part of a Shift-JIS character) and
// '/' or 0x5C where they start a character.
std::string WithBackslashes(const std::string& stored)
{
    std::string name = stored;
    for (size_t i = 0; i < name.size();) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (c == 0xFF || c == '/')
            name[i] = '\\';
        i += AfxIsLeadByte(c) && i + 1 < name.size() ? 2 : 1;
    }
    return name;
}

// The entry's name below the target folder, its parts joined by '\\'.
std::string EntryName(const LHAFileHeader* h)
{
    StoredNames names;
    if (!ReadStoredNames(h, &names))
        return std::string();
    std::string path = WithBackslashes(names.path);
    // The last character of the path must be a separator, not the second byte of one.
    size_t last = 0;
    for (size_t i = 0; i < path.size(); i += AfxIsLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size() ? 2 : 1)
        last = i;
    if (!path.empty() && !(last == path.size() - 1 && path[last] == '\\'))
        path += '\\';
    return path + WithBackslashes(names.filename);
}

bool IsDirectory(const LHAFileHeader* h)
{
    return std::string(h->compress_method) == LHA_COMPRESS_TYPE_DIR;
}

bool StoredNamesContained(const LHAFileHeader* h)
{
    StoredNames names;
    if (!ReadStoredNames(h, &names))
        return false;
    // A folder's own entry may have a path and no file name.
    return (names.filename.empty() ? !names.path.empty() && IsDirectory(h)
                                   : UnlhaIsContainedName(WithBackslashes(names.filename))) &&
           (names.path.empty() || UnlhaIsContainedName(WithBackslashes(names.path)));
}


// Creates the folders of path below base, one level at a time.
void MakeFolders(const std::string& base, const std::string& relative)
{
    size_t at = 0;
    while ((at = NextSeparator(relative, at)) != std::string::npos) {
        CreateDirectoryA((base + "\\" + relative.substr(0, at)).c_str(), nullptr);
        ++at;
    }
}

} // namespace

bool UnlhaIsContainedName(const std::string& name)
{
    if (name.empty() || name[0] == '/' || name[0] == '\\' || name.find(':') != std::string::npos)
        return false;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = NextSeparator(name, start);
        if (end == std::string::npos)
            end = name.size();
        if (name.compare(start, end - start, "..") == 0)
            return false;
        start = end + 1;
    }
    return true;
}

int UnlhaExtract(const std::string& archive, const std::string& folder, std::string& message)
{
    // First pass: every name is checked before anything is written.
    {
        ReaderHolder r;
        if (!r.Open(archive)) {
            message = "cannot open archive";
            return UNLHA_ERROR_ARCHIVE;
        }
        int entries = 0;
        while (LHAFileHeader* h = lha_reader_next_file(r.reader)) {
            if (h->symlink_target || !UnlhaIsContainedName(EntryName(h)) || !StoredNamesContained(h)) {
                message = "unsafe entry name";
                return UNLHA_ERROR_UNSAFE_NAME;
            }
            ++entries;
        }
        if (entries == 0) {
            message = "not an LHA archive";
            return UNLHA_ERROR_ARCHIVE;
        }
    }
    ReaderHolder r;
    if (!r.Open(archive)) {
        message = "cannot open archive";
        return UNLHA_ERROR_ARCHIVE;
    }
    while (LHAFileHeader* h = lha_reader_next_file(r.reader)) {
        if (IsDirectory(h) || lha_reader_current_is_fake(r.reader))
            continue;
        const std::string relative = EntryName(h);
        MakeFolders(folder, relative);
        const std::string target = folder + "\\" + relative;
        // Written beside the target and put in its place only when whole and its checksum matches.
        bool extracted = false;
        const BOOL written = AfxReplaceFile(target.c_str(), [&](LPCTSTR temp) -> BOOL {
            std::string name = temp;
            extracted = lha_reader_extract(r.reader, &name[0], nullptr, nullptr) != 0;
            return extracted;
        });
        if (!written) {
            message = (extracted ? "cannot write: " : "extraction failed: ") + relative;
            return extracted ? UNLHA_ERROR_WRITE : UNLHA_ERROR_DATA;
        }
    }
    message = "ok";
    return UNLHA_OK;
}

namespace {
std::vector<std::string> SplitCommand(const char* line)
{
    std::vector<std::string> out;
    const char* p = line;
    while (*p) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (!*p)
            break;
        std::string token;
        if (*p == '"') {
            ++p;
            while (*p && *p != '"')
                token += *p++;
            if (*p == '"')
                ++p;
        } else {
            while (*p && *p != ' ' && *p != '\t')
                token += *p++;
        }
        out.push_back(token);
    }
    return out;
}
} // namespace

int UnlhaRunCommand(const char* commandLine, std::string& message)
{
    if (!commandLine) {
        message = "no command";
        return UNLHA_ERROR_COMMAND;
    }
    const std::vector<std::string> tokens = SplitCommand(commandLine);
    std::vector<std::string> operands;
    for (size_t i = 1; i < tokens.size(); ++i)
        if (!tokens[i].empty() && tokens[i][0] != '-' && tokens[i][0] != '/')
            operands.push_back(tokens[i]);
    if (tokens.empty() || (tokens[0] != "x" && tokens[0] != "e") || operands.size() != 2) {
        message = "unsupported command";
        return UNLHA_ERROR_COMMAND;
    }
    std::string folder = operands[1];
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    if (folder.empty()) {
        message = "no destination";
        return UNLHA_ERROR_COMMAND;
    }
    return UnlhaExtract(operands[0], folder, message);
}

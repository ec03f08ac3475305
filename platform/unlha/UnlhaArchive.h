#pragma once

#include <string>

// Result codes of the archive library: 0 is success.
enum {
    UNLHA_OK = 0,
    UNLHA_ERROR_COMMAND = 0x8001,
    UNLHA_ERROR_ARCHIVE = 0x8002,
    UNLHA_ERROR_UNSAFE_NAME = 0x8003,
    UNLHA_ERROR_WRITE = 0x8004,
    UNLHA_ERROR_DATA = 0x8005,
};

// Extracts every file of an LHA archive below folder. Refuses the whole archive, writing
// nothing, when any entry's name would leave the folder.
int UnlhaExtract(const std::string& archive, const std::string& folder, std::string& message);

// Runs a command line of the form: x [-switches] "archive" "folder\".
int UnlhaRunCommand(const char* commandLine, std::string& message);

// Relative names only: no "..", no absolute path, no drive letter.
bool UnlhaIsContainedName(const std::string& name);

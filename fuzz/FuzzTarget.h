// What every fuzzing harness provides and shares. A harness is one reader entry point fed
// the way the program feeds it; libFuzzer runs it (FuzzMain), and the same binary replays
// inputs named on its command line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// One input, every object it made freed again before it returns.
void FuzzOne(const uint8_t* data, size_t size);

namespace fuzz {

// The harness's own scratch folder (QVZ_FUZZ_SCRATCH, or one under the temporary folder),
// made on first use; harnesses running side by side each get their own.
const std::string& ScratchDir();
// scratch/name; written whole with the bytes.
std::string WriteScratch(const char* name, const uint8_t* data, size_t size);
bool WriteFileBytes(const std::string& path, const void* data, size_t size);
bool ReadFileBytes(const std::string& path, std::string& out);

}  // namespace fuzz

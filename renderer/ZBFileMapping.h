#pragma once

#include <cstdint>
#include <memory>
#include <string>

// A whole file mapped read-only. Its pages come from the system's file cache: a large scene
// container is read without a copy and without fresh memory of its size, which on a busy
// machine costs more than the reading itself. Open gives none when the file cannot be mapped
// (empty, too large for the address space); the caller then reads it through a window.
class ZBFileMapping {
public:
    static std::shared_ptr<const ZBFileMapping> Open(const std::string& path);
    ~ZBFileMapping();
    ZBFileMapping(const ZBFileMapping&) = delete;
    ZBFileMapping& operator=(const ZBFileMapping&) = delete;

    const char* Data() const { return m_pData; }
    uint64_t Size() const { return m_nSize; }

private:
    ZBFileMapping() = default;

    const char* m_pData = nullptr;
    uint64_t m_nSize = 0;
};

// Format: "ZOLV", format version (uint32), original length (uint64), CRC-32 of the original
// (uint32), then one zlib stream. All little-endian. Expansion checks every field, never
// writes more than the stated length, and removes its output unless the whole file checks out.
#include "zolv.h"

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr char kMagic[4] = {'Z', 'O', 'L', 'V'};
constexpr uint32_t kVersion = 1;
constexpr size_t kHeaderSize = 4 + 4 + 8 + 4;
constexpr size_t kChunk = 64 * 1024;

struct FileCloser {
    void operator()(FILE* f) const { if (f) fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

File Open(const char* path, const char* mode)
{
    return File(path ? fopen(path, mode) : nullptr);
}

void PutLE(unsigned char* p, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        p[i] = static_cast<unsigned char>(value >> (8 * i));
}

uint64_t GetLE(const unsigned char* p, int bytes)
{
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<uint64_t>(p[i]) << (8 * i);
    return value;
}

// Closes the destination and keeps it only when told the result is whole.
class Output {
public:
    explicit Output(const char* path) : m_path(path), m_file(Open(path, "wb")) {}
    ~Output()
    {
        if (!m_kept) {
            m_file.reset();
            if (m_path)
                remove(m_path);
        }
    }
    bool IsOpen() const { return m_file != nullptr; }
    bool Write(const void* data, size_t size) { return fwrite(data, 1, size, m_file.get()) == size; }
    bool Seek(long pos) { return fseek(m_file.get(), pos, SEEK_SET) == 0; }
    bool Keep()
    {
        FILE* f = m_file.release();
        m_kept = f && fflush(f) == 0 && !ferror(f);
        if (f && fclose(f) != 0)
            m_kept = false;
        return m_kept;
    }

private:
    const char* m_path;
    File m_file;
    bool m_kept = false;
};

}  // namespace

extern "C" int ZOLV_CALL ZolvCompress(const char* pszSource, const char* pszDest)
{
    File in = Open(pszSource, "rb");
    if (!in)
        return 0;
    Output out(pszDest);
    if (!out.IsOpen())
        return 0;

    unsigned char header[kHeaderSize] = {};
    if (!out.Write(header, sizeof header))
        return 0;

    z_stream zs{};
    if (deflateInit(&zs, Z_BEST_COMPRESSION) != Z_OK)
        return 0;
    std::unique_ptr<z_stream, int (*)(z_stream*)> guard(&zs, deflateEnd);

    std::vector<unsigned char> inBuf(kChunk), outBuf(kChunk);
    uint64_t length = 0;
    uLong crc = crc32(0, nullptr, 0);
    int flush = Z_NO_FLUSH;
    do {
        size_t got = fread(inBuf.data(), 1, inBuf.size(), in.get());
        if (ferror(in.get()))
            return 0;
        length += got;
        crc = crc32(crc, inBuf.data(), static_cast<uInt>(got));
        flush = feof(in.get()) ? Z_FINISH : Z_NO_FLUSH;
        zs.next_in = inBuf.data();
        zs.avail_in = static_cast<uInt>(got);
        do {
            zs.next_out = outBuf.data();
            zs.avail_out = static_cast<uInt>(outBuf.size());
            if (deflate(&zs, flush) == Z_STREAM_ERROR)
                return 0;
            if (!out.Write(outBuf.data(), outBuf.size() - zs.avail_out))
                return 0;
        } while (zs.avail_out == 0);
    } while (flush != Z_FINISH);

    std::memcpy(header, kMagic, 4);
    PutLE(header + 4, kVersion, 4);
    PutLE(header + 8, length, 8);
    PutLE(header + 16, crc, 4);
    if (!out.Seek(0) || !out.Write(header, sizeof header))
        return 0;
    return out.Keep() ? 1 : 0;
}

extern "C" int ZOLV_CALL ZolvExpand(const char* pszSource, const char* pszDest)
{
    File in = Open(pszSource, "rb");
    if (!in)
        return 0;
    unsigned char header[kHeaderSize];
    if (fread(header, 1, sizeof header, in.get()) != sizeof header || std::memcmp(header, kMagic, 4) != 0 ||
        GetLE(header + 4, 4) != kVersion)
        return 0;
    const uint64_t expected = GetLE(header + 8, 8);
    const uLong expectedCrc = static_cast<uLong>(GetLE(header + 16, 4));

    Output out(pszDest);
    if (!out.IsOpen())
        return 0;

    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        return 0;
    std::unique_ptr<z_stream, int (*)(z_stream*)> guard(&zs, inflateEnd);

    std::vector<unsigned char> inBuf(kChunk), outBuf(kChunk);
    uint64_t written = 0;
    uLong crc = crc32(0, nullptr, 0);
    int ret = Z_OK;
    while (ret != Z_STREAM_END) {
        size_t got = fread(inBuf.data(), 1, inBuf.size(), in.get());
        if (ferror(in.get()) || got == 0)
            return 0;  // truncated: the stream never ended
        zs.next_in = inBuf.data();
        zs.avail_in = static_cast<uInt>(got);
        do {
            zs.next_out = outBuf.data();
            zs.avail_out = static_cast<uInt>(outBuf.size());
            ret = inflate(&zs, Z_NO_FLUSH);
            if (ret != Z_OK && ret != Z_STREAM_END && ret != Z_BUF_ERROR)
                return 0;
            size_t produced = outBuf.size() - zs.avail_out;
            if (produced > expected - written)
                return 0;  // more than the header promised
            if (!out.Write(outBuf.data(), produced))
                return 0;
            written += produced;
            crc = crc32(crc, outBuf.data(), static_cast<uInt>(produced));
        } while (ret != Z_STREAM_END && (zs.avail_out == 0 || zs.avail_in > 0) && ret != Z_BUF_ERROR);
    }
    if (zs.avail_in != 0 || fgetc(in.get()) != EOF)
        return 0;  // trailing bytes after the stream
    if (written != expected || crc != expectedCrc)
        return 0;
    return out.Keep() ? 1 : 0;
}

#pragma once
// Scratch files for the compression tests.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::vector<unsigned char> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteAll(const std::string& path, const std::vector<unsigned char>& data)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

inline bool Exists(const std::string& path)
{
    return std::ifstream(path).good();
}

// A picture-like file: a 24-bit gradient with some noise, so it neither vanishes nor stays raw.
inline std::vector<unsigned char> MakePicture(int width, int height)
{
    std::vector<unsigned char> data;
    data.reserve(static_cast<size_t>(width) * height * 3);
    unsigned seed = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245u + 12345u;
            data.push_back(static_cast<unsigned char>(x + (seed >> 28)));
            data.push_back(static_cast<unsigned char>(y));
            data.push_back(static_cast<unsigned char>((x ^ y) & 0xFF));
        }
    return data;
}

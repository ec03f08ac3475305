#pragma once

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// Fixture files made in the tests' working folder, removed when the holder goes.
class TestFile {
public:
    explicit TestFile(std::string name) : m_name(std::move(name)) { std::remove(m_name.c_str()); }
    ~TestFile() { std::remove(m_name.c_str()); }
    const std::string& Path() const { return m_name; }
    const char* c_str() const { return m_name.c_str(); }

private:
    std::string m_name;
};

inline bool FileExistsForTest(const std::string& path)
{
    std::ifstream is(path, std::ios::binary);
    return static_cast<bool>(is);
}

inline std::vector<unsigned char> ReadAll(const std::string& path)
{
    std::ifstream is(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(is), std::istreambuf_iterator<char>());
}

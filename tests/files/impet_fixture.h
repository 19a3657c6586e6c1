#pragma once
// Carrier files and archive bytes for the archive tests.

#include "files/impet.h"
#include "platform/filewrite.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

inline std::string Slurp(const std::string& path)
{
    std::string s;
    ReadWholeFile(path, s);
    return s;
}

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string RandomBytes(size_t n, unsigned seed = 1)
{
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    for (char& c : s)
        c = char(gen());
    return s;
}

// A text that compresses well, like a preset, ending in a character that
// is not a line feed.
inline std::string PresetText(int bike, size_t n)
{
    std::string s;
    while (s.size() < n)
        s += "BIKE " + std::to_string(bike) + " KEY_" + std::to_string(s.size() % 97) + " 12 34 56\r\n";
    s.resize(n);
    s.back() = 'Z';
    return s;
}

inline std::string Magic()
{
    ImpetBuildMagic();
    return std::string(reinterpret_cast<const char*>(ImpetMagic), IMPET_MAGIC_LEN);
}

inline uint32_t U32At(const std::string& b, size_t pos)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | uint8_t(b[pos + size_t(i)]);
    return v;
}

inline void PutU32At(std::string& b, size_t pos, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[pos + size_t(i)] = char(v >> (8 * i));
}

inline uint16_t U16At(const std::string& b, size_t pos)
{
    return uint16_t(uint8_t(b[pos]) | uint8_t(b[pos + 1]) << 8);
}

// Record fields.
constexpr size_t F_OFFSET = 53, F_SIZE = 57, F_PACKED = 61, F_FLAGS = 73;

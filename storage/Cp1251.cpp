#include "storage/Cp1251.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace zintu {
namespace {

constexpr char32_t kUnassigned = 0;
constexpr char32_t kReplacement = U'\uFFFD';

// Characters of bytes 0x80 to 0xBF. Below them the code page is ASCII, above them come А to я
// in alphabetical order (Ё and ё stand here apart).
// clang-format off
constexpr std::array<char32_t, 64> kTable = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    kUnassigned, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 0x98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // 0xB8
};
// clang-format on
constexpr unsigned char kFirstLetterByte = 0xC0;
constexpr char32_t kFirstLetter = U'\u0410';  // А
constexpr char32_t kLastLetter = U'\u044F';   // я

char EncodeChar(char32_t c) {
    if (c < 0x80) {
        return static_cast<char>(c);
    }
    if (c >= kFirstLetter && c <= kLastLetter) {
        return static_cast<char>(kFirstLetterByte + (c - kFirstLetter));
    }
    // kUnassigned is 0, which the ASCII branch already took, so 0x98 is never found here.
    const auto* found = std::find(kTable.begin(), kTable.end(), c);
    if (found == kTable.end()) {
        return '?';
    }
    return static_cast<char>(0x80 + (found - kTable.begin()));
}

char32_t DecodeByte(unsigned char byte) {
    if (byte < 0x80) {
        return byte;
    }
    if (byte >= kFirstLetterByte) {
        return kFirstLetter + (byte - kFirstLetterByte);
    }
    const char32_t c = kTable[byte - 0x80];
    return c == kUnassigned ? kReplacement : c;
}

}  // namespace

std::string EncodeCp1251(std::u32string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (const char32_t c : text) {
        bytes.push_back(EncodeChar(c));
    }
    return bytes;
}

std::u32string DecodeCp1251(std::string_view bytes) {
    std::u32string text;
    text.reserve(bytes.size());
    for (const char b : bytes) {
        text.push_back(DecodeByte(static_cast<unsigned char>(b)));
    }
    return text;
}

}  // namespace zintu

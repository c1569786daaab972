#pragma once

// The Windows code page 932 (Shift-JIS) mapping as plain data, generated from the
// platform's table so that every file written on Windows reads back to the same text.
namespace quenkit::cp932 {

struct EncodePair {
    char16_t unicode;
    unsigned short code;  // lead byte << 8 | trail byte
};

// Lead bytes 0x81-0x9F and 0xE0-0xFC, trail bytes 0x40-0xFC.
constexpr int kTrailFirst = 0x40;
constexpr int kTrailCount = 0xFD - 0x40;
constexpr int leadIndex(unsigned char lead) { return lead < 0xA0 ? lead - 0x81 : lead - 0xE0 + 31; }

extern const char16_t kSingleByte[256];      // 0 where the byte alone is no character
extern const char16_t kDoubleByte[];          // [leadIndex * kTrailCount + trail - 0x40], 0 = unmapped
extern const EncodePair kEncode[];            // sorted by unicode; the Windows choice for duplicates
extern const int kEncodeCount;

}  // namespace quenkit::cp932

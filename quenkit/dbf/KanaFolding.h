#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The two other spellings of a search key that table searches try, so that a key typed in
// hiragana or full-width katakana finds half-width katakana in a table, and a half-width key
// finds full-width text. Both follow code page 932.
namespace quenkit {

// The half-width katakana form of a key made only of hiragana, katakana and the long-vowel
// mark ー: each character becomes its half-width letter, a voiced one followed by ﾞ, a
// semi-voiced one by ﾟ. None for a key of fewer than 2 bytes or with any other character
// (an odd trailing byte is another character).
std::optional<QByteArray> halfWidthKey(QByteArrayView key);

// The full-width form of a key made only of printable ASCII and half-width katakana. A ﾞ or ﾟ
// joins the kana before it (ｶﾞ gives ガ, ﾊﾟ gives パ); after a kana without a voiced form it
// stays a mark of its own (゛ or ゜). None for an empty key or one with any other byte.
std::optional<QByteArray> fullWidthKey(QByteArrayView key);

// The mappings as data, so that they can be checked over their whole ranges.
namespace kana {

constexpr unsigned short HiraganaFirst = 0x829F;   // ぁ
constexpr unsigned short HiraganaLast = 0x82F1;    // ん
constexpr unsigned short KatakanaFirst = 0x8340;   // ァ
constexpr unsigned short KatakanaLast = 0x8396;    // ヶ
constexpr unsigned short KatakanaHole = 0x837F;    // no character between ミ and ム
constexpr unsigned short LongVowelMark = 0x815B;   // ー
constexpr unsigned char HalfWidthLongVowelMark = 0xB0;   // ｰ
constexpr unsigned char VoicedMark = 0xDE;         // ﾞ
constexpr unsigned char SemiVoicedMark = 0xDF;     // ﾟ
constexpr unsigned short FullWidthVoicedMark = 0x814A;       // ゛
constexpr unsigned short FullWidthSemiVoicedMark = 0x814B;   // ゜

// A kana in half width: its letter and the mark behind it (0, VoicedMark or SemiVoicedMark).
struct HalfWidthKana {
    unsigned char letter;
    unsigned char mark;
};

// Indexed by code - HiraganaFirst and code - KatakanaFirst; the hole has letter 0.
extern const HalfWidthKana HiraganaToHalfWidth[HiraganaLast - HiraganaFirst + 1];
extern const HalfWidthKana KatakanaToHalfWidth[KatakanaLast - KatakanaFirst + 1];

// Printable ASCII 0x20-0x7E and half-width katakana 0xA1-0xDF to their double-byte codes.
// The code page reads 0x5C and 0x7E as ￥ and ￣, and " ' ` as the typographic quotes.
extern const unsigned short AsciiToFullWidth[0x7E - 0x20 + 1];
extern const unsigned short HalfWidthToFullWidth[0xDF - 0xA1 + 1];

// A full-width kana that takes a voicing mark, and what it becomes (0 where there is none).
struct VoicedForms {
    unsigned short plain;
    unsigned short voiced;
    unsigned short semiVoiced;
};
extern const VoicedForms VoicedKana[];
extern const int VoicedKanaCount;

}  // namespace kana

}  // namespace quenkit

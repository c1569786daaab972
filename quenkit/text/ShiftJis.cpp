#include "quenkit/text/ShiftJis.h"

#include "quenkit/text/Cp932Table.h"

#include <algorithm>

namespace quenkit {

namespace {

char16_t decodePair(unsigned char lead, unsigned char trail)
{
    if (trail < cp932::kTrailFirst || trail >= cp932::kTrailFirst + cp932::kTrailCount)
        return 0;
    return cp932::kDoubleByte[cp932::leadIndex(lead) * cp932::kTrailCount + (trail - cp932::kTrailFirst)];
}

// Unicode -> code page 932 for a character of the basic plane; -1 when there is none.
int encodeChar(char16_t ch)
{
    if (ch < 0x80)
        return ch;
    if (ch >= 0xFF61 && ch <= 0xFF9F)
        return ch - 0xFF61 + 0xA1;
    const cp932::EncodePair *first = cp932::kEncode;
    const cp932::EncodePair *last = cp932::kEncode + cp932::kEncodeCount;
    const cp932::EncodePair *it = std::lower_bound(
        first, last, ch, [](const cp932::EncodePair &p, char16_t c) { return p.unicode < c; });
    if (it != last && it->unicode == ch)
        return it->code;
    for (int b = 0x80; b < 0x100; ++b) {
        if (!isSjisLeadByte(static_cast<unsigned char>(b)) && cp932::kSingleByte[b] == ch && ch != 0)
            return b;
    }
    return -1;
}

}  // namespace

QString fromSjis(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char b = p[i];
        if (b == 0)
            break;
        if (isSjisLeadByte(b)) {
            if (i + 1 < n && p[i + 1] != 0) {
                const char16_t ch = decodePair(b, p[i + 1]);
                out.append(ch ? QChar(ch) : QChar(QChar::ReplacementCharacter));
                ++i;
            } else {
                out.append(QChar(QChar::ReplacementCharacter));
            }
            continue;
        }
        const char16_t ch = cp932::kSingleByte[b];
        out.append(ch ? QChar(ch) : QChar(QChar::ReplacementCharacter));
    }
    return out;
}

QByteArray toSjis(QStringView text, bool *ok)
{
    if (ok)
        *ok = true;
    QByteArray out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
        int code = QChar::isSurrogate(ch) ? -1 : encodeChar(ch);
        if (QChar::isHighSurrogate(ch) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;  // one "?" for the whole character
        if (code < 0) {
            if (ok)
                *ok = false;
            out.append('?');
        } else if (code > 0xFF) {
            out.append(static_cast<char>(code >> 8));
            out.append(static_cast<char>(code & 0xFF));
        } else {
            out.append(static_cast<char>(code));
        }
    }
    return out;
}

QByteArray cutSjisToWidth(QByteArrayView text, int width)
{
    if (width <= 0)
        return {};
    if (text.size() <= width)
        return text.toByteArray();
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype step = isSjisLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
        if (i + step > width)
            break;
        i += step;
    }
    return text.first(i).toByteArray();
}

QByteArray sjisField(QByteArrayView text, int width)
{
    QByteArray out = cutSjisToWidth(text, width);
    out.append(QByteArray(width - out.size(), ' '));
    return out;
}

int sjisWidth(QStringView text)
{
    return static_cast<int>(toSjis(text).size());
}

}  // namespace quenkit

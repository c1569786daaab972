#include "quenkit/text/StringHelpers.h"

#include "quenkit/text/ShiftJis.h"

#include <cstring>

namespace quenkit {

int CheckKanjiStr(QByteArrayView text, int pos)
{
    if (pos < 0)
        return 0;
    qsizetype i = 0;
    while (i < text.size() && i <= pos) {
        const bool lead = isSjisLeadByte(static_cast<unsigned char>(text[i]));
        if (i == pos)
            return lead ? 1 : 0;
        i += lead ? 2 : 1;
    }
    return 0;
}

void CutStringSpace(QByteArray &text)
{
    qsizetype n = text.size();
    // Trail bytes of code page 932 are 0x40 and above, so a 0x20 is always a blank of its own;
    // the full-width blank 0x81 0x40 is thus never touched.
    while (n > 0 && text[n - 1] == ' ')
        --n;
    text.truncate(n);
}

void CutStringSpace(char *text)
{
    if (!text)
        return;
    QByteArray copy(text);
    const qsizetype before = copy.size();
    CutStringSpace(copy);
    if (copy.size() != before)
        text[copy.size()] = '\0';
}

QByteArray trimmedField(QByteArrayView text)
{
    QByteArray out = text.toByteArray();
    const qsizetype nul = out.indexOf('\0');
    if (nul >= 0)
        out.truncate(nul);
    CutStringSpace(out);
    return out;
}

}  // namespace quenkit

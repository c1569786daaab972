// Feeds arbitrary bytes to the menu screen's clipboard reader as a block of either kind. The
// reader must never read past the block, and what it reads must be rows that a block written
// back from them gives again unchanged.
//
// Input: one byte of choice (bit 0: a whole-day block rather than selected rows), then the
// block.

#include "dalmain/userdata/MenuClipboardBlock.h"

#include <cstdint>
#include <cstdlib>

using namespace dalmain;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const MenuClipKind kind = (data[0] & 1) ? MenuClipKind::Day : MenuClipKind::Rows;
    // A copy of exactly the block's length, so that the sanitizer sees any read beyond it.
    const QByteArray block(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    const QList<MenuClipRecord> records = decodeMenuClipBlock(kind, block);
    check(records.size() <= block.size() / kMenuClipRecordSize);
    if (records.isEmpty())
        return 0;
    check(hasMenuClipMarker(kind, block));

    QByteArray text;
    for (qsizetype i = 0; i < records.size(); ++i)
        text += "row\r\n";
    const QByteArray again = encodeMenuClipBlock(kind, text, records);
    check(decodeMenuClipBlock(kind, again) == records);
    return 0;
}

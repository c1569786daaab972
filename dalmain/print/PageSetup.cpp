#include "dalmain/print/PageSetup.h"

#include "quenkit/registry/SettingsStore.h"

namespace dalmain {

namespace {

constexpr int kPortrait = 1;
constexpr int kLandscape = 2;

}  // namespace

StoredPaper readStoredPaper(const QString &section, QPageLayout::Orientation fallback)
{
    StoredPaper paper;
    switch (quenkit::GetRegistryInt(section, kOrientationValue, 0)) {
    case kPortrait: paper.orientation = QPageLayout::Portrait; break;
    case kLandscape: paper.orientation = QPageLayout::Landscape; break;
    default: paper.orientation = fallback; break;
    }
    const int id = quenkit::GetRegistryInt(section, kPaperSizeValue, -1);
    // A custom size has no number that says which; it is not kept, and nor is a number this
    // version of the paper list does not know.
    if (id >= 0 && id <= QPageSize::LastPageSize && id != QPageSize::Custom)
        paper.size = QPageSize(static_cast<QPageSize::PageSizeId>(id));
    return paper;
}

void writeStoredPaper(const QString &section, QPageLayout::Orientation orientation, const QPageSize &size)
{
    quenkit::SetRegistryInt(section, kOrientationValue, orientation == QPageLayout::Landscape ? kLandscape : kPortrait);
    if (size.isValid() && size.id() != QPageSize::Custom)
        quenkit::SetRegistryInt(section, kPaperSizeValue, size.id());
}

}  // namespace dalmain

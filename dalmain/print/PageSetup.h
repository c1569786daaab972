#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QString>

#include <optional>

// The paper a report keeps for itself in its settings section: "Orientation" (1 portrait,
// 2 landscape) and "PaperSize" (the number of a QPageSize::PageSizeId), both decimal text.
// The printer set-up writes them on the menu and analysis screens, and those reports print on
// that paper, on a printer and in a PDF file alike.
namespace dalmain {

inline const QString kOrientationValue = QStringLiteral("Orientation");
inline const QString kPaperSizeValue = QStringLiteral("PaperSize");

struct StoredPaper {
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    std::optional<QPageSize> size;   // none stored (or none that names a paper)
};

// The stored paper of section; an absent or unknown orientation is fallback.
StoredPaper readStoredPaper(const QString &section, QPageLayout::Orientation fallback);
void writeStoredPaper(const QString &section, QPageLayout::Orientation orientation, const QPageSize &size);

}  // namespace dalmain

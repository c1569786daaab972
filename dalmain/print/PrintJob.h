#pragma once

#include "dalmain/print/PageGrid.h"

#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QRect>
#include <QString>

#include <functional>
#include <optional>

class QPainter;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

// One print job: a report paints its pages through a ReportCanvas in hundredths of a
// millimetre, and the job puts them on a printer or into a PDF file with its fonts embedded.
namespace dalmain {

inline const QString kNoPrinterCaption = QStringLiteral("印刷中止");
inline const QString kNoPrinterMessage = QStringLiteral("印刷可能なプリンタが設定されていません。");
inline const QString kNoDataMessage = QStringLiteral("データが入力されていないので印刷できません。");

class Report;

// The page a report paints on. Coordinates are hundredths of a millimetre from the placed
// origin; every page opens with the report's page header.
class ReportCanvas
{
public:
    ReportCanvas(QPainter &painter, const Report &report, GridCell cell, int width, int bottom, int pageCount,
                 std::function<bool()> cancelled, std::function<bool()> newDevicePage);

    QPainter &painter() { return m_painter; }
    GridCell cell() const { return m_cell; }
    // The width a line may take: the page's, at most kLineCells cells.
    int width() const { return m_width; }
    int y() const { return m_y; }
    void advance(int height) { m_y += height; }
    int room() const { return m_bottom - kFooterHeight - m_y; }
    int pageNumber() const { return m_page; }
    // The pages the job found the report to take (0 while it is being counted).
    int pageCount() const { return m_pageCount; }

    // The report's text font, height hundredths of a millimetre high: a rounded gothic. The
    // plain gothic families installed here map the Kangxi radicals to the glyphs of the common
    // kanji, and the PDF's text layer then reads "⽉" for "月", so that a search of the filed
    // PDF for a word fails; the rounded families keep the two apart.
    static QFont textFont(int height, int style = 0);
    static const QString &textFace();

    // Starts the first page; false when the job was cancelled before.
    bool begin();
    // Starts a new page unless height still fits on this one; false when cancelled.
    bool ensureRoom(int height);
    // Ends the last page (its footer).
    void finish();

    // A heading of a block: bold, with a rule under it.
    void heading(const QString &text);

private:
    static constexpr int kFooterHeight = 800;
    void paintHeader();
    void paintFooter();
    bool nextPage();

    QPainter &m_painter;
    const Report &m_report;
    GridCell m_cell;
    int m_width;
    int m_bottom;
    int m_pageCount;
    std::function<bool()> m_cancelled;
    std::function<bool()> m_newDevicePage;
    int m_y = 0;
    int m_page = 0;
};

// What a report is to the job.
class Report
{
public:
    virtual ~Report() = default;
    virtual QString title() const = 0;      // also the document's name ("運動記録")
    virtual QString subject() const = 0;    // the person
    virtual QString dateText() const = 0;   // the day or month reported
    virtual bool isEmpty() const = 0;
    // Which progress window the job shows: 0 user, 1 menu, 2 exercise, 3 weight, 4 analysis
    // (quenkit::AbortKind).
    virtual int progressKind() const = 0;
    // The paper the report is printed on: its orientation, and its size when the report keeps
    // one of its own (the printer's own size, and A4 in a PDF file, otherwise).
    virtual QPageLayout::Orientation orientation() const { return QPageLayout::Portrait; }
    virtual std::optional<QPageSize> paperSize() const { return std::nullopt; }
    // Printed without colour: a printer is switched to greyscale for the job.
    virtual bool monochrome() const { return false; }
    // Paints the body after the first page has begun; false when cancelled.
    virtual bool paint(ReportCanvas &canvas) const = 0;

    // Paints the top of a page and returns the height it takes: by default the title with the
    // date beside it and the subject under it, over a rule.
    virtual int paintPageHeader(ReportCanvas &canvas) const;
    // Whether each page ends with "n / N"; a report that numbers its pages in its header has no
    // footer.
    virtual bool pageFooter() const { return true; }
    // Pages put on one sheet: 1, or 2 side by side, each the sheet turned upright and scaled
    // down to fit half of it (the report's orientation is then that of the sheet).
    virtual int pagesPerSheet() const { return 1; }
};

enum class PrintOutcome { Printed, NoData, Cancelled, Failed };

struct PrintRequest {
    ReportOptions options;
    // Asked before every page and between blocks; true stops the job.
    std::function<bool()> cancelled = [] { return false; };
    // Disabled while the pages are painted, so that nothing is started twice meanwhile, and
    // enabled again however the job ends.
    QWidget *window = nullptr;
};

// Writes report to a PDF file on the report's paper. A cancelled or failed job leaves no file.
PrintOutcome printToPdf(const Report &report, const PrintRequest &request, const QString &file, QString *error = nullptr);

// Prints report on printer with the report's orientation and paper, which are put back
// afterwards, whatever the outcome.
PrintOutcome printToPrinter(const Report &report, const PrintRequest &request, QPrinter &printer, QString *error = nullptr);

}  // namespace dalmain

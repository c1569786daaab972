#include "dalmain/print/PrintJob.h"

#include "quenkit/controls/Fonts.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QPrinter>
#include <QPointer>
#include <QSaveFile>
#include <QWidget>

#include <algorithm>

namespace dalmain {

namespace {

constexpr int kUnitsPerInch = 2540;
constexpr int kPdfMarginMm = 5;

// The document on one device: its page placed by the options, counted in a first pass so that
// every footer can say "n / N", then painted. With two pages to a sheet each page is the sheet
// turned upright, scaled down to fit half of it and centred there, so that a report laid out
// for a portrait page keeps its layout, only smaller.
class Job
{
public:
    Job(const Report &report, const PrintRequest &request, QPagedPaintDevice &device)
        : m_report(report), m_request(request), m_device(device), m_perSheet(std::max(1, report.pagesPerSheet()))
    {
        const QRectF mm = device.pageLayout().paintRect(QPageLayout::Millimeter);
        m_sheet = QSizeF(mm.width() * 100, mm.height() * 100);
        QSizeF page = m_sheet;
        if (m_perSheet > 1) {
            page = m_sheet.transposed();
            m_scale = std::min(m_sheet.width() / m_perSheet / page.width(), m_sheet.height() / page.height());
        }
        m_cell = gridCell(static_cast<int>(page.width() / 100), static_cast<int>(page.height() / 100));
        const QSize units(static_cast<int>(page.width()), static_cast<int>(page.height()));
        m_placed = placePage(request.options.mode, units, m_cell, request.options.topCm, request.options.leftCm);
        m_width = std::min(units.width() - m_placed.origin.x(), kLineCells * m_cell.width);
        m_page = page;
    }

    int countPages() const
    {
        QPicture scratch;
        QPainter painter(&scratch);
        int pages = 1;
        ReportCanvas canvas(painter, m_report, m_cell, m_width, m_placed.bottom, 0, [] { return false; },
                            [&pages] { ++pages; return true; });
        canvas.begin();
        m_report.paint(canvas);
        return pages;
    }

    // Paints every page on painter, which is open on the device; false when cancelled.
    bool paint(QPainter &painter, int pageCount) const
    {
        const double scale = m_device.logicalDpiX() / double(kUnitsPerInch);
        painter.scale(scale, m_device.logicalDpiY() / double(kUnitsPerInch));
        painter.setBackgroundMode(Qt::TransparentMode);
        const QTransform sheet = painter.transform();
        int onSheet = 0;
        place(painter, sheet, onSheet);
        const auto nextPage = [&] {
            if (++onSheet == m_perSheet) {
                onSheet = 0;
                if (!m_device.newPage())
                    return false;
            }
            place(painter, sheet, onSheet);
            return true;
        };
        ReportCanvas canvas(painter, m_report, m_cell, m_width, m_placed.bottom, pageCount, m_request.cancelled,
                            nextPage);
        if (!canvas.begin() || !m_report.paint(canvas))
            return false;
        canvas.finish();
        return true;
    }

private:
    // Puts the painter on the place-th page of the sheet.
    void place(QPainter &painter, const QTransform &sheet, int place) const
    {
        painter.setTransform(sheet);
        if (m_perSheet > 1) {
            const double slot = m_sheet.width() / m_perSheet;
            painter.translate(slot * place + (slot - m_page.width() * m_scale) / 2,
                              (m_sheet.height() - m_page.height() * m_scale) / 2);
            painter.scale(m_scale, m_scale);
        }
        painter.translate(m_placed.origin);
    }

    const Report &m_report;
    const PrintRequest &m_request;
    QPagedPaintDevice &m_device;
    int m_perSheet;
    QSizeF m_sheet;     // the printable area, hundredths of a millimetre
    QSizeF m_page;      // one page's area before it is scaled onto the sheet
    double m_scale = 1.0;
    GridCell m_cell;
    PagePlacement m_placed;
    int m_width = 0;
};

class WindowDisabled
{
public:
    explicit WindowDisabled(QWidget *window) : m_window(window)
    {
        if (m_window)
            m_window->setEnabled(false);
    }
    ~WindowDisabled()
    {
        if (m_window)
            m_window->setEnabled(true);
    }
    WindowDisabled(const WindowDisabled &) = delete;
    WindowDisabled &operator=(const WindowDisabled &) = delete;

private:
    QPointer<QWidget> m_window;
};

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

}  // namespace

ReportCanvas::ReportCanvas(QPainter &painter, const Report &report, GridCell cell, int width, int bottom, int pageCount,
                           std::function<bool()> cancelled, std::function<bool()> newDevicePage)
    : m_painter(painter), m_report(report), m_cell(cell), m_width(width), m_bottom(bottom), m_pageCount(pageCount),
      m_cancelled(std::move(cancelled)), m_newDevicePage(std::move(newDevicePage))
{
}

const QString &ReportCanvas::textFace()
{
    static const QString face = QStringLiteral("HG丸ｺﾞｼｯｸM-PRO");
    return face;
}

QFont ReportCanvas::textFont(int height, int style)
{
    return quenkit::createFont(textFace(), 0, height, style);
}

bool ReportCanvas::begin()
{
    if (m_cancelled())
        return false;
    m_page = 1;
    paintHeader();
    return true;
}

bool ReportCanvas::ensureRoom(int height)
{
    if (m_cancelled())
        return false;
    if (height <= room())
        return true;
    return nextPage();
}

bool ReportCanvas::nextPage()
{
    paintFooter();
    if (!m_newDevicePage())
        return false;
    ++m_page;
    paintHeader();
    return true;
}

void ReportCanvas::finish()
{
    paintFooter();
}

void ReportCanvas::paintHeader()
{
    m_y = 0;
    m_painter.save();
    m_y = m_report.paintPageHeader(*this);
    m_painter.restore();
}

int Report::paintPageHeader(ReportCanvas &canvas) const
{
    QPainter &painter = canvas.painter();
    const int line = canvas.cell().height;
    const int width = canvas.width();
    painter.setPen(Qt::black);
    painter.setFont(ReportCanvas::textFont(line * 3 / 2, quenkit::FontBold));
    painter.drawText(QRect(0, 0, width, line * 2), Qt::AlignLeft | Qt::AlignVCenter, title());
    painter.setFont(ReportCanvas::textFont(line * 4 / 5));
    painter.drawText(QRect(0, 0, width, line * 2), Qt::AlignRight | Qt::AlignVCenter, dateText());
    painter.drawText(QRect(0, line * 2, width, line), Qt::AlignLeft | Qt::AlignVCenter, subject());
    painter.setPen(QPen(Qt::black, 30));
    painter.drawLine(0, line * 3 + 60, width, line * 3 + 60);
    return line * 4;
}

void ReportCanvas::paintFooter()
{
    if (!m_report.pageFooter())
        return;
    m_painter.save();
    m_painter.setPen(Qt::black);
    m_painter.setFont(textFont(m_cell.height * 3 / 4));
    const QString number = m_pageCount > 0 ? QStringLiteral("%1 / %2").arg(m_page).arg(m_pageCount) : QString::number(m_page);
    m_painter.drawText(QRect(0, m_bottom - kFooterHeight, m_width, kFooterHeight), Qt::AlignHCenter | Qt::AlignBottom,
                       number);
    m_painter.restore();
}

void ReportCanvas::heading(const QString &text)
{
    const int line = m_cell.height;
    m_painter.save();
    m_painter.setPen(Qt::black);
    m_painter.setFont(textFont(line * 9 / 10, quenkit::FontBold));
    m_painter.drawText(QRect(0, m_y, m_width, line * 3 / 2), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("■ ") + text);
    m_painter.setPen(QPen(Qt::black, 15));
    m_painter.drawLine(0, m_y + line * 3 / 2, m_width, m_y + line * 3 / 2);
    m_painter.restore();
    m_y += line * 2;
}

PrintOutcome printToPdf(const Report &report, const PrintRequest &request, const QString &file, QString *error)
{
    if (report.isEmpty()) {
        setError(error, kNoDataMessage);
        return PrintOutcome::NoData;
    }
    // The old file stays until the new one is complete, and a cancelled job leaves it alone.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        setError(error, QStringLiteral("%1: %2").arg(file, out.errorString()));
        return PrintOutcome::Failed;
    }
    QPdfWriter writer(&out);
    writer.setTitle(report.title());
    writer.setCreator(QStringLiteral("Dalmora"));
    writer.setPageLayout(QPageLayout(report.paperSize().value_or(QPageSize(QPageSize::A4)), report.orientation(),
                                     QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                                     QPageLayout::Millimeter));
    const Job job(report, request, writer);
    const int pages = job.countPages();
    const WindowDisabled disabled(request.window);
    QPainter painter;
    if (!painter.begin(&writer)) {
        setError(error, QStringLiteral("%1: the PDF could not be started").arg(file));
        return PrintOutcome::Failed;
    }
    const bool painted = job.paint(painter, pages);
    painter.end();
    if (!painted) {
        out.cancelWriting();
        return PrintOutcome::Cancelled;
    }
    if (!out.commit()) {
        setError(error, QStringLiteral("%1: %2").arg(file, out.errorString()));
        return PrintOutcome::Failed;
    }
    return PrintOutcome::Printed;
}

PrintOutcome printToPrinter(const Report &report, const PrintRequest &request, QPrinter &printer, QString *error)
{
    if (report.isEmpty()) {
        setError(error, kNoDataMessage);
        return PrintOutcome::NoData;
    }
    if (!printer.isValid()) {
        setError(error, kNoPrinterMessage);
        return PrintOutcome::Failed;
    }
    const QPageLayout previous = printer.pageLayout();
    const QPrinter::ColorMode previousColour = printer.colorMode();
    if (report.monochrome())
        printer.setColorMode(QPrinter::GrayScale);
    printer.setPageOrientation(report.orientation());
    if (const std::optional<QPageSize> paper = report.paperSize())
        printer.setPageSize(*paper);
    printer.setDocName(report.title());
    const Job job(report, request, printer);
    const int pages = job.countPages();
    const WindowDisabled disabled(request.window);
    PrintOutcome outcome = PrintOutcome::Printed;
    QPainter painter;
    if (!painter.begin(&printer)) {
        setError(error, kNoPrinterMessage);
        outcome = PrintOutcome::Failed;
    } else if (!job.paint(painter, pages)) {
        printer.abort();
        painter.end();
        outcome = PrintOutcome::Cancelled;
    } else if (!painter.end()) {
        outcome = PrintOutcome::Failed;
    }
    printer.setPageLayout(previous);
    printer.setColorMode(previousColour);
    return outcome;
}

}  // namespace dalmain

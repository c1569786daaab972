#include "PrintTestSupport.h"

#include "dalmain/print/PrintJob.h"
#include "dalmain/print/ReportParts.h"

#include <QPainter>
#include <QPrinter>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

const ::testing::Environment *const application = testsupport::installGuiTestApplication(nullptr);

// A report of numbered blocks, each a cell line high plus padding, that notes on which page
// the painted job (not the counting pass) put each block.
class BlockReport : public dalmain::Report
{
public:
    explicit BlockReport(int blocks) : m_blocks(blocks) {}
    QString title() const override { return QStringLiteral("試験帳票"); }
    QString subject() const override { return QStringLiteral("氏名　試験花子"); }
    QString dateText() const override { return QStringLiteral("2024年05月10日(金)"); }
    bool isEmpty() const override { return m_blocks == 0; }
    int progressKind() const override { return 2; }
    QPageLayout::Orientation orientation() const override { return QPageLayout::Portrait; }
    bool monochrome() const override { return mono; }
    bool paint(dalmain::ReportCanvas &canvas) const override
    {
        if (printer)
            colourModes.append(printer->colorMode());
        for (int i = 1; i <= m_blocks; ++i) {
            if (!canvas.ensureRoom(2000))
                return false;
            canvas.painter().setFont(dalmain::ReportCanvas::textFont(canvas.cell().height));
            canvas.painter().drawText(QRect(0, canvas.y(), canvas.width(), 2000), Qt::AlignLeft, QStringLiteral("項目%1").arg(i));
            canvas.advance(2000);
            if (canvas.pageCount() > 0) {
                painted.append(canvas.pageNumber());
                if (window)
                    windowEnabled.append(window->isEnabled());
            }
        }
        return true;
    }
    mutable QList<int> painted;
    bool mono = false;
    QPrinter *printer = nullptr;
    mutable QList<QPrinter::ColorMode> colourModes;
    QWidget *window = nullptr;
    mutable QList<bool> windowEnabled;

private:
    int m_blocks;
};

class PrintJobTest : public ::testing::Test
{
protected:
    QString file(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(PrintJobTest, ABodyTallerThanAPageRunsOnWithTheHeaderAndTheNumberOfEveryPage)
{
    // 20 blocks of 2 cm under a header of about 1.7 cm on a printable height of 28.7 cm.
    BlockReport report(20);
    ASSERT_EQ(dalmain::printToPdf(report, {}, file(QStringLiteral("blocks.pdf"))), dalmain::PrintOutcome::Printed);
    EXPECT_EQ(printtest::pdfPageCount(file(QStringLiteral("blocks.pdf"))), 2);
    const QStringList pages = printtest::pdfText(file(QStringLiteral("blocks.pdf"))).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(pages[i].contains(QStringLiteral("試験帳票"))) << i;
        EXPECT_TRUE(pages[i].contains(QStringLiteral("試験花子"))) << i;
        EXPECT_TRUE(pages[i].contains(QStringLiteral("%1 / 2").arg(i + 1))) << pages[i].toStdString();
    }
    EXPECT_TRUE(pages[0].contains(QStringLiteral("項目1")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("項目20")));
    EXPECT_EQ(report.painted.count(1) + report.painted.count(2), 20);
    EXPECT_GT(report.painted.count(2), 0);
}

TEST_F(PrintJobTest, CancelBeforeTheFirstPageAbortsThePrinterJobAndRestoresItsOrientation)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file(QStringLiteral("printer.pdf")));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    BlockReport report(3);
    QWidget window;
    report.window = &window;
    dalmain::PrintRequest request;
    request.window = &window;
    request.cancelled = [] { return true; };
    EXPECT_EQ(dalmain::printToPrinter(report, request, printer), dalmain::PrintOutcome::Cancelled);
    EXPECT_TRUE(report.painted.isEmpty());
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_TRUE(window.isEnabled());

    // The same printer then prints the report in the report's orientation and is put back again;
    // the window is disabled while the pages are painted.
    request.cancelled = [] { return false; };
    ASSERT_EQ(dalmain::printToPrinter(report, request, printer), dalmain::PrintOutcome::Printed);
    EXPECT_EQ(report.painted, (QList<int>{1, 1, 1}));
    EXPECT_EQ(report.windowEnabled, (QList<bool>{false, false, false}));
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    const QString sizes = printtest::runTool(QStringLiteral("pdfinfo"), {file(QStringLiteral("printer.pdf"))}).out;
    // A4 portrait: 595 points wide, 842 high.
    EXPECT_TRUE(QRegularExpression(QStringLiteral("Page size:\\s+595(\\.\\d+)? x 84[12]")).match(sizes).hasMatch())
        << sizes.toStdString();
}

TEST_F(PrintJobTest, AMonochromeReportPrintsInGreyscaleAndGivesThePrinterItsColourBack)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file(QStringLiteral("colour.pdf")));
    printer.setColorMode(QPrinter::Color);
    for (const bool mono : {true, false}) {
        BlockReport report(1);
        report.mono = mono;
        report.printer = &printer;
        ASSERT_EQ(dalmain::printToPrinter(report, {}, printer), dalmain::PrintOutcome::Printed);
        ASSERT_FALSE(report.colourModes.isEmpty());
        EXPECT_EQ(report.colourModes.last(), mono ? QPrinter::GrayScale : QPrinter::Color) << mono;
        EXPECT_EQ(printer.colorMode(), QPrinter::Color) << mono;
    }
}

TEST_F(PrintJobTest, ACancelledOrEmptyPdfJobLeavesAnEarlierFileAsItWas)
{
    const QString path = file(QStringLiteral("kept.pdf"));
    ASSERT_TRUE(testsupport::writeFile(path, "earlier"));
    int asked = 0;
    dalmain::PrintRequest request;
    request.cancelled = [&asked] { return ++asked > 3; };  // cancelled partway through the body
    BlockReport report(20);
    EXPECT_EQ(dalmain::printToPdf(report, request, path), dalmain::PrintOutcome::Cancelled);
    EXPECT_EQ(testsupport::readFile(path), QByteArray("earlier"));

    QString error;
    EXPECT_EQ(dalmain::printToPdf(BlockReport(0), {}, path, &error), dalmain::PrintOutcome::NoData);
    EXPECT_EQ(error, QStringLiteral("データが入力されていないので印刷できません。"));
    EXPECT_EQ(testsupport::readFile(path), QByteArray("earlier"));
}

TEST_F(PrintJobTest, APdfEmbedsItsJapaneseFonts)
{
    ASSERT_EQ(dalmain::printToPdf(BlockReport(2), {}, file(QStringLiteral("fonts.pdf"))), dalmain::PrintOutcome::Printed);
    const QList<QStringList> fonts = printtest::pdfFonts(file(QStringLiteral("fonts.pdf")));
    ASSERT_FALSE(fonts.isEmpty());
    for (const QStringList &row : fonts) {
        // name type [type...] encoding emb sub uni object id: emb is the fifth field from the end.
        ASSERT_GE(row.size(), 7);
        EXPECT_EQ(row[row.size() - 5], QStringLiteral("yes")) << row.join(QLatin1Char(' ')).toStdString();
    }
}

TEST_F(PrintJobTest, AnOffsetPageStartsWhereTheOptionsSay)
{
    dalmain::PrintRequest request;
    request.options.mode = dalmain::PositionMode::Offset;
    request.options.leftCm = 5.0;
    request.options.topCm = 4.0;
    ASSERT_EQ(dalmain::printToPdf(BlockReport(1), request, file(QStringLiteral("offset.pdf"))), dalmain::PrintOutcome::Printed);
    ASSERT_EQ(dalmain::printToPdf(BlockReport(1), {}, file(QStringLiteral("plain.pdf"))), dalmain::PrintOutcome::Printed);
    // The title's corner in points; 5 cm and 4 cm are 141.7 and 113.4 points.
    const auto titleBox = [this](const QString &name) { return printtest::pdfWordCorner(file(name), QStringLiteral("試験帳票")); };
    const QPointF plain = titleBox(QStringLiteral("plain.pdf"));
    const QPointF offset = titleBox(QStringLiteral("offset.pdf"));
    ASSERT_GE(plain.x(), 0.0);
    EXPECT_NEAR(offset.x() - plain.x(), 141.7, 1.0);
    EXPECT_NEAR(offset.y() - plain.y(), 113.4, 1.0);
}

}  // namespace

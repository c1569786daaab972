#include "ControlsTestSupport.h"

#include "quenkit/controls/DatePickers.h"
#include "quenkit/controls/Drawing.h"
#include "quenkit/controls/Fonts.h"
#include "quenkit/controls/MonthlyCalendar.h"
#include "quenkit/controls/WindowHelpers.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include <functional>

namespace {

using namespace quenkit;

TEST(SetDialogPos, CentresOverTheOwnerAndNeverGoesNegative)
{
    struct Case {
        const char *what;
        QRect owner;
        QSize dialog;
        QPoint expected;
    };
    const Case cases[] = {
        {"centred", QRect(0, 0, 800, 600), QSize(200, 100), QPoint(300, 250)},
        {"owner away from the origin", QRect(1000, 50, 600, 400), QSize(300, 200), QPoint(1150, 150)},
        {"odd remainder rounds toward the owner's corner", QRect(0, 0, 801, 601), QSize(200, 100),
         QPoint(300, 250)},
        {"owner partly off the top left", QRect(-500, -300, 400, 300), QSize(200, 100), QPoint(0, 0)},
        {"owner on a screen left of the main one", QRect(-800, 0, 800, 600), QSize(200, 100), QPoint(0, 250)},
        {"dialog larger than the owner: right and bottom edges kept inside, then clamped",
         QRect(100, 100, 200, 100), QSize(400, 300), QPoint(0, 0)},
        {"dialog wider than an owner far right", QRect(1000, 0, 300, 600), QSize(400, 100), QPoint(900, 250)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(dialogPosition(c.owner, c.dialog), c.expected);
    }
}

TEST(SetDialogPos, MovesTheDialogWithoutResizingIt)
{
    QWidget owner;
    owner.setGeometry(-600, -400, 500, 300);
    QWidget dialog(nullptr, Qt::Dialog);
    dialog.resize(320, 180);
    const QPoint position = SetDialogPos(&owner, &dialog);
    EXPECT_EQ(dialog.pos(), position);
    EXPECT_GE(dialog.x(), 0);
    EXPECT_GE(dialog.y(), 0);
    EXPECT_EQ(dialog.size(), QSize(320, 180));

    SetDialogPos(nullptr, &dialog);
    EXPECT_GE(dialog.x(), 0);
    EXPECT_GE(dialog.y(), 0);
}

TEST(GetTopParent, WalksUpThroughChildrenAndPopups)
{
    testsupport::TempFolders folders;
    QWidget window;
    auto *panel = new QWidget(&window);
    auto *picker = new DMCalendar(panel);
    EXPECT_EQ(GetTopParent(picker), &window);
    EXPECT_EQ(GetTopParent(picker->monthlyCalendar()), &window) << "the grid is a window of its own";
    EXPECT_EQ(GetTopParent(&window), &window);
    EXPECT_EQ(GetTopParent(nullptr), nullptr);
}

// The bounding box of the pixels of one colour.
QRect pixelsOf(const QImage &image, QRgb color)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == color)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// Text drawn by draw on white, with a plain (not smoothed) font so colours stay exact.
QImage render(const std::function<void(QPainter &)> &draw)
{
    QImage image(160, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font = createFont(QStringLiteral("ＭＳ ゴシック"), 0, 20, FontBold);
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setPen(Qt::black);
    draw(painter);
    return image;
}

const QString kSample = QStringLiteral("献立");

TEST(OrnamentTextOut, PlacesOutlineAndShadowAroundTheText)
{
    const QRgb black = qRgb(0, 0, 0);
    const QRgb red = qRgb(255, 0, 0);
    const QRgb blue = qRgb(0, 0, 255);
    const QRect plain = pixelsOf(render([](QPainter &p) { textOut(p, 20, 10, kSample); }), black);
    ASSERT_TRUE(plain.isValid());

    const QImage outlined = render([](QPainter &p) { OrnamentTextOut(p, 20, 10, kSample, Qt::red); });
    EXPECT_EQ(pixelsOf(outlined, black), plain.translated(1, 1)) << "with an outline the text moves by one";
    EXPECT_EQ(pixelsOf(outlined, red), plain.translated(1, 1).adjusted(-1, -1, 1, 1));

    const QImage shadowed = render([](QPainter &p) { OrnamentTextOut(p, 20, 10, kSample, QColor(), Qt::blue); });
    EXPECT_EQ(pixelsOf(shadowed, black), plain);
    const QRect shadow = pixelsOf(shadowed, blue);
    EXPECT_EQ(shadow.right(), plain.right() + 2);
    EXPECT_EQ(shadow.bottom(), plain.bottom() + 1);

    const QImage both = render([](QPainter &p) { OrnamentTextOut(p, 20, 10, kSample, Qt::red, Qt::blue); });
    EXPECT_EQ(pixelsOf(both, black), plain.translated(1, 1));
    EXPECT_EQ(pixelsOf(both, blue).right(), plain.right() + 3);
}

TEST(OrnamentTextOut, LeavesThePainterAsItFoundIt)
{
    render([](QPainter &p) {
        p.setBackgroundMode(Qt::OpaqueMode);
        p.setPen(QColor(10, 20, 30));
        OrnamentTextOut(p, 0, 0, kSample, Qt::red, Qt::blue);
        EXPECT_EQ(p.pen().color(), QColor(10, 20, 30));
        EXPECT_EQ(p.backgroundMode(), Qt::OpaqueMode);
        BoaldTextOut(p, 0, 0, kSample);
        EXPECT_EQ(p.backgroundMode(), Qt::OpaqueMode);
    });
}

TEST(BoaldTextOut, WidensTheTextByOnePixelOnItsBackground)
{
    const QRgb black = qRgb(0, 0, 0);
    const QRect plain = pixelsOf(render([](QPainter &p) { textOut(p, 20, 10, kSample); }), black);
    const QImage bold = render([](QPainter &p) {
        p.setBackground(Qt::yellow);
        BoaldTextOut(p, 20, 10, kSample);
    });
    EXPECT_EQ(pixelsOf(bold, black), plain.adjusted(0, 0, 1, 0));
    EXPECT_EQ(bold.pixel(20, 10), qRgb(255, 255, 0)) << "the first pass fills the text cell";
}

TEST(ControlFonts, StyleFlagsAndSizes)
{
    struct Case {
        int style;
        bool bold, italic, underline, strikeOut;
    };
    const Case cases[] = {
        {0, false, false, false, false},
        {FontBold, true, false, false, false},
        {FontItalic | FontUnderline, false, true, true, false},
        {FontBold | FontItalic | FontUnderline | FontStrikeOut, true, true, true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.style);
        const QFont font = createFont(QStringLiteral("ＭＳ 明朝"), 0, 18, c.style);
        EXPECT_EQ(font.pixelSize(), 18);
        EXPECT_EQ(font.bold(), c.bold);
        EXPECT_EQ(font.italic(), c.italic);
        EXPECT_EQ(font.underline(), c.underline);
        EXPECT_EQ(font.strikeOut(), c.strikeOut);
    }

    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    const QFont original = painter.font();
    const QFont previous = SetFont(painter, 12, 24, QStringLiteral("HG丸ｺﾞｼｯｸM-PRO"), FontBold);
    EXPECT_EQ(previous, original);
    EXPECT_EQ(painter.font().pixelSize(), 24);
    EXPECT_EQ(DeleteFont(painter, previous), 1);
    EXPECT_EQ(painter.font(), original);
}

TEST(ControlFonts, JapaneseFacesResolveToInstalledJapaneseFamilies)
{
    for (const char *face : {"ＭＳ ゴシック", "ＭＳ Ｐゴシック", "ＭＳ 明朝", "HG丸ｺﾞｼｯｸM-PRO"}) {
        SCOPED_TRACE(face);
        const QFontInfo info(createFont(QString::fromUtf8(face), 0, 16));
        EXPECT_TRUE(QFontDatabase::writingSystems(info.family()).contains(QFontDatabase::Japanese))
            << "resolved to " << info.family().toStdString();
    }
    // The pickers' text layout relies on half-width characters being half the height wide.
    const QFontMetrics gothic(createFont(QStringLiteral("ＭＳ ゴシック"), 8, 16));
    EXPECT_EQ(gothic.horizontalAdvance(QStringLiteral("2012/02/28")), 80);
    EXPECT_EQ(gothic.horizontalAdvance(QStringLiteral("火")), 16);
}

}  // namespace

#include "ControlsTestSupport.h"

#include "quenkit/controls/Bitmaps.h"
#include "quenkit/controls/BmpButton.h"
#include "quenkit/controls/BmpDraw.h"
#include "quenkit/registry/SettingsStore.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

using namespace quenkit;
using controlstest::sendMouse;

// What the widget paints itself, without any background behind it.
QImage shown(QWidget &widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

QImage bitmapImage(const QString &name, QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.drawPixmap(0, 0, bitmapPixmap(name, size));
    return image;
}

TEST(BmpButton2, ShowsTheStateImagesAndClicksOnlyWhenReleasedInside)
{
    const QPoint inside(10, 10);
    const QPoint outside(60, 10);
    struct Step {
        QEvent::Type type;
        QPoint position;
        Qt::MouseButton button;
        Qt::MouseButtons held;
        BitmapButtonBase::State state;
        int commands;
    };
    const QList<QList<Step>> sequences = {
        {
            // Hover, press, wander out and back in, release inside: one click.
            {QEvent::MouseMove, inside, Qt::NoButton, Qt::NoButton, BitmapButtonBase::Hovered, 0},
            {QEvent::MouseButtonPress, inside, Qt::LeftButton, Qt::LeftButton, BitmapButtonBase::Pressed, 0},
            {QEvent::MouseMove, outside, Qt::NoButton, Qt::LeftButton, BitmapButtonBase::Normal, 0},
            {QEvent::MouseMove, inside, Qt::NoButton, Qt::LeftButton, BitmapButtonBase::Pressed, 0},
            {QEvent::MouseButtonRelease, inside, Qt::LeftButton, Qt::NoButton, BitmapButtonBase::Hovered, 1},
        },
        {
            // Released outside: no click.
            {QEvent::MouseButtonPress, inside, Qt::LeftButton, Qt::LeftButton, BitmapButtonBase::Pressed, 0},
            {QEvent::MouseMove, outside, Qt::NoButton, Qt::LeftButton, BitmapButtonBase::Normal, 0},
            {QEvent::MouseButtonRelease, outside, Qt::LeftButton, Qt::NoButton, BitmapButtonBase::Normal, 0},
        },
    };
    const char *const suffixes[] = {"_DEF", "_PUSH", "_OVER"};
    for (int s = 0; s < sequences.size(); ++s) {
        SCOPED_TRACE(testing::Message() << "sequence " << s);
        BmpButton2 button(QStringLiteral("Left1"), 2);
        button.resize(button.sizeHint());
        EXPECT_EQ(button.size(), QSize(24, 32));
        QSignalSpy commands(&button, &BmpButton2::command);
        for (const Step &step : sequences[s]) {
            sendMouse(&button, step.type, step.position, step.button, step.held);
            EXPECT_EQ(button.state(), step.state);
            EXPECT_EQ(commands.count(), step.commands);
            EXPECT_EQ(shown(button), bitmapImage(QStringLiteral("LEFT1") + QLatin1String(suffixes[step.state]),
                                                 button.size()));
        }
        for (const QList<QVariant> &signal : commands)
            EXPECT_EQ(signal.at(0).toInt(), 2);
    }
}

TEST(BmpButton, ClicksWithItsIdAndIgnoresOtherButtons)
{
    BmpButton button(QStringLiteral("TODAY"), 7);
    button.resize(button.sizeHint());
    QSignalSpy commands(&button, &BmpButton::command);
    sendMouse(&button, QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton, Qt::RightButton);
    sendMouse(&button, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::RightButton, Qt::NoButton);
    EXPECT_TRUE(commands.isEmpty());
    sendMouse(&button, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(button.state(), BitmapButtonBase::Pressed);
    sendMouse(&button, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands.at(0).at(0).toInt(), 7);
}

TEST(ControlBitmaps, EveryImageTheControlsUseIsThere)
{
    QList<QPair<QString, QSize>> expected;
    for (const char *arrow : {"LEFT1", "RIGHT1", "LEFT2", "RIGHT2", "LEFT4", "RIGHT4"}) {
        for (const char *state : {"_DEF", "_OVER", "_PUSH"})
            expected.append({QLatin1String(arrow) + QLatin1String(state), QSize(24, 32)});
    }
    expected += {{QStringLiteral("CALENDAR"), QSize(32, 32)}, {QStringLiteral("TODAY"), QSize(40, 32)},
                 {QStringLiteral("MONTH"), QSize(40, 32)},    {QStringLiteral("YEAR"), QSize(40, 32)},
                 {QStringLiteral("LEFT3"), QSize(16, 16)},    {QStringLiteral("RIGHT3"), QSize(16, 16)},
                 {QStringLiteral("CLOSE"), QSize(16, 16)}};
    for (const auto &[name, size] : expected) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_FALSE(bitmapFile(name).isEmpty());
        EXPECT_EQ(bitmapSize(name), size);
        const QImage image = bitmapPixmap(name).toImage();
        ASSERT_FALSE(image.isNull());
        EXPECT_GT(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 0) << "the middle is drawn";
    }
}

using BmpDrawPictures = controlstest::ControlsTest;

TEST_F(BmpDrawPictures, AProgramAddsItsOwnFolderAndNamesIgnoreCase)
{
    QTemporaryDir folder;
    QImage picture(45, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(folder.filePath(QStringLiteral("IDB_TITLE.png"))));
    EXPECT_TRUE(bitmapFile(QStringLiteral("IDB_TITLE")).isEmpty());

    QDir::addSearchPath(QString::fromLatin1(kBitmapSearchPrefix), folder.path());
    EXPECT_EQ(bitmapFile(QStringLiteral("idb_title")), folder.filePath(QStringLiteral("IDB_TITLE.png")));
    BmpDraw draw(QStringLiteral("IDB_TITLE"));
    EXPECT_EQ(draw.sizeHint(), QSize(45, 30));
    draw.resize(draw.sizeHint());
    EXPECT_EQ(shown(draw).pixel(20, 15), QColor(Qt::darkGreen).rgb());

    BmpDraw2 absolute(folder.filePath(QStringLiteral("IDB_TITLE.png")));
    EXPECT_EQ(absolute.sizeHint(), QSize(45, 30));

    // Relative names are taken from the program's folder, "\\" separating folders.
    QDir(folder.path()).mkpath(QStringLiteral("BMP"));
    ASSERT_TRUE(picture.save(folder.filePath(QStringLiteral("BMP/TOP.png"))));
    SetUserRegistryString(QStringLiteral("SystemDir"), folder.path() + QDir::separator());
    BmpDraw2 relative(QStringLiteral("BMP\\TOP.png"));
    EXPECT_EQ(relative.resolvedPath(), folder.filePath(QStringLiteral("BMP/TOP.png")));
    EXPECT_EQ(relative.sizeHint(), QSize(45, 30));
    BmpDraw2 missing(QStringLiteral("BMP\\NOTHERE.BMP"));
    EXPECT_TRUE(missing.sizeHint().isEmpty());
}

}  // namespace

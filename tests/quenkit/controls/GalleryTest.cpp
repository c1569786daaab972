#include "ControlsTestSupport.h"

#include "GalleryWindow.h"

#include <QFontMetrics>
#include <QImage>
#include <QSet>

namespace {

using ControlsGallery = controlstest::ControlsTest;

// Renders the gallery offscreen to CONTROLS_GALLERY_PNG for people to look at, and checks
// that the installed fonts draw every character it shows (no missing-glyph boxes).
TEST_F(ControlsGallery, RendersEveryControlWithLegibleJapaneseText)
{
    gallery::GalleryWindow window;
    window.show();
    const QImage image = window.grab().toImage();
    ASSERT_FALSE(image.isNull());
    ASSERT_TRUE(image.save(QStringLiteral(CONTROLS_GALLERY_PNG), "PNG")) << CONTROLS_GALLERY_PNG;
    EXPECT_FALSE(QImage(QStringLiteral(CONTROLS_GALLERY_PNG)).isNull());

    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 7) {
        for (int x = 0; x < image.width(); x += 7)
            colours.insert(image.pixel(x, y));
    }
    EXPECT_GT(colours.size(), 20) << "the window is not blank";

    const QList<QPair<QFont, QString>> texts = window.shownTexts();
    EXPECT_GT(texts.size(), 30);
    for (const auto &[font, text] : texts) {
        const QFontMetrics metrics(font);
        for (const uint c : text.toUcs4()) {
            if (QChar::isSpace(c))
                continue;
            EXPECT_TRUE(metrics.inFontUcs4(c))
                << "no glyph for U+" << std::hex << c << " of \"" << text.toStdString() << "\" in "
                << font.family().toStdString();
        }
    }
}

}  // namespace

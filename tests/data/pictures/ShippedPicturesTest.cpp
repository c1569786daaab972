// The shipped pictures of data/bmp: the drawing script gives the committed bytes again, and every
// picture the program looks up is there, is a plain 24-bit BMP of the expected size and shows
// something.

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtEndian>

#ifdef DALMORA_PICTURES_WITH_QIMAGE
#include <QImage>
#endif

namespace {

const QString kShipped = QStringLiteral(DALMORA_SOURCE_DIR "/data/bmp");

constexpr int kWidth = 160;
constexpr int kHeight = 120;

// Every picture the program looks up when a dish or food has none of its own.
QStringList expectedPictures()
{
    QStringList files = {QStringLiteral("cooking/和食.bmp"), QStringLiteral("cooking/洋食.bmp"),
                         QStringLiteral("cooking/中華.bmp"), QStringLiteral("cooking/DEFCOOK.bmp")};
    for (int g = 1; g <= 18; ++g)
        files.append(QStringLiteral("bmpsy%1/DEF%1").arg(g) + QStringLiteral("256.bmp"));
    return files;
}

QStringList filesBelow(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(root).relativeFilePath(it.next()));
    files.sort();
    return files;
}

TEST(ShippedPictures, DrawingScriptGivesTheCommittedFiles)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QProcess script;
    script.start(QStringLiteral(DALMORA_PYTHON),
                 {QStringLiteral(DALMORA_SOURCE_DIR "/scripts/make-pictures.py"), out.path()});
    ASSERT_TRUE(script.waitForFinished(120000));
    ASSERT_EQ(script.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();

    const QStringList drawn = filesBelow(out.path());
    ASSERT_EQ(drawn, filesBelow(kShipped)) << "the script and data/bmp hold different files";
    for (const QString &file : drawn) {
        EXPECT_TRUE(testsupport::readFile(out.filePath(file)) == testsupport::readFile(kShipped + QLatin1Char('/') + file))
            << file.toStdString() << " differs from a fresh drawing; run scripts/make-pictures.py";
    }
}

struct Bitmap {
    int width = 0;
    int height = 0;
    QList<quint32> pixels;  // 0xRRGGBB, top row first
};

// Reads a BMP as the program's pictures are written: file and info header, 24 bits, no
// compression, rows bottom-up and padded to four bytes. A failed expectation explains itself.
Bitmap readBitmap(const QByteArray &bytes, const std::string &name)
{
    Bitmap b;
    const auto *d = reinterpret_cast<const uchar *>(bytes.constData());
    if (bytes.size() < 54 || bytes.left(2) != "BM") {
        ADD_FAILURE() << name << ": not a BMP file";
        return b;
    }
    EXPECT_EQ(qFromLittleEndian<quint32>(d + 2), quint32(bytes.size())) << name << ": file size field";
    EXPECT_EQ(qFromLittleEndian<quint32>(d + 14), 40u) << name << ": info header size";
    EXPECT_EQ(qFromLittleEndian<quint16>(d + 26), 1) << name << ": planes";
    EXPECT_EQ(qFromLittleEndian<quint16>(d + 28), 24) << name << ": bits per pixel";
    EXPECT_EQ(qFromLittleEndian<quint32>(d + 30), 0u) << name << ": compression";
    const quint32 offset = qFromLittleEndian<quint32>(d + 10);
    const qint32 width = qFromLittleEndian<qint32>(d + 18);
    const qint32 height = qFromLittleEndian<qint32>(d + 22);
    const qint64 stride = (qint64(width) * 3 + 3) & ~3;
    if (width <= 0 || height <= 0 || qint64(offset) + stride * height > qint64(bytes.size())) {
        ADD_FAILURE() << name << ": pixel data missing for " << width << " x " << height;
        return b;
    }
    b.width = width;
    b.height = height;
    for (int y = height - 1; y >= 0; --y) {
        const uchar *row = d + offset + stride * y;
        for (int x = 0; x < width; ++x)
            b.pixels.append(quint32(row[3 * x + 2]) << 16 | quint32(row[3 * x + 1]) << 8 | row[3 * x]);
    }
    return b;
}

TEST(ShippedPictures, EachLookedUpPictureIsAPlainBitmapThatShowsSomething)
{
    QSet<QByteArray> seen;
    for (const QString &file : expectedPictures()) {
        SCOPED_TRACE(file.toStdString());
        const QByteArray bytes = testsupport::readFile(kShipped + QLatin1Char('/') + file);
        ASSERT_FALSE(bytes.isEmpty()) << "missing";
        EXPECT_FALSE(seen.contains(bytes)) << "the same picture as another one";
        seen.insert(bytes);

        const Bitmap b = readBitmap(bytes, file.toStdString());
        EXPECT_EQ(b.width, kWidth);
        EXPECT_EQ(b.height, kHeight);
        if (b.pixels.isEmpty())
            continue;
        // Not blank: many colours (drawing, anti-aliased text), and a good share of the picture
        // away from its most common colour.
        QHash<quint32, int> counts;
        for (quint32 p : b.pixels)
            ++counts[p];
        int commonest = 0;
        for (int n : std::as_const(counts))
            commonest = std::max(commonest, n);
        EXPECT_GE(counts.size(), 200) << "too few colours";
        EXPECT_LE(commonest, b.pixels.size() / 2) << "mostly one colour";

#ifdef DALMORA_PICTURES_WITH_QIMAGE
        // An independent reader sees the same picture.
        QImage image;
        ASSERT_TRUE(image.loadFromData(bytes, "BMP"));
        ASSERT_EQ(image.size(), QSize(kWidth, kHeight));
        for (int y = 0; y < kHeight; y += 7) {
            for (int x = 0; x < kWidth; x += 5)
                ASSERT_EQ(image.pixel(x, y) & 0xFFFFFFu, b.pixels[y * kWidth + x]) << x << "," << y;
        }
#endif
    }
}

}  // namespace

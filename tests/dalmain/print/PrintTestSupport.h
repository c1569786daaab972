#pragma once

// Reading a written PDF back with the poppler tools: its text, its page count, its fonts, and
// its pages as PNG pictures in the build folder.

#include "support/GuiTestApplication.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QPointF>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>

namespace printtest {

struct ToolResult {
    int exitCode = -1;
    QString out;
};

inline ToolResult runTool(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForStarted())
        return {};
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput())};
}

// The text with the page's layout kept ("-layout"), pages separated by form feeds.
inline QString pdfText(const QString &file)
{
    return runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")}).out;
}

inline int pdfPageCount(const QString &file)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(runTool(QStringLiteral("pdfinfo"), {file}).out);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The font rows of pdffonts: name, type, encoding, emb, sub, uni, object, id.
inline QList<QStringList> pdfFonts(const QString &file)
{
    const QStringList lines = runTool(QStringLiteral("pdffonts"), {file}).out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QList<QStringList> rows;
    for (qsizetype i = 2; i < lines.size(); ++i)
        rows.append(lines[i].split(QLatin1Char(' '), Qt::SkipEmptyParts));
    return rows;
}

// The top left corner of the first word that starts with text, in points from the page's top
// left ("pdftotext -bbox"); (-1, -1) when there is none.
inline QPointF pdfWordCorner(const QString &file, const QString &text)
{
    const QString html = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")}).out;
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>") + QRegularExpression::escape(text))
            .match(html);
    return m.hasMatch() ? QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QPointF(-1, -1);
}

// The first page's size in points, as pdfinfo gives it; empty when unreadable.
inline QSizeF pdfPageSize(const QString &file)
{
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)"))
                                          .match(runTool(QStringLiteral("pdfinfo"), {file}).out);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

// Renders every page to PRINT_PNG_DIR/name-N.png, replacing an earlier rendering of that name;
// the number of pictures written.
inline int renderPages(const QString &file, const QString &name)
{
    QDir dir(QStringLiteral(PRINT_PNG_DIR));
    dir.mkpath(QStringLiteral("."));
    const QRegularExpression page(QLatin1Char('^') + QRegularExpression::escape(name) + QStringLiteral("-\\d+\\.png$"));
    const auto pictures = [&] {
        QStringList found;
        for (const QString &f : dir.entryList(QDir::Files))
            if (page.match(f).hasMatch())
                found.append(f);
        return found;
    };
    for (const QString &f : pictures())
        dir.remove(f);
    runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("70"), file, dir.filePath(name)});
    return static_cast<int>(pictures().size());
}

}  // namespace printtest

// Writes the controls' bitmaps as SVG files: the arrow buttons in their three states, the
// text buttons, the calendar button and the small buttons of the month grid. The images are
// drawn here rather than by hand so that they share one look; the text is stored as outlines,
// so the files show the same on every machine. Run it after changing a design and commit the
// files it writes:
//
//     controls-make-bitmaps quenkit/controls/bitmaps

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainterPath>
#include <QPolygonF>
#include <QTextStream>

#include <cstdio>

namespace {

QString number(qreal value)
{
    QString text = QString::number(value, 'f', 2);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

QString pathData(const QPainterPath &path)
{
    QStringList parts;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            parts << QStringLiteral("M%1 %2").arg(number(e.x), number(e.y));
            break;
        case QPainterPath::LineToElement:
            parts << QStringLiteral("L%1 %2").arg(number(e.x), number(e.y));
            break;
        case QPainterPath::CurveToElement: {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            parts << QStringLiteral("C%1 %2 %3 %4 %5 %6")
                         .arg(number(e.x), number(e.y), number(c2.x), number(c2.y), number(end.x),
                              number(end.y));
            i += 2;
            break;
        }
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    return parts.join(QLatin1Char(' '));
}

// One SVG document being put together.
class Svg
{
public:
    Svg(int width, int height)
        : m_width(width)
        , m_height(height)
    {
    }

    void gradient(const QString &id, const QString &top, const QString &bottom)
    {
        m_defs << QStringLiteral("<linearGradient id=\"%1\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">"
                                 "<stop offset=\"0\" stop-color=\"%2\"/><stop offset=\"1\" stop-color=\"%3\"/>"
                                 "</linearGradient>")
                      .arg(id, top, bottom);
    }

    void roundedRect(const QRectF &r, qreal radius, const QString &fill, const QString &stroke,
                     qreal strokeWidth = 1)
    {
        m_body << QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" fill=\"%6\" "
                                 "stroke=\"%7\" stroke-width=\"%8\"/>")
                      .arg(number(r.x()), number(r.y()), number(r.width()), number(r.height()),
                           number(radius), fill, stroke, number(strokeWidth));
    }

    void path(const QPainterPath &p, const QString &fill)
    {
        m_body << QStringLiteral("<path d=\"%1\" fill=\"%2\"/>").arg(pathData(p), fill);
    }

    void stroke(const QPainterPath &p, const QString &color, qreal width)
    {
        m_body << QStringLiteral("<path d=\"%1\" fill=\"none\" stroke=\"%2\" stroke-width=\"%3\" "
                                 "stroke-linecap=\"round\"/>")
                      .arg(pathData(p), color, number(width));
    }

    bool write(const QString &file) const
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
            return false;
        QTextStream s(&out);
        s << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << m_width << "\" height=\"" << m_height
          << "\" viewBox=\"0 0 " << m_width << ' ' << m_height << "\">\n";
        if (!m_defs.isEmpty())
            s << "<defs>" << m_defs.join(QString()) << "</defs>\n";
        for (const QString &line : m_body)
            s << line << '\n';
        s << "</svg>\n";
        return true;
    }

private:
    int m_width;
    int m_height;
    QStringList m_defs;
    QStringList m_body;
};

enum State { Def, Over, Push };

struct Look {
    const char *top;
    const char *bottom;
    const char *border;
};

// Face colours of the buttons: a cool grey-blue at rest, warm under the mouse, darker and
// inverted while pressed.
Look look(State state)
{
    switch (state) {
    case Over:
        return {"#fffaf0", "#ffdc9a", "#c98517"};
    case Push:
        return {"#c3d0e0", "#e5ebf3", "#4f6580"};
    case Def:
        break;
    }
    return {"#ffffff", "#d9e2ed", "#7d90a8"};
}

const QString kInk = QStringLiteral("#2c4360");

void buttonBody(Svg &svg, int width, int height, State state)
{
    const Look l = look(state);
    svg.gradient(QStringLiteral("face"), QLatin1String(l.top), QLatin1String(l.bottom));
    svg.roundedRect(QRectF(0.5, 0.5, width - 1, height - 1), 3.5, QStringLiteral("url(#face)"),
                    QLatin1String(l.border));
    if (state != Push) {
        // A thin highlight along the top edge gives the raised look.
        QPainterPath shine;
        shine.moveTo(3, 1.5);
        shine.lineTo(width - 3, 1.5);
        svg.stroke(shine, QStringLiteral("#ffffff"), 1);
    }
}

QPainterPath triangle(qreal tipX, qreal baseX, qreal centerY, qreal halfHeight)
{
    QPainterPath p;
    p.addPolygon(QPolygonF({QPointF(baseX, centerY - halfHeight), QPointF(baseX, centerY + halfHeight),
                            QPointF(tipX, centerY)}));
    p.closeSubpath();
    return p;
}

// The arrow glyphs pointing left; right-pointing ones are mirrored. 1: day, 2: month,
// 4: year (a bar before the double arrow).
QPainterPath arrowGlyph(int kind, qreal height)
{
    const qreal cy = height / 2;
    QPainterPath p;
    switch (kind) {
    case 1:
        p.addPath(triangle(8.5, 15.5, cy, 6));
        break;
    case 2:
        p.addPath(triangle(5, 11.5, cy, 6));
        p.addPath(triangle(11.5, 18, cy, 6));
        break;
    case 4:
        p.addRect(QRectF(4.5, cy - 6, 2, 12));
        p.addPath(triangle(7.5, 13, cy, 6));
        p.addPath(triangle(13, 18.5, cy, 6));
        break;
    }
    return p;
}

QPainterPath mirrored(const QPainterPath &path, qreal width)
{
    QTransform t;
    t.translate(width, 0);
    t.scale(-1, 1);
    return t.map(path);
}

QPainterPath centredText(const QString &text, const QFont &font, const QRectF &box)
{
    QPainterPath p;
    p.addText(0, 0, font, text);
    const QRectF bounds = p.boundingRect();
    // Centre the ink, not the font cell, so every label sits the same in its button.
    p.translate(box.center() - bounds.center());
    return p;
}

QFont labelFont()
{
    for (const QString &family : {QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans CJK JP")}) {
        if (QFontDatabase::hasFamily(family)) {
            QFont font(family);
            font.setPixelSize(14);
            font.setWeight(QFont::DemiBold);
            return font;
        }
    }
    std::fprintf(stderr, "no Japanese font installed\n");
    std::exit(1);
}

bool writeArrows(const QString &folder)
{
    struct Arrow {
        const char *name;
        int kind;
    };
    const Arrow arrows[] = {{"1", 1}, {"2", 2}, {"4", 4}};
    const char *const suffixes[] = {"_DEF", "_OVER", "_PUSH"};
    const int w = 24;
    const int h = 32;
    for (const Arrow &arrow : arrows) {
        for (int side = 0; side < 2; ++side) {
            for (int state = Def; state <= Push; ++state) {
                Svg svg(w, h);
                buttonBody(svg, w, h, State(state));
                QPainterPath glyph = arrowGlyph(arrow.kind, h);
                if (side == 1)
                    glyph = mirrored(glyph, w);
                if (state == Push)
                    glyph.translate(1, 1);
                svg.path(glyph, state == Over ? QStringLiteral("#7a4300") : kInk);
                const QString name = QLatin1String(side == 0 ? "LEFT" : "RIGHT") + QLatin1String(arrow.name)
                    + QLatin1String(suffixes[state]);
                if (!svg.write(folder + QLatin1Char('/') + name + QStringLiteral(".svg")))
                    return false;
            }
        }
    }
    return true;
}

bool writeLabels(const QString &folder)
{
    struct Label {
        const char *name;
        const char *text;
    };
    const Label labels[] = {{"TODAY", "今日"}, {"MONTH", "今月"}, {"YEAR", "今年"}};
    const QFont font = labelFont();
    for (const Label &label : labels) {
        Svg svg(40, 32);
        buttonBody(svg, 40, 32, Def);
        svg.path(centredText(QString::fromUtf8(label.text), font, QRectF(0, 0, 40, 32)), kInk);
        if (!svg.write(folder + QLatin1Char('/') + QLatin1String(label.name) + QStringLiteral(".svg")))
            return false;
    }
    return true;
}

bool writeCalendar(const QString &folder)
{
    Svg svg(32, 32);
    buttonBody(svg, 32, 32, Def);
    // A wall-calendar page: red band with two rings, a grid of days below.
    svg.roundedRect(QRectF(7.5, 9.5, 17, 15), 1.5, QStringLiteral("#ffffff"), kInk);
    QPainterPath band;
    band.addRect(QRectF(8, 10, 16, 4));
    svg.path(band, QStringLiteral("#d9473f"));
    QPainterPath rings;
    rings.moveTo(12, 7.5);
    rings.lineTo(12, 11.5);
    rings.moveTo(20, 7.5);
    rings.lineTo(20, 11.5);
    svg.stroke(rings, kInk, 1.6);
    QPainterPath days;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column)
            days.addRect(QRectF(9.5 + column * 3.5, 15.5 + row * 2.8, 2, 1.8));
    }
    svg.path(days, kInk);
    return svg.write(folder + QStringLiteral("/CALENDAR.svg"));
}

bool writeSmallButtons(const QString &folder)
{
    const int s = 16;
    for (int side = 0; side < 2; ++side) {
        Svg svg(s, s);
        svg.roundedRect(QRectF(0.5, 0.5, s - 1, s - 1), 3, QStringLiteral("#f7f9fc"), QStringLiteral("#8a9bb0"));
        QPainterPath glyph = triangle(5, 10.5, 8, 4);
        if (side == 1)
            glyph = mirrored(glyph, s);
        svg.path(glyph, kInk);
        if (!svg.write(folder + (side == 0 ? QStringLiteral("/LEFT3.svg") : QStringLiteral("/RIGHT3.svg"))))
            return false;
    }
    Svg svg(s, s);
    svg.roundedRect(QRectF(0.5, 0.5, s - 1, s - 1), 3, QStringLiteral("#f7f9fc"), QStringLiteral("#8a9bb0"));
    QPainterPath cross;
    cross.moveTo(5, 5);
    cross.lineTo(11, 11);
    cross.moveTo(11, 5);
    cross.lineTo(5, 11);
    svg.stroke(cross, kInk, 1.8);
    return svg.write(folder + QStringLiteral("/CLOSE.svg"));
}

}  // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: controls-make-bitmaps OUTPUT_FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    if (!writeArrows(folder) || !writeLabels(folder) || !writeCalendar(folder) || !writeSmallButtons(folder)) {
        std::fprintf(stderr, "cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}

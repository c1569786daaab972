#include "quenkit/controls/Fonts.h"

#include <QPainter>
#include <QStringList>

#include <mutex>

namespace quenkit {

namespace {

// Installed-family candidates, best first: the Windows family that normally fills the face's
// role, then the families of the Debian font packages the build installs. The fixed-pitch
// faces ("ＭＳ ゴシック", "ＭＳ 明朝") get fixed-pitch families first, because layouts count
// on half-width characters being exactly half as wide as the height.
QStringList gothicFamilies()
{
    return {QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP"),
            QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Yu Gothic")};
}

QStringList proportionalGothicFamilies()
{
    return {QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"),
            QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Meiryo"), QStringLiteral("Yu Gothic UI")};
}

QStringList minchoFamilies()
{
    return {QStringLiteral("MS Mincho"), QStringLiteral("IPAMincho"), QStringLiteral("IPAexMincho"),
            QStringLiteral("Noto Serif CJK JP"), QStringLiteral("Yu Mincho")};
}

QStringList proportionalMinchoFamilies()
{
    return {QStringLiteral("MS PMincho"), QStringLiteral("IPAPMincho"), QStringLiteral("IPAexMincho"),
            QStringLiteral("Noto Serif CJK JP"), QStringLiteral("Yu Mincho")};
}

// Rounded gothic: Debian's fonts-motoya-l-maruberi, else a plain gothic.
QStringList roundedFamilies()
{
    return QStringList{QStringLiteral("MotoyaLMaru"), QStringLiteral("M PLUS Rounded 1c")} + gothicFamilies();
}

struct FaceGroup {
    QStringList faces;
    QStringList (*families)();
};

const QList<FaceGroup> &faceGroups()
{
    static const QList<FaceGroup> groups = {
        {{QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"), QStringLiteral("ＭＳ ｺﾞｼｯｸ")},
         gothicFamilies},
        {{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("MS UI Gothic")},
         proportionalGothicFamilies},
        {{QStringLiteral("ＭＳ 明朝"), QStringLiteral("MS Mincho")}, minchoFamilies},
        {{QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("MS PMincho")}, proportionalMinchoFamilies},
        {{QStringLiteral("HG丸ｺﾞｼｯｸM-PRO"), QStringLiteral("HGMaruGothicMPRO")}, roundedFamilies},
    };
    return groups;
}

}  // namespace

QStringList fontSubstitutes(const QString &face)
{
    for (const FaceGroup &group : faceGroups()) {
        if (group.faces.contains(face, Qt::CaseInsensitive)) {
            QStringList families = group.families();
            families.removeAll(face);  // a face never substitutes itself
            return families;
        }
    }
    return {};
}

void installFontSubstitutions()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (const FaceGroup &group : faceGroups()) {
            for (const QString &face : group.faces)
                QFont::insertSubstitutions(face, fontSubstitutes(face));
        }
    });
}

QFont createFont(const QString &face, int width, int height, int style)
{
    installFontSubstitutions();
    QFont font(face);
    if (height > 0)
        font.setPixelSize(height);
    // A Japanese face's natural average width is half its height; anything else is a stretch.
    if (width > 0 && height > 0 && width * 2 != height)
        font.setStretch(qBound(1, (width * 200 + height / 2) / height, 4000));
    font.setWeight((style & FontBold) ? QFont::Bold : QFont::Normal);
    font.setItalic(style & FontItalic);
    font.setUnderline(style & FontUnderline);
    font.setStrikeOut(style & FontStrikeOut);
    return font;
}

QFont SetFont(QPainter &painter, int width, int height, const QString &face, int style)
{
    const QFont previous = painter.font();
    painter.setFont(createFont(face, width, height, style));
    return previous;
}

int DeleteFont(QPainter &painter, const QFont &previous)
{
    painter.setFont(previous);
    return 1;
}

}  // namespace quenkit

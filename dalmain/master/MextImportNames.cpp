#include "dalmain/master/MextImportNames.h"

#include "quenkit/text/ShiftJis.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace dalmain::mext {

namespace {

constexpr char16_t Ideographic = 0x3000;

bool isOpening(QChar c)
{
    return c == QLatin1Char('<') || c == QLatin1Char('(') || c == QLatin1Char('[');
}

QChar closingOf(QChar open)
{
    return open == QLatin1Char('<') ? QLatin1Char('>') : open == QLatin1Char('(') ? QLatin1Char(')') : QLatin1Char(']');
}

QChar foldNameChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u == Ideographic)
        return QLatin1Char(' ');
    if (u == 0x30FB)   // ・
        return QChar(char16_t(0xFF65));
    if (u >= 0xFF01 && u <= 0xFF5E) {
        const QChar ascii(char16_t(u - 0xFEE0));
        if (ascii.isLetterOrNumber() || QStringLiteral("()[]<>%").contains(ascii))
            return ascii;
    }
    return c;
}

// Full-width kana to half width, built from the compatibility decompositions of the half-width
// block, so that it follows Unicode rather than a hand-typed table.
const QHash<char16_t, QString> &halfWidthKanaTable()
{
    static const QHash<char16_t, QString> table = [] {
        QHash<char16_t, QString> t;
        for (char16_t u = 0xFF66; u <= 0xFF9D; ++u) {
            const QString half(QChar{u});
            const QString full = half.normalized(QString::NormalizationForm_KC);
            if (full.size() != 1)
                continue;
            t.insert(full[0].unicode(), half);
            const struct {
                char16_t combining;
                char16_t mark;
            } marks[] = {{0x3099, 0xFF9E}, {0x309A, 0xFF9F}};
            for (const auto &m : marks) {
                const QString composed = (full + QChar(m.combining)).normalized(QString::NormalizationForm_C);
                if (composed.size() == 1)
                    t.insert(composed[0].unicode(), half + QChar(m.mark));
            }
        }
        return t;
    }();
    return table;
}

bool isKana(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x3041 && u <= 0x3096) || (u >= 0x30A1 && u <= 0x30FA) || u == 0x30FC;
}

int widthOf(const QString &text)
{
    return quenkit::sjisWidth(text);
}

QString innerText(const QString &qualifier)
{
    return qualifier.mid(1, qualifier.size() - 2).trimmed();
}

// The text cut to width bytes of Shift-JIS at a character boundary. A half-width kana whose
// voicing mark would be cut off goes with it, so that no cut leaves a different letter.
QString cutToWidth(const QString &text, int width)
{
    const QByteArray bytes = quenkit::toSjis(text);
    QByteArray cut = quenkit::cutSjisToWidth(bytes, width);
    if (cut.size() < bytes.size() && !cut.isEmpty()) {
        const unsigned char next = static_cast<unsigned char>(bytes[cut.size()]);
        if (next == 0xDE || next == 0xDF)
            cut.chop(1);
    }
    return quenkit::fromSjis(cut);
}

struct NameParts {
    QStringList subNames;    // repeated sub-names removed
    int head = 0;            // the first plain sub-name
    int last = 0;            // the last plain sub-name
    QList<int> qualifiers;   // indices, left to right
    QList<int> middle;       // plain sub-names between head and last
};

NameParts partsOf(const QStringList &subNames)
{
    NameParts p;
    for (const QString &s : subNames) {
        if (!s.isEmpty() && !p.subNames.contains(s))
            p.subNames.append(s);
    }
    int head = -1;
    int last = -1;
    for (int i = 0; i < p.subNames.size(); ++i) {
        if (isQualifier(p.subNames[i])) {
            p.qualifiers.append(i);
        } else {
            if (head < 0)
                head = i;
            last = i;
        }
    }
    p.head = std::max(head, 0);
    p.last = std::max(last, 0);
    for (int i = p.head + 1; i < p.last; ++i) {
        if (!isQualifier(p.subNames[i]))
            p.middle.append(i);
    }
    return p;
}

// Every form of a long name in order of preference, passed to visit until it returns true.
// Preference: fewest plain sub-names dropped, then katakana kept in full width, then fewest
// qualifiers dropped (always the leftmost ones), then the leftmost plain sub-names dropped.
template<typename Visit>
void forEachForm(const NameParts &p, Visit visit)
{
    const int middleCount = static_cast<int>(std::min<qsizetype>(p.middle.size(), 16));
    QList<QList<int>> combinations;   // reused per size
    for (int k = 0; k <= middleCount; ++k) {
        combinations.clear();
        // Combinations of k middle sub-names in lexicographic order.
        QList<int> pick(k);
        for (int i = 0; i < k; ++i)
            pick[i] = i;
        while (true) {
            QList<int> dropped;
            for (int i : pick)
                dropped.append(p.middle[i]);
            combinations.append(dropped);
            int i = k - 1;
            while (i >= 0 && pick[i] == middleCount - k + i)
                --i;
            if (i < 0)
                break;
            ++pick[i];
            for (int j = i + 1; j < k; ++j)
                pick[j] = pick[j - 1] + 1;
        }
        for (bool fold : {false, true}) {
            for (int q = 0; q <= p.qualifiers.size(); ++q) {
                for (const QList<int> &dropped : combinations) {
                    QStringList kept;
                    for (int i = 0; i < p.subNames.size(); ++i) {
                        if (dropped.contains(i) || (p.qualifiers.indexOf(i) >= 0 && p.qualifiers.indexOf(i) < q))
                            continue;
                        kept.append(p.subNames[i]);
                    }
                    QString form = kept.join(QLatin1Char(' '));
                    if (fold)
                        form = toHalfWidthKana(form);
                    if (visit(form))
                        return;
                }
            }
        }
    }
}

}  // namespace

QStringList officialSubNames(const QString &name)
{
    QStringList subNames;
    QString current;
    int depth = 0;
    for (QChar raw : name) {
        const QChar c = foldNameChar(raw);
        if (c.isSpace() && depth == 0) {
            if (!current.isEmpty())
                subNames.append(current);
            current.clear();
            continue;
        }
        if (isOpening(c))
            ++depth;
        else if ((c == QLatin1Char('>') || c == QLatin1Char(')') || c == QLatin1Char(']')) && depth > 0)
            --depth;
        current.append(c);
    }
    if (!current.isEmpty())
        subNames.append(current);
    return subNames;
}

bool isQualifier(const QString &subName)
{
    return subName.size() >= 2 && isOpening(subName.front()) && subName.back() == closingOf(subName.front());
}

QString toHalfWidthKana(const QString &text, bool hiragana)
{
    const QHash<char16_t, QString> &table = halfWidthKanaTable();
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        char16_t u = c.unicode();
        if (hiragana && u >= 0x3041 && u <= 0x3096)
            u = char16_t(u + 0x60);
        const auto it = table.constFind(u);
        if (it != table.constEnd() && (u >= 0x30A1 && u <= 0x30FC))
            out.append(*it);
        else
            out.append(c);
    }
    return out;
}

QList<ShortName> shortenGroupNames(const QList<QStringList> &subNames, int maxBytes)
{
    QList<ShortName> result(subNames.size());
    QSet<QString> taken;
    for (qsizetype i = 0; i < subNames.size(); ++i) {
        result[i].name = subNames[i].join(QLatin1Char(' '));
        if (widthOf(result[i].name) <= maxBytes)
            taken.insert(result[i].name);
    }
    for (qsizetype i = 0; i < subNames.size(); ++i) {
        ShortName &s = result[i];
        if (widthOf(s.name) <= maxBytes)
            continue;
        s.shortened = true;
        const NameParts parts = partsOf(subNames[i]);
        QString firstFit;
        QString distinct;
        forEachForm(parts, [&](const QString &form) {
            if (widthOf(form) > maxBytes)
                return false;
            if (firstFit.isNull())
                firstFit = form;
            if (taken.contains(form))
                return false;
            distinct = form;
            return true;
        });
        if (!distinct.isNull()) {
            s.name = distinct;
        } else if (!firstFit.isNull()) {
            s.name = firstFit;
        } else {
            QStringList essential{parts.subNames.value(parts.head)};
            if (parts.last != parts.head)
                essential.append(parts.subNames.value(parts.last));
            s.name = cutToWidth(toHalfWidthKana(essential.join(QLatin1Char(' '))), maxBytes).trimmed();
            s.cut = true;
        }
        taken.insert(s.name);
    }
    return result;
}

std::array<QString, 3> foodKeywords(const QStringList &subNames, const QString &shortName, int width)
{
    const NameParts parts = partsOf(subNames);
    QStringList words;
    if (!parts.subNames.isEmpty())
        words.append(parts.subNames[parts.head]);
    for (qsizetype i = parts.qualifiers.size() - 1; i >= 0; --i) {
        if (parts.qualifiers[i] < parts.last)
            words.append(innerText(parts.subNames[parts.qualifiers[i]]));
    }
    const QStringList kept = shortName.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int i : parts.middle) {
        if (!kept.contains(parts.subNames[i]))
            words.append(parts.subNames[i]);
    }

    std::array<QString, 3> keywords;
    size_t filled = 0;
    for (const QString &word : std::as_const(words)) {
        if (filled == keywords.size())
            break;
        const bool kanaOnly = !word.isEmpty() && std::all_of(word.begin(), word.end(), isKana);
        const QString keyword = cutToWidth(kanaOnly ? toHalfWidthKana(word, true) : word, width);
        if (keyword.isEmpty() || std::find(keywords.begin(), keywords.end(), keyword) != keywords.end())
            continue;
        keywords[filled++] = keyword;
    }
    return keywords;
}

}  // namespace dalmain::mext

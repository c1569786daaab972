#include "dalmain/master/DishListText.h"

#include "quenkit/text/ShiftJis.h"

#include <QRegularExpression>
#include <QSet>

namespace dalmain {

namespace {

// Whether text fits a field of width bytes in Shift-JIS; the problem otherwise.
QString widthProblem(const QString &what, const QString &text, int width)
{
    bool encodable = true;
    const QByteArray bytes = quenkit::toSjis(text, &encodable);
    if (!encodable)
        return QStringLiteral("%1 \"%2\" has a character that Shift-JIS cannot hold").arg(what, text);
    if (bytes.size() > width)
        return QStringLiteral("%1 \"%2\" takes %3 bytes; the field holds %4").arg(what, text).arg(bytes.size()).arg(width);
    return {};
}

class Parser
{
public:
    Parser(const QHash<QByteArray, quint32> &codes, QStringList *errors) : m_codes(codes), m_errors(errors) {}

    void line(int number, QString text)
    {
        const qsizetype hash = text.indexOf(QLatin1Char('#'));
        if (hash >= 0)
            text.truncate(hash);
        text = text.trimmed();
        if (text.isEmpty())
            return;
        if (text.startsWith(QLatin1String("dish ")) || text == QLatin1String("dish")) {
            finish();
            startDish(number, text.mid(4));
        } else if (!m_current) {
            error(number, QStringLiteral("an entry before the first \"dish\" line"));
        } else if (text.startsWith(QLatin1Char('>'))) {
            header(number, text.mid(1).trimmed());
        } else {
            food(number, text);
        }
    }

    QList<DishListItem> finish()
    {
        if (m_current && !m_currentBad) {
            int headers = 0;
            for (const DishEntry &e : std::as_const(m_current->entries))
                headers += e.isHeader() ? 1 : 0;
            if (m_current->entries.size() > dish::EntryCount)
                error(m_current->line, QStringLiteral("more than %1 entries").arg(dish::EntryCount));
            else if (headers > dish::HeaderNameCount)
                error(m_current->line, QStringLiteral("more than %1 dish headers").arg(dish::HeaderNameCount));
            else if (m_current->entries.size() < 2)
                error(m_current->line, QStringLiteral("a dish without foods"));
            if (!m_currentBad)
                m_items.append(*m_current);
        }
        m_current.reset();
        return m_items;
    }

private:
    void error(int line, const QString &what)
    {
        if (m_errors)
            m_errors->append(QStringLiteral("%1: %2").arg(line).arg(what));
        m_currentBad = true;
    }

    void startDish(int number, const QString &rest)
    {
        m_current = DishListItem{};
        m_currentBad = false;
        m_current->line = number;
        const QStringList parts = rest.split(QLatin1Char('|'));
        if (parts.size() < 3 || parts.size() > 4) {
            error(number, QStringLiteral("a dish line is \"dish NAME | CATEGORY | KEYWORDS [| MEMO]\""));
            return;
        }
        DishForm &form = m_current->form;
        form.name = parts[0].trimmed();
        form.category = parts[1].trimmed();
        const QStringList keywords = parts[2].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        form.memo = parts.value(3).trimmed();
        if (form.name.isEmpty() || form.category.isEmpty() || keywords.isEmpty()) {
            error(number, QStringLiteral("a dish needs a name, a category and a keyword"));
            return;
        }
        if (keywords.size() > dish::KeywordCount)
            error(number, QStringLiteral("more than %1 keywords").arg(dish::KeywordCount));
        for (int k = 0; k < dish::KeywordCount && k < keywords.size(); ++k)
            form.keywords[k] = keywords[k];
        if (m_names.contains(form.name))
            error(number, QStringLiteral("a second dish named \"%1\"").arg(form.name));
        m_names.insert(form.name);
        const QString problems[] = {
            widthProblem(QStringLiteral("the name"), form.name, dish::NameWidth),
            widthProblem(QStringLiteral("the category"), form.category, dish::CategoryWidth),
            widthProblem(QStringLiteral("a keyword"), form.keywords[0], dish::KeywordWidth),
            widthProblem(QStringLiteral("a keyword"), form.keywords[1], dish::KeywordWidth),
            widthProblem(QStringLiteral("a keyword"), form.keywords[2], dish::KeywordWidth),
            widthProblem(QStringLiteral("the memo"), form.memo, dish::MemoWidth),
        };
        for (const QString &p : problems) {
            if (!p.isEmpty())
                error(number, p);
        }
        m_current->entries.append(DishEntry::header(quenkit::toSjis(form.name)));
    }

    void header(int number, const QString &name)
    {
        if (name.isEmpty()) {
            error(number, QStringLiteral("a dish header without a name"));
            return;
        }
        const QString problem = widthProblem(QStringLiteral("the header"), name, dish::HeaderNameWidth);
        if (!problem.isEmpty()) {
            error(number, problem);
            return;
        }
        m_current->entries.append(DishEntry::header(quenkit::toSjis(name)));
    }

    void food(int number, const QString &text)
    {
        static const QRegularExpression pattern(QStringLiteral("^(\\d{5})\\s+(\\d{1,3})(?:\\.(\\d))?$"));
        const QRegularExpressionMatch m = pattern.match(text);
        if (!m.hasMatch()) {
            error(number, QStringLiteral("an entry is \"CODE GRAMS\" (five digits; grams up to 999.9) or \"> HEADER\""));
            return;
        }
        const QByteArray code = m.captured(1).toLatin1();
        const int tenths = m.captured(2).toInt() * 10 + (m.captured(3).isEmpty() ? 0 : m.captured(3).toInt());
        if (tenths == 0) {
            error(number, QStringLiteral("an amount of 0 g"));
            return;
        }
        const auto found = m_codes.constFind(code);
        if (found == m_codes.cend()) {
            error(number, QStringLiteral("no food of code %1 in the food table").arg(QString::fromLatin1(code)));
            return;
        }
        m_current->entries.append(DishEntry::foodEntry(*found, static_cast<quint16>(tenths)));
    }

    const QHash<QByteArray, quint32> &m_codes;
    QStringList *m_errors;
    QList<DishListItem> m_items;
    std::optional<DishListItem> m_current;
    bool m_currentBad = false;
    QSet<QString> m_names;
};

}  // namespace

QList<DishListItem> parseDishList(const QString &text, const QHash<QByteArray, quint32> &codes, QStringList *errors)
{
    Parser parser(codes, errors);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i)
        parser.line(static_cast<int>(i + 1), lines[i]);
    return parser.finish();
}

}  // namespace dalmain

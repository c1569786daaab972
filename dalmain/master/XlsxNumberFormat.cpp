#include "dalmain/master/XlsxNumberFormat.h"

#include <QByteArray>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace dalmain::xlsx {

namespace {

// The characters of a cell in a column of standard width, which the General format fills.
constexpr int GeneralWidth = 11;

// A non-negative number as a spreadsheet rounds it for display: at most 15 significant decimal
// digits. Rounding the digits, not the binary value, makes 2.675 show as 2.68 and 0.125 as 0.13.
struct Decimal {
    QByteArray digits;   // no leading or trailing zero; empty for zero
    int exponent = 0;    // the power of ten of the first digit

    static Decimal of(double magnitude)
    {
        Decimal d;
        if (!(magnitude > 0) || !std::isfinite(magnitude))
            return d;
        char text[40];
        std::snprintf(text, sizeof text, "%.14e", magnitude);   // d.dddddddddddddde±XX
        const char *e = std::strchr(text, 'e');
        d.exponent = std::atoi(e + 1);
        d.digits.append(text[0]);
        d.digits.append(text + 2, e - (text + 2));
        d.trim();
        return d;
    }

    // Keeps the first count digits, rounding half away from zero; count may be 0 or less.
    void keepDigits(int count)
    {
        if (count >= digits.size())
            return;
        if (count < 0) {
            *this = Decimal{};
            return;
        }
        const bool up = digits[count] >= '5';
        digits.truncate(count);
        if (up) {
            int i = count - 1;
            while (i >= 0 && digits[i] == '9') {
                digits[i] = '0';
                --i;
            }
            if (i < 0) {
                digits.prepend('1');
                ++exponent;
            } else {
                ++digits[i];
            }
        }
        trim();
    }

    void roundToDecimals(int decimals) { keepDigits(exponent + 1 + decimals); }

    char digitAt(int power) const
    {
        const int i = exponent - power;
        return i >= 0 && i < digits.size() ? digits[i] : '0';
    }

    // The digits before the decimal point, without leading zeros ("" below 1).
    QString integerDigits() const
    {
        QString out;
        for (int p = exponent; p >= 0 && !digits.isEmpty(); --p)
            out.append(QLatin1Char(digitAt(p)));
        return out;
    }

    QString fractionDigits(int count) const
    {
        QString out;
        for (int p = -1; p >= -count; --p)
            out.append(QLatin1Char(digitAt(p)));
        return out;
    }

    void trim()
    {
        while (!digits.isEmpty() && digits.endsWith('0'))
            digits.chop(1);
        if (digits.isEmpty())
            exponent = 0;
    }
};

QString exponentText(int exponent)
{
    return QStringLiteral("E%1%2").arg(exponent < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(std::abs(exponent), 2, 10, QLatin1Char('0'));
}

QString joinedNumber(const QString &integer, QString fraction)
{
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    return fraction.isEmpty() ? integer : integer + QLatin1Char('.') + fraction;
}

QString generalMagnitude(double magnitude)
{
    const Decimal exact = Decimal::of(magnitude);
    if (exact.digits.isEmpty())
        return QStringLiteral("0");
    if (exact.exponent >= -4 && exact.exponent < GeneralWidth) {
        const int integerCount = std::max(1, exact.exponent + 1);
        const int decimals = std::max(0, GeneralWidth - integerCount - 1);
        Decimal d = exact;
        d.roundToDecimals(decimals);
        if (d.exponent < GeneralWidth) {
            const QString integer = d.integerDigits();
            return joinedNumber(integer.isEmpty() ? QStringLiteral("0") : integer, d.fractionDigits(decimals));
        }
    }
    Decimal d = exact;
    d.keepDigits(GeneralWidth - int(exponentText(d.exponent).size()) - 1);
    const QString mantissa = joinedNumber(QString(QLatin1Char(d.digits[0])),
                                          QString::fromLatin1(d.digits.mid(1)));
    return mantissa + exponentText(d.exponent);
}

bool isPlaceholder(QChar c)
{
    return c == QLatin1Char('0') || c == QLatin1Char('#') || c == QLatin1Char('?');
}

bool isColour(QStringView name)
{
    static const char *const colours[] = {"Black", "Blue", "Cyan", "Green", "Magenta", "Red", "White", "Yellow"};
    for (const char *c : colours) {
        if (name.compare(QLatin1String(c), Qt::CaseInsensitive) == 0)
            return true;
    }
    if (name.startsWith(QLatin1String("Color"), Qt::CaseInsensitive)) {
        bool ok = false;
        const int number = name.mid(5).toInt(&ok);
        return ok && number >= 1;
    }
    return false;
}

// The sections of a code, split at the semicolons that are not quoted, escaped or bracketed.
QList<QStringView> splitSections(QStringView code)
{
    QList<QStringView> sections;
    qsizetype start = 0;
    bool quoted = false;
    bool bracketed = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (quoted) {
            quoted = c != QLatin1Char('"');
        } else if (bracketed) {
            bracketed = c != QLatin1Char(']');
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char('[')) {
            bracketed = true;
        } else if (c == QLatin1Char('\\') || c == QLatin1Char('_') || c == QLatin1Char('*')) {
            ++i;
        } else if (c == QLatin1Char(';')) {
            sections.append(code.mid(start, i - start));
            start = i + 1;
        }
    }
    sections.append(code.mid(start));
    return sections;
}

}  // namespace

QString formatGeneral(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("#NUM!");
    const QString magnitude = generalMagnitude(std::fabs(value));
    return value < 0 && magnitude != QLatin1String("0") ? QLatin1Char('-') + magnitude : magnitude;
}

QString builtInFormatCode(int id)
{
    static const QHash<int, QString> codes = {
        {0, QStringLiteral("General")},
        {1, QStringLiteral("0")},
        {2, QStringLiteral("0.00")},
        {3, QStringLiteral("#,##0")},
        {4, QStringLiteral("#,##0.00")},
        {9, QStringLiteral("0%")},
        {10, QStringLiteral("0.00%")},
        {11, QStringLiteral("0.00E+00")},
        {12, QStringLiteral("# ?/?")},
        {13, QStringLiteral("# ?" "?/?" "?")},   // split against trigraphs
        {14, QStringLiteral("m/d/yyyy")},
        {15, QStringLiteral("d-mmm-yy")},
        {16, QStringLiteral("d-mmm")},
        {17, QStringLiteral("mmm-yy")},
        {18, QStringLiteral("h:mm AM/PM")},
        {19, QStringLiteral("h:mm:ss AM/PM")},
        {20, QStringLiteral("h:mm")},
        {21, QStringLiteral("h:mm:ss")},
        {22, QStringLiteral("m/d/yyyy h:mm")},
        {37, QStringLiteral("#,##0 ;(#,##0)")},
        {38, QStringLiteral("#,##0 ;[Red](#,##0)")},
        {39, QStringLiteral("#,##0.00;(#,##0.00)")},
        {40, QStringLiteral("#,##0.00;[Red](#,##0.00)")},
        {45, QStringLiteral("mm:ss")},
        {46, QStringLiteral("[h]:mm:ss")},
        {47, QStringLiteral("mmss.0")},
        {48, QStringLiteral("##0.0E+0")},
        {49, QStringLiteral("@")},
    };
    return codes.value(id);
}

bool NumberFormat::Section::showsText() const
{
    for (const Token &t : tokens) {
        if (t.kind == Token::Text)
            return true;
    }
    return false;
}

NumberFormat::NumberFormat()
{
    Section general;
    general.tokens.append(Token{Token::General, {}});
    m_sections.append(general);
}

NumberFormat::NumberFormat(QStringView code)
{
    const QList<QStringView> parts = splitSections(code);
    bool ok = !code.trimmed().isEmpty() && parts.size() <= 4;
    QList<Section> sections;
    for (QStringView part : parts) {
        Section section;
        ok = ok && parseSection(part, section);
        sections.append(section);
    }
    if (ok) {
        m_sections = sections;
    } else {
        *this = NumberFormat();
        m_understood = false;
    }
}

bool NumberFormat::parseSection(QStringView code, Section &section)
{
    bool inNumber = false;      // the last thing read was part of the digit placeholders
    bool numberClosed = false;  // text followed the placeholders: no second run of them
    auto literal = [&](const QString &text) {
        if (!section.tokens.isEmpty() && section.tokens.last().kind == Token::Literal)
            section.tokens.last().literal += text;
        else
            section.tokens.append(Token{Token::Literal, text});
        if (inNumber)
            numberClosed = true;
        inNumber = false;
    };
    auto startNumber = [&] {
        if (inNumber)
            return true;
        if (numberClosed || std::any_of(section.tokens.cbegin(), section.tokens.cend(),
                                        [](const Token &t) { return t.kind == Token::Digits; }))
            return false;
        section.tokens.append(Token{Token::Digits, {}});
        inNumber = true;
        return true;
    };

    const qsizetype n = code.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = code[i];
        const QChar next = i + 1 < n ? code[i + 1] : QChar();
        if (c == QLatin1Char('"')) {
            const qsizetype end = code.indexOf(QLatin1Char('"'), i + 1);
            if (end < 0)
                return false;
            literal(code.mid(i + 1, end - i - 1).toString());
            i = end;
        } else if (c == QLatin1Char('\\')) {
            if (i + 1 >= n)
                return false;
            literal(QString(next));
            ++i;
        } else if (c == QLatin1Char('_') || c == QLatin1Char('*')) {
            if (i + 1 >= n)
                return false;
            ++i;   // padding and fill: alignment only
        } else if (c == QLatin1Char('[')) {
            const qsizetype end = code.indexOf(QLatin1Char(']'), i + 1);
            if (end < 0)
                return false;
            const QStringView inside = code.mid(i + 1, end - i - 1);
            if (inside.startsWith(QLatin1Char('$'))) {
                const qsizetype dash = inside.indexOf(QLatin1Char('-'));
                const QStringView currency = inside.mid(1, dash < 0 ? -1 : dash - 1);
                if (!currency.isEmpty())
                    literal(currency.toString());
            } else if (!isColour(inside)) {
                return false;   // conditions, elapsed times, other numeral systems
            }
            i = end;
        } else if (code.mid(i).startsWith(QLatin1String("General"), Qt::CaseInsensitive)) {
            if (inNumber)
                numberClosed = true;
            inNumber = false;
            section.tokens.append(Token{Token::General, {}});
            i += 6;
        } else if (isPlaceholder(c)) {
            if (!startNumber())
                return false;
            (section.decimalPoint ? section.fractionPlaceholders : section.integerPlaceholders).append(c);
        } else if (c == QLatin1Char('.') && !section.decimalPoint && (inNumber || isPlaceholder(next))) {
            if (!startNumber())
                return false;
            section.decimalPoint = true;
        } else if (c == QLatin1Char(',') && inNumber) {
            if (isPlaceholder(next) && !section.decimalPoint)
                section.grouping = true;
            else if (!isPlaceholder(next))
                ++section.thousandsScale;
        } else if (c == QLatin1Char('%')) {
            ++section.percent;
            literal(QStringLiteral("%"));
        } else if (c == QLatin1Char('@')) {
            if (inNumber)
                numberClosed = true;
            inNumber = false;
            section.tokens.append(Token{Token::Text, {}});
        } else if (c == QLatin1Char('/') && inNumber) {
            return false;   // fractions
        } else if (c.unicode() < 0x80 && c.isLetter()) {
            return false;   // dates, times, exponents, eras
        } else {
            literal(QString(c));
        }
    }
    return true;
}

QString NumberFormat::formatSection(const Section &section, double magnitude, bool minus) const
{
    QString out;
    if (minus)
        out.append(QLatin1Char('-'));
    for (const Token &token : section.tokens) {
        switch (token.kind) {
        case Token::Literal:
            out += token.literal;
            break;
        case Token::Text:
            break;
        case Token::General:
            out += generalMagnitude(magnitude);
            break;
        case Token::Digits: {
            const double scaled = magnitude * std::pow(100.0, section.percent) / std::pow(1000.0, section.thousandsScale);
            Decimal d = Decimal::of(scaled);
            const QString &integerPh = section.integerPlaceholders;
            const QString &fractionPh = section.fractionPlaceholders;
            d.roundToDecimals(int(fractionPh.size()));

            // The integer part, right-aligned on its placeholders; digits beyond them lead.
            const QString digits = d.integerDigits();
            QString integer;
            const qsizetype extra = digits.size() - integerPh.size();
            if (extra > 0)
                integer = digits.left(extra);
            for (qsizetype i = 0; i < integerPh.size(); ++i) {
                const qsizetype fromRight = integerPh.size() - 1 - i;
                const qsizetype at = digits.size() - 1 - fromRight;
                if (at >= 0)
                    integer.append(digits[at]);
                else if (integerPh[i] == QLatin1Char('0'))
                    integer.append(QLatin1Char('0'));
                else if (integerPh[i] == QLatin1Char('?'))
                    integer.append(QLatin1Char(' '));
            }
            if (section.grouping) {
                qsizetype firstDigit = 0;
                while (firstDigit < integer.size() && !integer[firstDigit].isDigit())
                    ++firstDigit;
                for (qsizetype at = integer.size() - 3; at > firstDigit; at -= 3)
                    integer.insert(at, QLatin1Char(','));
            }

            // The fraction: "#" drops trailing zeros and "?" blanks them; "0" keeps them.
            QString fraction = d.fractionDigits(int(fractionPh.size()));
            for (qsizetype i = fraction.size() - 1; i >= 0 && fraction[i] == QLatin1Char('0'); --i) {
                if (fractionPh[i] == QLatin1Char('0'))
                    break;
                if (fractionPh[i] == QLatin1Char('?'))
                    fraction[i] = QLatin1Char(' ');
                else
                    fraction.chop(1);
            }
            out += integer;
            if (section.decimalPoint)
                out += QLatin1Char('.') + fraction;
            break;
        }
        }
    }
    return out;
}

QString NumberFormat::format(double value) const
{
    if (!std::isfinite(value))
        return QStringLiteral("#NUM!");
    const qsizetype numberSections = std::min<qsizetype>(m_sections.size(), 3);
    const Section *section = &m_sections[0];
    bool minus = false;
    if (numberSections == 1)
        minus = value < 0;
    else if (value < 0)
        section = &m_sections[1];
    else if (value == 0 && numberSections == 3)
        section = &m_sections[2];
    // A text format shows a number as it is.
    if (section->showsText())
        return formatGeneral(value);
    return formatSection(*section, std::fabs(value), minus);
}

QString NumberFormat::formatText(const QString &text) const
{
    const Section *section = m_sections.size() >= 4                          ? &m_sections[3]
                             : m_sections.size() == 1 && m_sections[0].showsText() ? &m_sections[0]
                                                                                  : nullptr;
    if (!section)
        return text;
    QString out;
    for (const Token &token : section->tokens) {
        if (token.kind == Token::Literal)
            out += token.literal;
        else if (token.kind == Token::Text)
            out += text;
    }
    return out;
}

}  // namespace dalmain::xlsx

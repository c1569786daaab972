#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// The text a spreadsheet cell shows for its value through the cell's number format. The
// official composition tables keep part of their notation in number formats (an estimate is a
// plain number whose format adds the parentheses), so a reader of the workbooks must show each
// cell as it is displayed, not as it is stored.
//
// The part of the format language understood here: sections separated by ";" (positive;
// negative; zero; text), text in double quotes or after a backslash, the characters that stand
// for themselves ("(", ")", "-", "+", "$", "/", ":", blanks, non-ASCII text), "General", digit
// placeholders "0", "#" and "?" with a decimal point, "," grouping thousands (or, after the last
// placeholder, scaling by 1000), "%", "@" for a text, colours, and "[$¥-411]" currency texts.
// Padding ("_x") and fill ("*x") only align a cell's content and give no text. Anything else
// (dates and times, exponents, fractions, conditions) shows the value as General, so a number is
// never lost to a format that is not understood.
namespace dalmain::xlsx {

// A number as the General format shows it in a column of standard width: at most 11
// characters besides the sign, with as many significant digits as fit and no trailing zeros;
// scientific ("1.23457E+11") from 12 integer digits on and below 0.0001.
QString formatGeneral(double value);

// The format code of a built-in format number (0 "General", 1 "0", 2 "0.00", 3 "#,##0",
// 9 "0%", 49 "@", ...), or an empty text for one without a code of its own (it shows General).
QString builtInFormatCode(int id);

class NumberFormat {
public:
    NumberFormat();   // General
    explicit NumberFormat(QStringView code);

    // The text of a number, and of a text cell (unchanged unless the format has a text section).
    QString format(double value) const;
    QString formatText(const QString &text) const;

    // false when the code used something not understood and the format shows General instead.
    bool understood() const { return m_understood; }

private:
    // One piece of a section: text shown as it is, the value in General, the value through the
    // section's digit placeholders, or the cell's text ("@").
    struct Token {
        enum Kind { Literal, General, Digits, Text };
        Kind kind = Literal;
        QString literal;
    };
    struct Section {
        QList<Token> tokens;
        QString integerPlaceholders;    // "0", "#" and "?" before the decimal point
        QString fractionPlaceholders;   // after it
        bool decimalPoint = false;
        bool grouping = false;          // "," between integer placeholders
        int thousandsScale = 0;         // "," after the last placeholder, each dividing by 1000
        int percent = 0;                // each "%" multiplies by 100
        bool showsText() const;         // has "@"
    };

    static bool parseSection(QStringView code, Section &section);
    QString formatSection(const Section &section, double magnitude, bool minus) const;

    QList<Section> m_sections;
    bool m_understood = true;
};

}  // namespace dalmain::xlsx

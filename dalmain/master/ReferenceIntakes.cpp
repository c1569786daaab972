#include "dalmain/master/ReferenceIntakes.h"

#include "dalmain/master/NutrientDisplay.h"
#include "dalmain/master/ReferenceIntakeStandards.h"

#include "quenkit/files/DataFolder.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/registry/SettingsStore.h"

#include <QFile>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace dalmain {

const std::array<int, kIntakeColumns> kIntakeColumnNutrient = {
    EnergyKcal, Protein, Fat, Carbohydrate, Potassium, Calcium, Magnesium, Phosphorus,
    Iron, -1, Zinc, Copper, RetinolEq, VitaminD, VitaminEAlpha, VitaminK,
    VitaminB1, VitaminB2, Niacin, VitaminB6, VitaminB12, Folate, PantothenicAcid, VitaminC,
    SaturatedFattyAcids, Cholesterol, TotalFiber, SaltEquivalent,
};

namespace {

// A longer line is taken as garbage: all its fields read empty.
constexpr qsizetype kMaxLineLength = 10000;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The number at the start of a field, read as the C library reads decimal text: leading
// blanks, a sign, digits with an optional fraction and exponent; anything after it is ignored
// and a field without digits reads 0.
double leadingNumber(QByteArrayView field)
{
    qsizetype i = 0;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t'))
        ++i;
    const qsizetype start = i;
    if (i < field.size() && (field[i] == '+' || field[i] == '-'))
        ++i;
    qsizetype digits = 0;
    while (i < field.size() && isDigit(field[i]))
        ++i, ++digits;
    if (i < field.size() && field[i] == '.') {
        ++i;
        while (i < field.size() && isDigit(field[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0.0;
    if (i < field.size() && (field[i] == 'e' || field[i] == 'E')) {
        qsizetype j = i + 1;
        if (j < field.size() && (field[j] == '+' || field[j] == '-'))
            ++j;
        if (j < field.size() && isDigit(field[j])) {
            while (j < field.size() && isDigit(field[j]))
                ++j;
            i = j;
        }
    }
    // from_chars takes no plus sign.
    const qsizetype from = field[start] == '+' ? start + 1 : start;
    double value = 0.0;
    std::from_chars(field.data() + from, field.data() + i, value);
    return value;
}

// The integer at the start of a field: blanks, a sign and digits, as the C library reads it.
int leadingInteger(QByteArrayView field)
{
    qsizetype i = 0;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-'))
        negative = field[i++] == '-';
    long long value = 0;
    while (i < field.size() && isDigit(field[i]) && value < 1000000000)
        value = value * 10 + (field[i++] - '0');
    return static_cast<int>(negative ? -value : value);
}

// The fields of one line: a field ends at a comma or a CR, and double quotes are dropped.
QList<QByteArray> splitFields(QByteArrayView line)
{
    QList<QByteArray> fields;
    if (line.size() > kMaxLineLength)
        return fields;
    QByteArray field;
    for (char c : line) {
        if (c == ',' || c == '\r') {
            fields.append(field);
            field.clear();
        } else if (c != '"') {
            field.append(c);
        }
    }
    fields.append(field);
    return fields;
}

ReferenceIntakeRow parseRow(QByteArrayView line)
{
    const QList<QByteArray> fields = splitFields(line);
    auto field = [&](int i) { return i < fields.size() ? QByteArrayView(fields[i]) : QByteArrayView(); };
    ReferenceIntakeRow row;
    row.upperAge = leadingInteger(field(1));
    row.unused = {leadingNumber(field(2)), leadingNumber(field(3))};
    for (int i = 0; i < kIntakeRowValues; ++i)
        row.values[static_cast<size_t>(i)] = leadingNumber(field(4 + i));
    return row;
}

// Walks the lines of a text; a line ends at LF, and a last line without one still counts.
class Lines
{
public:
    explicit Lines(QByteArrayView text) : m_text(text) {}

    bool next(QByteArrayView &line)
    {
        if (m_pos >= m_text.size())
            return false;
        qsizetype end = m_text.indexOf('\n', m_pos);
        if (end < 0)
            end = m_text.size();
        line = m_text.sliced(m_pos, end - m_pos);
        if (line.endsWith('\r'))
            line.chop(1);
        m_pos = end + 1;
        return true;
    }

private:
    QByteArrayView m_text;
    qsizetype m_pos = 0;
};

template <size_t N>
bool readRows(Lines &lines, std::array<ReferenceIntakeRow, N> &rows)
{
    for (ReferenceIntakeRow &row : rows) {
        QByteArrayView line;
        if (!lines.next(line))
            return false;
        row = parseRow(line);
    }
    return true;
}

bool skipLines(Lines &lines, int count)
{
    QByteArrayView line;
    for (int i = 0; i < count; ++i) {
        if (!lines.next(line))
            return false;
    }
    return true;
}

// A field holds a whole number as the file writes one: blanks around an optional sign, digits and
// an optional fraction, or nothing (no value). The reading rule takes the leading prefix of
// anything; this is what a sound file has.
bool isNumberField(QByteArrayView field, bool integer)
{
    field = field.trimmed();
    if (field.isEmpty())
        return true;
    qsizetype i = 0;
    if (field[i] == '+' || field[i] == '-')
        ++i;
    qsizetype digits = 0;
    while (i < field.size() && isDigit(field[i]))
        ++i, ++digits;
    if (!integer && i < field.size() && field[i] == '.') {
        ++i;
        while (i < field.size() && isDigit(field[i]))
            ++i, ++digits;
    }
    return digits > 0 && i == field.size();
}

// An age bound past any person's age marks a damaged row (the user screen admits up to 99).
constexpr int kMaxUpperAge = 150;

// Why the line of a table row is not one, or empty when it is.
QString rowProblem(QByteArrayView line)
{
    const QList<QByteArray> fields = splitFields(line);
    if (fields.size() < kIntakeRowFields)
        return QStringLiteral("%1 fields of %2").arg(fields.size()).arg(kIntakeRowFields);
    for (int i = 1; i < kIntakeRowFields; ++i) {
        if (!isNumberField(fields[i], i == 1))
            return QStringLiteral("field %1 is not a number").arg(i);
    }
    for (qsizetype i = kIntakeRowFields; i < fields.size(); ++i) {
        if (!fields[i].trimmed().isEmpty())
            return QStringLiteral("more than %1 fields").arg(kIntakeRowFields);
    }
    const int age = leadingInteger(fields[1]);
    if (age < 0 || age > kMaxUpperAge)
        return QStringLiteral("upper age %1").arg(age);
    return {};
}

template <size_t N>
QString ageOrderProblem(const std::array<ReferenceIntakeRow, N> &rows, const char *table)
{
    for (int i = 1; i < kIntakeAgeRows; ++i) {
        if (rows[i].upperAge < rows[i - 1].upperAge)
            return QStringLiteral("the %1 age rows do not ascend at row %2").arg(QLatin1String(table)).arg(i + 1);
    }
    return {};
}

// Puts the installed copy of the file into the data folder. Qt copies through a temporary file,
// so an interrupted copy never leaves a truncated file that would then be taken as damaged.
void restoreInstalledCopy()
{
    QString folder;
    quenkit::GetUserRegistryString(QStringLiteral("DataDir"), nullptr, folder, 1024);
    if (folder.isEmpty())
        return;
    if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\')))
        folder += QLatin1Char('/');
    QFile::copy(quenkit::resolvePath(folder + kReferenceIntakeFile), quenkit::dataPath(kReferenceIntakeFile));
}

// round() of the fat rule: add 0.5 and drop the fraction.
double roundHalfUp(double x)
{
    return std::trunc(x + 0.5);
}

// The energy a gram gives in the columns whose goals are a share of energy; the age rows hold
// them converted to grams at the row's energy of the level. 0 for every other column.
double kcalPerGram(int column)
{
    switch (column) {
    case kIntakeFatColumn:
    case kIntakeSaturatedFatColumn:
        return 9.0;
    case kIntakeCarbohydrateColumn:
        return 4.0;
    default:
        return 0.0;
    }
}

// x rounded half up to decimals. The goals are exact decimal quotients; the small allowance
// keeps one that binary arithmetic lands just below a half from rounding down.
double roundToDecimals(double x, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::floor(x * scale + 0.5 + 1e-7) / scale;
}

// The grams of an age row's goal (grams at ageEnergy kcal) for energy kcal: the same share of
// energy. The row keeps its grams rounded to the display decimals, which leaves the share a
// little off; the goals are published in whole or half percents, so the share is taken to a
// tenth of a percent, which undoes the rounding at any energy above 900 kcal. A goal without a
// bound stays without one, and one whose row has no energy cannot be converted and stays as it is.
double sameShareOfEnergy(double grams, double ageEnergy, double energy, double kcalPerGram, int decimals)
{
    if (grams == 0 || ageEnergy <= 0)
        return grams;
    const double percent = std::round(grams * kcalPerGram * 1000.0 / ageEnergy) / 10.0;
    return roundToDecimals(percent * energy / (100.0 * kcalPerGram), decimals);
}

}  // namespace

const ReferenceIntakeRow &ReferenceIntakeTables::ageRow(int sex, int age) const
{
    const ReferenceIntakeRow *rows = sex == 1 ? female.data() : male.data();
    for (int i = 0; i < kIntakeAgeRows; ++i) {
        if (rows[i].upperAge >= age)
            return rows[i];
    }
    return rows[kIntakeAgeRows - 1];
}

bool parseReferenceIntakes(QByteArrayView text, ReferenceIntakeTables &tables)
{
    Lines lines(text);
    return skipLines(lines, 3) && readRows(lines, tables.male) && skipLines(lines, 1)
           && readRows(lines, tables.female);
}

QString referenceIntakeProblem(QByteArrayView text)
{
    constexpr int kHeadingLines = 3;
    constexpr int kSeparatorLine = kHeadingLines + kIntakeAgeRows;
    constexpr int kLines = kSeparatorLine + 1 + kIntakeAgeRows + kIntakeAdditionRows;   // 38
    Lines lines(text);
    QByteArrayView line;
    for (int n = 0; n < kLines; ++n) {
        if (!lines.next(line))
            return QStringLiteral("the file ends after %1 of %2 lines").arg(n).arg(kLines);
        if (n < kHeadingLines || n == kSeparatorLine)
            continue;
        const QString problem = rowProblem(line);
        if (!problem.isEmpty())
            return QStringLiteral("line %1: %2").arg(n + 1).arg(problem);
    }
    while (lines.next(line)) {
        if (!line.trimmed().isEmpty())
            return QStringLiteral("text after line %1").arg(kLines);
    }
    ReferenceIntakeTables tables;
    parseReferenceIntakes(text, tables);
    QString problem = ageOrderProblem(tables.male, "male");
    if (problem.isEmpty())
        problem = ageOrderProblem(tables.female, "female");
    return problem;
}

IntakeLoad LoadReferenceIntakes(quenkit::Owner *owner, ReferenceIntakeTables &tables)
{
    tables = ReferenceIntakeTables{};
    QFile file(quenkit::dataPath(kReferenceIntakeFile));
    if (!file.open(QIODevice::ReadOnly)) {
        restoreInstalledCopy();
        file.setFileName(quenkit::dataPath(kReferenceIntakeFile));
        if (!file.open(QIODevice::ReadOnly)) {
            quenkit::inform(owner, kIntakeLoadCaption, kIntakeUnreadableMessage, quenkit::Icon::Warning);
            return IntakeLoad::Unreadable;
        }
    }
    const QByteArray text = file.readAll();
    // The rows are read either way: a damaged file still gives what it has, as a short one does.
    const bool complete = parseReferenceIntakes(text, tables);
    if (!complete || !referenceIntakeProblem(text).isEmpty()) {
        quenkit::inform(owner, kIntakeLoadCaption, kIntakeDamagedMessage, quenkit::Icon::Warning);
        return IntakeLoad::Damaged;
    }
    return IntakeLoad::Loaded;
}

ReferenceIntakeTables &referenceIntakes()
{
    static ReferenceIntakeTables tables;
    return tables;
}

int DeriveIntakeStandard(quenkit::Owner *owner, const ReferenceIntakeTables &tables,
                         const IntakeSubject &subject, IntakeStandard &standard)
{
    // A block used before (another user, another standard) must not lend its old values to
    // the nutrients this derivation leaves alone.
    standard = IntakeStandard{};
    if (!subject.national) {
        if (findUserStandard(subject.standardName, &standard))
            return 1;
        reportMissingStandard(owner);
        return 0;
    }

    const int level = std::clamp(subject.activity, 0, kIntakeLevels - 1);
    const ReferenceIntakeRow &row = tables.ageRow(subject.sex, subject.age);
    for (int k = 0; k < kIntakeColumns; ++k) {
        if (k != kIntakeMenstruatingIronColumn)
            standard[kIntakeColumnNutrient[k]] = row.at(k, level);
    }

    const bool woman = subject.sex == 1;
    if (woman && subject.pregnancy >= 1 && subject.pregnancy <= kPregnancyClasses) {
        const ReferenceIntakeRow &addition = tables.additionRow(subject.pregnancy);
        const IntakeBound ageEnergy = row.at(kIntakeEnergyColumn, level);
        // Columns in ascending order: the energy (column 0) is increased before the goals that
        // follow it are converted.
        for (int k = 0; k < kIntakeColumns; ++k) {
            if (k == kIntakeMenstruatingIronColumn)
                continue;
            const int nutrient = kIntakeColumnNutrient[k];
            const IntakeBound add = addition.at(k, level);
            const IntakeBound energy = standard[EnergyKcal];
            IntakeBound &bound = standard[nutrient];
            if (k == kIntakeFatColumn && (add.lower != 0 || add.upper != 0)) {
                // A fat goal of the pregnancy's own, in percent of the increased energy; 9 kcal
                // a gram, rounded to a multiple of 5 g.
                bound.lower = 5.0 * roundHalfUp(add.lower * energy.lower / 4500.0);
                bound.upper = 5.0 * roundHalfUp(add.upper * energy.upper / 4500.0);
                continue;
            }
            // Without one, a goal that is a share of energy keeps the age group's share: in
            // grams it grows with the energy, or a pregnant woman's fat, carbohydrate and
            // saturated fat would be judged against the energy she had before.
            if (const double perGram = kcalPerGram(k); perGram > 0) {
                const int decimals = displayDecimals(nutrient);
                bound.lower = sameShareOfEnergy(bound.lower, ageEnergy.lower, energy.lower, perGram, decimals);
                bound.upper = sameShareOfEnergy(bound.upper, ageEnergy.upper, energy.upper, perGram, decimals);
            }
            bound.lower += add.lower;
            bound.upper += add.upper;
        }
    }
    if (woman && subject.menstruation == 0)
        standard[Iron] = row.at(kIntakeMenstruatingIronColumn, level);
    return 1;
}

}  // namespace dalmain

#include "dalmain/master/MextImport.h"

#include "dalmain/master/FoodTable.h"
#include "dalmain/master/MextImportCsv.h"
#include "dalmain/master/MextImportNames.h"
#include "dalmain/master/NutrientInfo.h"
#include "dalmain/master/XlsxWorkbook.h"
#include "quenkit/text/ShiftJis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QSaveFile>

#include <optional>

namespace dalmain::mext {

namespace {

// The converted main table's columns, by INFOODS tag name; the official spreadsheet has a row
// of these tags, which takes precedence.
const QStringList kMainTags = QStringLiteral(
    "group,food_number,index_number,name,REFUSE,ENERC,ENERC_KCAL,WATER,PROTCAA,PROT-,FATNLEA,CHOLE,FAT-,"
    "CHOAVLM,CHOAVL,CHOAVLDF-,FIB-,POLYL,CHOCDF-,OA,ASH,NA,K,CA,MG,P,FE,ZN,CU,MN,ID,SE,CR,MO,RETOL,CARTA,"
    "CARTB,CRYPXB,CARTBEQ,VITA_RAE,VITD,TOCPHA,TOCPHB,TOCPHG,TOCPHD,VITK,THIA,RIBF,NIA,NE,VITB6A,VITB12,"
    "FOL,PANTAC,BIOT,VITC,ALC,NACL_EQ").split(QLatin1Char(','));
const QStringList kFattyAcidTags = QStringLiteral(
    "group,food_number,index_number,name,WATER,FATNLEA,FAT-,FACID,FASAT,FAMS,FAPU,FAPUN3,FAPUN6").split(QLatin1Char(','));

// Where each nutrient comes from: a tag of the main table, of the fatty-acid table, or nowhere
// (soluble and insoluble fibre are not in the 2020 main table and read 0).
struct Source {
    const char *tag;
    bool fattyAcids;
};
constexpr Source kSources[kNutrientCount] = {
    {"ENERC_KCAL", false}, {"ENERC", false}, {"WATER", false}, {"PROT-", false}, {"FAT-", false},
    {"CHOCDF-", false}, {"ASH", false}, {"NA", false}, {"K", false}, {"CA", false}, {"MG", false},
    {"P", false}, {"FE", false}, {"ZN", false}, {"CU", false}, {"RETOL", false}, {"CARTBEQ", false},
    {"VITA_RAE", false}, {"VITD", false}, {"TOCPHA", false}, {"VITK", false}, {"THIA", false},
    {"RIBF", false}, {"NIA", false}, {"VITB6A", false}, {"VITB12", false}, {"FOL", false},
    {"PANTAC", false}, {"VITC", false}, {"FASAT", true}, {"FAMS", true}, {"FAPU", true},
    {"CHOLE", false}, {nullptr, false}, {nullptr, false}, {"FIB-", false}, {"NACL_EQ", false},
};

// Column positions of one CSV, from its default layout and whatever header rows it has.
struct Columns {
    QHash<QString, int> byTag;
    int number = 1;
    int name = 3;

    explicit Columns(const QStringList &defaultTags)
    {
        for (int i = 0; i < defaultTags.size(); ++i)
            byTag.insert(defaultTags[i], i);
    }

    // Takes the positions of a header row; true when the row is one.
    bool learnFrom(const QStringList &row)
    {
        bool header = false;
        QHash<QString, int> tags;
        for (int i = 0; i < row.size(); ++i) {
            QString cell = row[i];
            cell.remove(QLatin1Char('\n')).remove(QLatin1Char('\r')).remove(QLatin1Char(' ')).remove(QChar(0x3000));
            if (cell == QStringLiteral("食品番号")) {
                number = i;
                header = true;
            } else if (cell == QStringLiteral("食品名")) {
                name = i;
                header = true;
            } else if (!cell.isEmpty()) {
                tags.insert(cell, i);
            }
        }
        if (tags.contains(QStringLiteral("ENERC_KCAL")) || tags.contains(QStringLiteral("FASAT"))) {
            for (auto it = tags.cbegin(); it != tags.cend(); ++it)
                byTag.insert(it.key(), it.value());
            header = true;
        }
        return header;
    }

    QString cell(const QStringList &row, const char *tag) const
    {
        const int i = byTag.value(QString::fromLatin1(tag), -1);
        return i >= 0 && i < row.size() ? row[i] : QString();
    }
};

// The official five-digit number of a row ("01001"; a spreadsheet may have dropped the leading
// zero), or nothing for a row that is no food.
std::optional<QString> foodNumberOf(const QStringList &row, const Columns &columns)
{
    if (columns.number >= row.size())
        return std::nullopt;
    QString text;
    for (QChar c : row[columns.number].trimmed()) {
        const char16_t u = c.unicode();
        text.append(u >= 0xFF10 && u <= 0xFF19 ? QChar(char16_t(u - 0xFEE0)) : c);
    }
    if (text.size() < 4 || text.size() > 5)
        return std::nullopt;
    for (QChar c : text) {
        if (!c.isDigit())
            return std::nullopt;
    }
    return text.rightJustified(5, QLatin1Char('0'));
}

struct Row {
    QString code;   // official number
    QStringList cells;
};

// The food rows of a table, each number once, with the positions learnt from its header rows.
QList<Row> foodRows(const QList<QStringList> &table, Columns &columns, int *skipped, QStringList *duplicates)
{
    QList<Row> rows;
    QSet<QString> seen;
    for (const QStringList &row : table) {
        const std::optional<QString> code = foodNumberOf(row, columns);
        if (!code) {
            if (!columns.learnFrom(row) && skipped)
                ++*skipped;
            continue;
        }
        if (seen.contains(*code)) {
            if (duplicates)
                duplicates->append(*code);
            continue;
        }
        seen.insert(*code);
        rows.append(Row{*code, row});
    }
    return rows;
}

double cellAsNumber(const QString &cell, const QString &what, QStringList &problems)
{
    const CellValue v = parseCell(cell);
    if (v.kind == CellValue::Invalid)
        problems.append(QStringLiteral("%1: \"%2\" is no value; read as 0").arg(what, cell));
    return v.kind == CellValue::Number ? v.value : 0.0;
}

}  // namespace

QString ImportReport::text() const
{
    QString t;
    auto section = [&t](const QString &title, const QStringList &lines) {
        t += QStringLiteral("%1: %2\n").arg(title).arg(lines.size());
        for (const QString &line : lines)
            t += QStringLiteral("  %1\n").arg(line);
    };
    t += QStringLiteral("Food rows read: %1\n").arg(rowsRead);
    t += QStringLiteral("Other rows skipped: %1\n").arg(rowsSkipped);
    t += QStringLiteral("Foods written: %1\n").arg(written);
    if (fattyAcidsRead)
        t += QStringLiteral("Foods without fatty-acid data (0 written): %1\n").arg(foodsWithoutFattyAcids);
    else
        t += QStringLiteral("No fatty-acid table: saturated, mono- and polyunsaturated fatty acids are 0\n");
    section(QStringLiteral("Left out (beyond the standard numbering)"), leftOut);
    section(QStringLiteral("Duplicate food numbers (first row kept)"), duplicates);
    section(QStringLiteral("Names shortened to 40 bytes"), shortened);
    section(QStringLiteral("Name collisions within a group"), collisions);
    section(QStringLiteral("Value problems"), valueProblems);
    return t;
}

QSet<QString> readFoodNumberList(const QByteArray &text)
{
    QSet<QString> numbers;
    for (const QByteArray &rawLine : text.split('\n')) {
        const qsizetype comment = rawLine.indexOf('#');
        const QByteArray line = (comment < 0 ? rawLine : rawLine.left(comment)).trimmed();
        if (!line.isEmpty())
            numbers.insert(QString::fromLatin1(line).rightJustified(5, QLatin1Char('0')));
    }
    return numbers;
}

bool readMextTable(const QByteArray &file, QList<QStringList> &rows, QString *error)
{
    rows.clear();
    if (!xlsx::looksLikeZip(file)) {
        rows = parseCsv(file);
        return true;
    }
    auto fail = [error](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    xlsx::Workbook workbook;
    QString why;
    if (!workbook.open(file, &why))
        return fail(QStringLiteral("not a readable workbook: %1").arg(why));
    // The ministry's workbooks open with the whole table, followed by one sheet per food group
    // that repeats its rows.
    const int whole = workbook.sheetIndex(QStringLiteral("表全体"));
    QList<xlsx::SheetRow> sheetRows;
    if (!workbook.readSheet(whole >= 0 ? whole : 0, sheetRows, &why))
        return fail(QStringLiteral("not a readable workbook: %1").arg(why));
    rows.reserve(sheetRows.size());
    for (xlsx::SheetRow &row : sheetRows)
        rows.append(std::move(row.cells));
    return true;
}

bool importMext(const QByteArray &mainCsv, const QByteArray &fattyAcidsCsv, ImportResult &result, QString *error,
                const QSet<QString> *only)
{
    result = ImportResult{};
    QList<QStringList> mainRows;
    QList<QStringList> fattyRows;
    QString why;
    if (!readMextTable(mainCsv, mainRows, &why)) {
        if (error)
            *error = QStringLiteral("main table: %1").arg(why);
        return false;
    }
    if (!fattyAcidsCsv.isEmpty() && !readMextTable(fattyAcidsCsv, fattyRows, &why)) {
        if (error)
            *error = QStringLiteral("fatty-acid table: %1").arg(why);
        return false;
    }
    return importMextRows(mainRows, fattyAcidsCsv.isEmpty() ? nullptr : &fattyRows, result, error, only);
}

bool importMextRows(const QList<QStringList> &mainTable, const QList<QStringList> *fattyAcidTable,
                    ImportResult &result, QString *error, const QSet<QString> *only)
{
    result = ImportResult{};
    ImportReport &report = result.report;

    Columns mainColumns(kMainTags);
    const QList<Row> mainRows = foodRows(mainTable, mainColumns, &report.rowsSkipped, &report.duplicates);
    report.rowsRead = static_cast<int>(mainRows.size());
    if (mainRows.isEmpty()) {
        if (error)
            *error = QStringLiteral("the main table holds no food row");
        return false;
    }

    QHash<QString, QStringList> fattyAcids;
    Columns fattyColumns(kFattyAcidTags);
    if (fattyAcidTable) {
        report.fattyAcidsRead = true;
        for (const Row &row : foodRows(*fattyAcidTable, fattyColumns, nullptr, nullptr))
            fattyAcids.insert(row.code, row.cells);
    }

    // The standard foods, by group, in number order.
    QMap<quint32, const Row *> standard;
    for (const Row &row : mainRows) {
        const int group = row.code.left(2).toInt();
        const int serial = row.code.mid(2).toInt();
        const quint32 count = group >= 1 && group < food::GroupCount ? foodGroupOffset(group + 1) - foodGroupOffset(group)
                              : group == food::GroupCount ? food::LastStandardNumber - foodGroupOffset(group)
                                                          : 0;
        const QString name = officialSubNames(row.cells.value(mainColumns.name)).join(QLatin1Char(' '));
        if (serial < 1 || static_cast<quint32>(serial) > count) {
            report.leftOut.append(QStringLiteral("%1 %2").arg(row.code, name));
            continue;
        }
        standard.insert(foodGroupOffset(group) + static_cast<quint32>(serial), &row);
    }

    for (int group = 1; group <= food::GroupCount; ++group) {
        QList<quint32> numbers;
        QList<QStringList> subNames;
        for (auto it = standard.cbegin(); it != standard.cend(); ++it) {
            if (standardGroupOf(it.key()) == group) {
                numbers.append(it.key());
                subNames.append(officialSubNames(it.value()->cells.value(mainColumns.name)));
            }
        }
        const QList<ShortName> names = shortenGroupNames(subNames, food::NameWidth);

        QHash<QString, QStringList> byName;
        for (int i = 0; i < numbers.size(); ++i) {
            const Row &row = *standard.value(numbers[i]);
            const QString official = subNames[i].join(QLatin1Char(' '));
            if (names[i].shortened)
                report.shortened.append(QStringLiteral("%1 %2 -> %3%4")
                                            .arg(row.code, official, names[i].name,
                                                 names[i].cut ? QStringLiteral(" (cut)") : QString()));
            byName[names[i].name].append(row.code);
            if (only && !only->contains(row.code))
                continue;

            FoodRecord food;
            food.number = numbers[i];
            food.group = group;
            food.name = quenkit::toSjis(names[i].name);
            const std::array<QString, 3> keywords = foodKeywords(subNames[i], names[i].name, food::KeywordWidth);
            for (int k = 0; k < food::KeywordCount; ++k)
                food.keywords[k] = quenkit::toSjis(keywords[k]);

            const QStringList *fatty = fattyAcids.contains(row.code) ? &fattyAcids[row.code] : nullptr;
            if (report.fattyAcidsRead && !fatty)
                ++report.foodsWithoutFattyAcids;
            for (int n = 0; n < kNutrientCount; ++n) {
                const Source &source = kSources[n];
                if (!source.tag)
                    continue;
                const QString what = QStringLiteral("%1 %2").arg(row.code, QString::fromLatin1(source.tag));
                if (source.fattyAcids)
                    food.nutrients[n] = fatty ? cellAsNumber(fattyColumns.cell(*fatty, source.tag), what, report.valueProblems) : 0.0;
                else
                    food.nutrients[n] = cellAsNumber(mainColumns.cell(row.cells, source.tag), what, report.valueProblems);
            }
            food.wasteRatio = cellAsNumber(mainColumns.cell(row.cells, "REFUSE"), row.code + QStringLiteral(" REFUSE"),
                                           report.valueProblems);

            // Every value must fit its six characters with the nutrient's decimals.
            auto check = [&](double value, int decimals, int width, const QString &what) {
                int dropped = 0;
                const std::optional<QByteArray> text = fittedNumberField(value, decimals, width, &dropped);
                if (!text) {
                    report.valuesLost = true;
                    report.valueProblems.append(QStringLiteral("%1: %2 does not fit in %3 characters; left blank")
                                                    .arg(what, QString::number(value, 'g', 12)).arg(width));
                } else if (dropped > 0) {
                    report.valueProblems.append(QStringLiteral("%1: %2 written as %3")
                                                    .arg(what, QString::number(value, 'g', 12), QString::fromLatin1(text->trimmed())));
                }
            };
            for (int n = 0; n < kNutrientCount; ++n) {
                if (kSources[n].tag)
                    check(food.nutrients[n], nutrientInfo(n).decimals, food::NutrientWidth,
                          QStringLiteral("%1 %2").arg(row.code, QString::fromLatin1(kSources[n].tag)));
            }
            check(food.wasteRatio, food::WasteDecimals, food::WasteWidth, row.code + QStringLiteral(" REFUSE"));
            result.foods.append(food);
        }
        for (auto it = byName.cbegin(); it != byName.cend(); ++it) {
            if (it.value().size() > 1)
                report.collisions.append(QStringLiteral("%1: %2").arg(it.value().join(QLatin1Char(' ')), it.key()));
        }
    }
    report.collisions.sort();
    report.written = static_cast<int>(result.foods.size());
    return true;
}

int runMextImport(const ImportFiles &files, ImportResult &result, QString *error)
{
    result = ImportResult{};
    auto fail = [error](const QString &text) {
        if (error)
            *error = text;
        return 0;
    };
    auto readAll = [](const QString &path, QByteArray &bytes) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return false;
        bytes = f.readAll();
        return true;
    };
    QByteArray mainBytes;
    QByteArray fattyBytes;
    QByteArray onlyText;
    if (!readAll(files.mainCsv, mainBytes))
        return fail(QStringLiteral("cannot read %1").arg(files.mainCsv));
    if (!files.fattyAcidsCsv.isEmpty() && !readAll(files.fattyAcidsCsv, fattyBytes))
        return fail(QStringLiteral("cannot read %1").arg(files.fattyAcidsCsv));
    if (!files.fattyAcidsCsv.isEmpty() && fattyBytes.isEmpty())
        return fail(QStringLiteral("%1 is empty").arg(files.fattyAcidsCsv));
    QSet<QString> only;
    if (!files.only.isEmpty()) {
        if (!readAll(files.only, onlyText))
            return fail(QStringLiteral("cannot read %1").arg(files.only));
        only = readFoodNumberList(onlyText);
    }
    QList<QStringList> mainRows;
    QList<QStringList> fattyRows;
    QString why;
    if (!readMextTable(mainBytes, mainRows, &why))
        return fail(QStringLiteral("%1: %2").arg(files.mainCsv, why));
    if (!files.fattyAcidsCsv.isEmpty() && !readMextTable(fattyBytes, fattyRows, &why))
        return fail(QStringLiteral("%1: %2").arg(files.fattyAcidsCsv, why));
    if (!importMextRows(mainRows, files.fattyAcidsCsv.isEmpty() ? nullptr : &fattyRows, result, error,
                        files.only.isEmpty() ? nullptr : &only))
        return 0;
    if (!files.only.isEmpty()) {
        QStringList missing;
        for (const QString &code : std::as_const(only)) {
            const bool found = std::any_of(result.foods.cbegin(), result.foods.cend(), [&](const FoodRecord &f) {
                return standardFoodCode(f.number, f.group) == code.toLatin1();
            });
            if (!found)
                missing.append(code);
        }
        if (!missing.isEmpty()) {
            missing.sort();
            return fail(QStringLiteral("not among the standard foods: %1").arg(missing.join(QLatin1Char(' '))));
        }
    }

    QDir().mkpath(QFileInfo(files.output).absolutePath());
    if (!writeFoodTable(files.output, result.foods, nullptr, &why))
        return fail(why);
    if (!RebuildFoodIndex(nullptr, FoodTableFiles::forTable(files.output)))
        return fail(QStringLiteral("cannot write the index of %1").arg(files.output));
    if (!files.report.isEmpty()) {
        QSaveFile out(files.report);
        const QByteArray text = result.report.text().toUtf8();
        if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit())
            return fail(QStringLiteral("cannot write %1").arg(files.report));
    }
    return 1;
}

}  // namespace dalmain::mext

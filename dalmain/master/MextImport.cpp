#include "dalmain/master/MextImport.h"

#include "dalmain/master/FoodTable.h"
#include "dalmain/master/MextImportCsv.h"
#include "dalmain/master/MextImportNames.h"
#include "dalmain/master/NutrientInfo.h"
#include "dalmain/master/XlsxWorkbook.h"
#include "quenkit/dbf/DbfTable.h"
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
const QStringList kFibreTags = QStringLiteral(
    "group,food_number,index_number,name,WATER,FIBSOL,FIBINS,FIBTG,FIB-SDFS,FIB-SDFP,FIB-IDF,STARES,FIB-TDF").split(QLatin1Char(','));

// Which table and column each nutrient comes from. Soluble and insoluble fibre are not in the
// main table: they come from the dietary fibre annex (Prosky method). Niacin is taken in niacin
// equivalents (NE), the unit of the reference intakes, not as niacin alone (NIA).
enum class Table { Main, FattyAcids, Fibre };
struct Source {
    const char *tag;
    Table table;
};
constexpr Source kSources[kNutrientCount] = {
    {"ENERC_KCAL", Table::Main}, {"ENERC", Table::Main}, {"WATER", Table::Main}, {"PROT-", Table::Main},
    {"FAT-", Table::Main}, {"CHOCDF-", Table::Main}, {"ASH", Table::Main}, {"NA", Table::Main},
    {"K", Table::Main}, {"CA", Table::Main}, {"MG", Table::Main}, {"P", Table::Main}, {"FE", Table::Main},
    {"ZN", Table::Main}, {"CU", Table::Main}, {"RETOL", Table::Main}, {"CARTBEQ", Table::Main},
    {"VITA_RAE", Table::Main}, {"VITD", Table::Main}, {"TOCPHA", Table::Main}, {"VITK", Table::Main},
    {"THIA", Table::Main}, {"RIBF", Table::Main}, {"NE", Table::Main}, {"VITB6A", Table::Main},
    {"VITB12", Table::Main}, {"FOL", Table::Main}, {"PANTAC", Table::Main}, {"VITC", Table::Main},
    {"FASAT", Table::FattyAcids}, {"FAMS", Table::FattyAcids}, {"FAPU", Table::FattyAcids},
    {"CHOLE", Table::Main}, {"FIBSOL", Table::Fibre}, {"FIBINS", Table::Fibre}, {"FIB-", Table::Main},
    {"NACL_EQ", Table::Main},
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
        if (tags.contains(QStringLiteral("ENERC_KCAL")) || tags.contains(QStringLiteral("FASAT"))
            || tags.contains(QStringLiteral("FIBSOL"))) {
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

// A nutrient cell into the food: a number (an estimate in parentheses and a value with a note
// included) as it is, a trace or an estimated zero as 0, and "-" (not analysed) as unknown. A
// cell that is no value is unknown too, and reported.
void putNutrient(FoodRecord &food, int nutrient, const QString &cell, const QString &what, QStringList &problems)
{
    const CellValue v = parseCell(cell);
    switch (v.kind) {
    case CellValue::Number:
        food.nutrients[nutrient] = v.value;
        break;
    case CellValue::Trace:
        food.nutrients[nutrient] = 0;
        break;
    case CellValue::Invalid:
        problems.append(QStringLiteral("%1: \"%2\" is no value; left unknown").arg(what, cell));
        food.setUnknown(nutrient);
        break;
    case CellValue::Missing:
        food.setUnknown(nutrient);
        break;
    }
}

// The rows of an optional table by official number; empty when it was not given.
QHash<QString, QStringList> rowsByCode(const QList<QStringList> *table, Columns &columns)
{
    QHash<QString, QStringList> rows;
    if (table) {
        for (const Row &row : foodRows(*table, columns, nullptr, nullptr))
            rows.insert(row.code, row.cells);
    }
    return rows;
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
    t += QStringLiteral("Foods numbered beyond the standard numbers (40000 + official number): %1\n").arg(beyondStandard);
    if (fattyAcidsRead)
        t += QStringLiteral("Foods without fatty-acid data (left unknown): %1\n").arg(foodsWithoutFattyAcids);
    else
        t += QStringLiteral("No fatty-acid table: saturated, mono- and polyunsaturated fatty acids are unknown\n");
    if (fibreRead)
        t += QStringLiteral("Foods without soluble and insoluble fibre (left unknown): %1\n").arg(foodsWithoutFibre);
    else
        t += QStringLiteral("No dietary fibre table: soluble and insoluble fibre are unknown\n");
    if (userFoodsKept > 0)
        t += QStringLiteral("The user's own foods kept from the table replaced: %1\n").arg(userFoodsKept);
    section(QStringLiteral("Left out (no official food number)"), leftOut);
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
                const QSet<QString> *only, const QByteArray &fibreCsv)
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
    QList<QStringList> fibreRows;
    if (!fibreCsv.isEmpty() && !readMextTable(fibreCsv, fibreRows, &why)) {
        if (error)
            *error = QStringLiteral("dietary fibre table: %1").arg(why);
        return false;
    }
    return importMextRows(mainRows, fattyAcidsCsv.isEmpty() ? nullptr : &fattyRows, result, error, only,
                          fibreCsv.isEmpty() ? nullptr : &fibreRows);
}

bool importMextRows(const QList<QStringList> &mainTable, const QList<QStringList> *fattyAcidTable,
                    ImportResult &result, QString *error, const QSet<QString> *only,
                    const QList<QStringList> *fibreTable)
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

    Columns fattyColumns(kFattyAcidTags);
    const QHash<QString, QStringList> fattyAcids = rowsByCode(fattyAcidTable, fattyColumns);
    report.fattyAcidsRead = fattyAcidTable != nullptr;
    Columns fibreColumns(kFibreTags);
    const QHash<QString, QStringList> fibre = rowsByCode(fibreTable, fibreColumns);
    report.fibreRead = fibreTable != nullptr;

    // Every official food, in official order (group, serial): the standard numbers of a group
    // come first, then its later foods in the reserved range.
    struct Official {
        quint32 number;
        const Row *row;
    };
    QMap<int, Official> official;
    for (const Row &row : mainRows) {
        const int group = row.code.left(2).toInt();
        const int serial = row.code.mid(2).toInt();
        const quint32 number = officialFoodNumber(group, serial);
        if (number == 0) {
            const QString name = officialSubNames(row.cells.value(mainColumns.name)).join(QLatin1Char(' '));
            report.leftOut.append(QStringLiteral("%1 %2").arg(row.code, name));
            continue;
        }
        official.insert(group * 1000 + serial, Official{number, &row});
    }

    for (int group = 1; group <= food::GroupCount; ++group) {
        QList<Official> foods;
        QList<QStringList> subNames;
        for (auto it = official.lowerBound(group * 1000); it != official.cend() && it.key() / 1000 == group; ++it) {
            foods.append(it.value());
            subNames.append(officialSubNames(it.value().row->cells.value(mainColumns.name)));
        }
        const QList<ShortName> names = shortenGroupNames(subNames, food::NameWidth);

        QHash<QString, QStringList> byName;
        for (int i = 0; i < foods.size(); ++i) {
            const Row &row = *foods[i].row;
            const QString official = subNames[i].join(QLatin1Char(' '));
            if (names[i].shortened)
                report.shortened.append(QStringLiteral("%1 %2 -> %3%4")
                                            .arg(row.code, official, names[i].name,
                                                 names[i].cut ? QStringLiteral(" (cut)") : QString()));
            byName[names[i].name].append(row.code);
            if (only && !only->contains(row.code))
                continue;

            FoodRecord food;
            food.number = foods[i].number;
            if (food.number > food::LastStandardNumber)
                ++report.beyondStandard;
            food.group = group;
            food.name = quenkit::toSjis(names[i].name);
            const std::array<QString, 3> keywords = foodKeywords(subNames[i], names[i].name, food::KeywordWidth);
            for (int k = 0; k < food::KeywordCount; ++k)
                food.keywords[k] = quenkit::toSjis(keywords[k]);

            const auto fattyRow = fattyAcids.constFind(row.code);
            const auto fibreRow = fibre.constFind(row.code);
            if (report.fattyAcidsRead && fattyRow == fattyAcids.cend())
                ++report.foodsWithoutFattyAcids;
            if (report.fibreRead && fibreRow == fibre.cend())
                ++report.foodsWithoutFibre;
            for (int n = 0; n < kNutrientCount; ++n) {
                const Source &source = kSources[n];
                const QString what = QStringLiteral("%1 %2").arg(row.code, QString::fromLatin1(source.tag));
                switch (source.table) {
                case Table::Main:
                    putNutrient(food, n, mainColumns.cell(row.cells, source.tag), what, report.valueProblems);
                    break;
                case Table::FattyAcids:
                    // A food the table does not list was not analysed.
                    if (fattyRow == fattyAcids.cend())
                        food.setUnknown(n);
                    else
                        putNutrient(food, n, fattyColumns.cell(*fattyRow, source.tag), what, report.valueProblems);
                    break;
                case Table::Fibre:
                    if (fibreRow == fibre.cend())
                        food.setUnknown(n);
                    else
                        putNutrient(food, n, fibreColumns.cell(*fibreRow, source.tag), what, report.valueProblems);
                    break;
                }
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
                if (food.isKnown(n))
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
    QByteArray fibreBytes;
    if (!files.fibre.isEmpty() && !readAll(files.fibre, fibreBytes))
        return fail(QStringLiteral("cannot read %1").arg(files.fibre));
    if (!files.fibre.isEmpty() && fibreBytes.isEmpty())
        return fail(QStringLiteral("%1 is empty").arg(files.fibre));
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
    QList<QStringList> fibreRows;
    if (!files.fibre.isEmpty() && !readMextTable(fibreBytes, fibreRows, &why))
        return fail(QStringLiteral("%1: %2").arg(files.fibre, why));
    // The user's own foods of the table being replaced stay, with their numbers, behind the
    // official ones: menus and dishes name them by number.
    QList<FoodRecord> userFoods;
    if (!files.replace && QFileInfo::exists(quenkit::tablePath(files.output))) {
        QList<FoodRecord> existing;
        if (!readFoodRecords(files.output, existing))
            return fail(QStringLiteral("cannot read the foods of %1 to keep the user's own; give --replace to "
                                       "overwrite it")
                            .arg(files.output));
        for (const FoodRecord &f : std::as_const(existing)) {
            if (!isOfficialFoodNumber(f.number))
                userFoods.append(f);
        }
    }
    if (!importMextRows(mainRows, files.fattyAcidsCsv.isEmpty() ? nullptr : &fattyRows, result, error,
                        files.only.isEmpty() ? nullptr : &only, files.fibre.isEmpty() ? nullptr : &fibreRows))
        return 0;
    if (!files.only.isEmpty()) {
        QStringList missing;
        for (const QString &code : std::as_const(only)) {
            const bool found = std::any_of(result.foods.cbegin(), result.foods.cend(), [&](const FoodRecord &f) {
                return officialFoodCode(f.number) == code.toLatin1();
            });
            if (!found)
                missing.append(code);
        }
        if (!missing.isEmpty()) {
            missing.sort();
            return fail(QStringLiteral("not among the standard foods: %1").arg(missing.join(QLatin1Char(' '))));
        }
    }

    result.report.userFoodsKept = static_cast<int>(userFoods.size());
    QDir().mkpath(QFileInfo(files.output).absolutePath());
    if (!writeFoodTable(files.output, result.foods + userFoods, nullptr, &why))
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

// dalmora foods: the food composition table. Importing the official tables, the food search of
// the screens, one food in full, the number for a new food and the index rebuild.

#include "Command.h"

#include "dalmain/master/FoodRecord.h"
#include "dalmain/master/FoodTable.h"
#include "dalmain/master/MextImport.h"
#include "dalmain/master/NutrientInfo.h"
#include "quenkit/dbf/DbfTable.h"
#include "quenkit/files/DataFolder.h"
#include "quenkit/text/ShiftJis.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <iterator>

namespace {

const QString kUsage = QStringLiteral(
    "Usage:\n"
    "  dalmora foods import-mext MAIN [--fatty-acids FA] [--fibre FIBRE] --out FILE [--report REPORT]\n"
    "                           [--only LIST] [--replace]\n"
    "        build a food table (and its index beside it) from the official composition table\n"
    "        (日本食品標準成分表（八訂）), each table as MEXT's Excel file (.xlsx) or as CSV: MAIN the\n"
    "        main table, FA the fatty-acid table, FIBRE the dietary fibre table (soluble and\n"
    "        insoluble fibre); nutrients a table does not give stay unknown (\"-\"). Every food gets\n"
    "        its number: the standard number, or 40000 + the official number. The user's own\n"
    "        foods of an existing FILE are kept with their numbers, unless --replace is given.\n"
    "        LIST names the official food numbers to keep, one a line\n"
    "  dalmora foods search TEXT [--group N] [--nutrient INDEX (--at-least|--at-most|--equal) VALUE]\n"
    "        the foods whose number, name or keywords contain TEXT (any kana spelling; \"\" for\n"
    "        all), of group N, with a per-100 g nutrient condition: number, code, name per line\n"
    "  dalmora foods show NUMBER             every field of a food\n"
    "  dalmora foods next-number             the number for a new food of the user\n"
    "  dalmora foods rebuild-index           rebuild 食品.IDX from the table\n"
    "The food table is 食品.FDB of the data folder, or the one given with --table FILE (its index\n"
    "is the file of the same name with the extension IDX).");

int run(cli::Context &ctx, QStringList args);

const cli::CommandRegistration registration(
    {QStringLiteral("foods"), QStringLiteral("food composition table: import, search, show"), kUsage, run});

const cli::Command &self()
{
    for (const cli::Command &c : cli::registeredCommands()) {
        if (c.name == QLatin1String("foods"))
            return c;
    }
    Q_UNREACHABLE();
}

int usage(cli::Context &ctx, const QString &message)
{
    return cli::usageError(ctx, self(), message);
}

// The food code of every food of the table, as the exports number them.
QHash<quint32, QByteArray> codesOf(const dalmain::FoodTableFiles &files)
{
    QList<dalmain::FoodCodeEntry> codes;
    dalmain::BuildFoodCodeTable(nullptr, codes, files);
    QHash<quint32, QByteArray> byNumber;
    for (const dalmain::FoodCodeEntry &e : std::as_const(codes))
        byNumber.insert(e.number, e.code);
    return byNumber;
}

int importMext(cli::Context &ctx, QStringList args)
{
    bool ok = true;
    dalmain::mext::ImportFiles files;
    cli::takeOption(args, QStringLiteral("--fatty-acids"), &files.fattyAcidsCsv, &ok);
    if (!ok)
        return usage(ctx, QStringLiteral("--fatty-acids needs a file"));
    if (!cli::takeOption(args, QStringLiteral("--out"), &files.output, &ok) || !ok)
        return usage(ctx, QStringLiteral("import-mext needs --out FILE"));
    cli::takeOption(args, QStringLiteral("--report"), &files.report, &ok);
    if (!ok)
        return usage(ctx, QStringLiteral("--report needs a file"));
    cli::takeOption(args, QStringLiteral("--only"), &files.only, &ok);
    if (!ok)
        return usage(ctx, QStringLiteral("--only needs a file"));
    cli::takeOption(args, QStringLiteral("--fibre"), &files.fibre, &ok);
    if (!ok)
        return usage(ctx, QStringLiteral("--fibre needs a file"));
    files.replace = cli::takeFlag(args, QStringLiteral("--replace"));
    if (args.size() != 1 || args[0].startsWith(QLatin1String("--")))
        return usage(ctx, QStringLiteral("import-mext takes one MAIN table (.xlsx or CSV)"));
    files.mainCsv = args[0];
    files.output = QFileInfo(files.output).absoluteFilePath();

    dalmain::mext::ImportResult result;
    QString error;
    const int done = dalmain::mext::runMextImport(files, result, &error);
    const dalmain::mext::ImportReport &r = result.report;
    if (!done) {
        ctx.err << "dalmora foods: " << error << "\n";
        return cli::ExitFailure;
    }
    ctx.out << "Foods written: " << r.written << " (of " << r.rowsRead << " rows; " << r.beyondStandard
            << " numbered 40000 + official number; " << r.leftOut.size() << " without an official number left out)\n";
    if (r.userFoodsKept > 0)
        ctx.out << "The user's own foods kept: " << r.userFoodsKept << "\n";
    ctx.out
            << "Names shortened: " << r.shortened.size() << ", collisions: " << r.collisions.size() << "\n"
            << "Value problems: " << r.valueProblems.size() << "\n";
    if (files.report.isEmpty() && !r.valueProblems.isEmpty()) {
        for (const QString &p : r.valueProblems)
            ctx.err << "  " << p << "\n";
    }
    if (r.valuesLost) {
        ctx.err << "dalmora foods: some values did not fit their fields and were left blank\n";
        return cli::ExitNo;
    }
    return cli::ExitOk;
}

int search(cli::Context &ctx, QStringList args, const dalmain::FoodTableFiles &files)
{
    bool ok = true;
    QString groupText;
    QString nutrientText;
    const bool hasGroup = cli::takeOption(args, QStringLiteral("--group"), &groupText, &ok);
    if (!ok)
        return usage(ctx, QStringLiteral("--group needs a number"));
    const bool hasNutrient = cli::takeOption(args, QStringLiteral("--nutrient"), &nutrientText, &ok);
    if (!ok)
        return usage(ctx, QStringLiteral("--nutrient needs an index"));
    dalmain::NutrientCondition condition;
    const struct {
        const char *flag;
        int comparison;
    } comparisons[] = {{"--at-least", 1}, {"--at-most", 2}, {"--equal", 3}};
    QString valueText;
    for (const auto &c : comparisons) {
        QString value;
        if (cli::takeOption(args, QString::fromLatin1(c.flag), &value, &ok)) {
            if (!ok || condition.comparison != 0)
                return usage(ctx, QStringLiteral("give one of --at-least, --at-most, --equal with a VALUE"));
            condition.comparison = c.comparison;
            valueText = value;
        }
    }
    if (args.size() != 1 || args[0].startsWith(QLatin1String("--")))
        return usage(ctx, QStringLiteral("search takes one TEXT"));

    int group = 0;
    if (hasGroup) {
        group = groupText.toInt(&ok);
        if (!ok || group < 1 || group > dalmain::food::GroupCount)
            return usage(ctx, QStringLiteral("--group takes 1-18"));
    }
    if (hasNutrient != (condition.comparison != 0))
        return usage(ctx, QStringLiteral("--nutrient goes with one of --at-least, --at-most, --equal"));
    if (hasNutrient) {
        condition.nutrient = nutrientText.toInt(&ok);
        if (!ok || condition.nutrient < 0 || condition.nutrient >= dalmain::kNutrientCount)
            return usage(ctx, QStringLiteral("--nutrient takes an index 0-36"));
        condition.value = valueText.toDouble(&ok);
        if (!ok)
            return usage(ctx, QStringLiteral("the comparison needs a number"));
    }

    QList<int> found;
    if (dalmain::SearchFoodsByText(nullptr, found, quenkit::toSjis(args[0]), files) < 0) {
        ctx.err << "dalmora foods: cannot search " << quenkit::tablePath(files.table) << "\n";
        return cli::ExitFailure;
    }
    if (hasGroup || hasNutrient) {
        QList<int> inGroup;
        if (dalmain::SearchFoodsByGroup(nullptr, inGroup, group, condition, files) < 0) {
            ctx.err << "dalmora foods: cannot search " << quenkit::tablePath(files.table) << "\n";
            return cli::ExitFailure;
        }
        QList<int> both;
        std::set_intersection(found.cbegin(), found.cend(), inGroup.cbegin(), inGroup.cend(), std::back_inserter(both));
        found = both;
    }
    const QHash<quint32, QByteArray> codes = codesOf(files);
    for (int record : std::as_const(found)) {
        QByteArray body;
        if (quenkit::ReadDBFRecord(files.table, record, body) != 1)
            continue;
        const dalmain::FoodRecord food = dalmain::FoodRecord::fromBody(body);
        ctx.out << QString::number(food.number).rightJustified(5) << " " << QString::fromLatin1(codes.value(food.number))
                << " " << quenkit::fromSjis(food.name) << "\n";
    }
    return found.isEmpty() ? cli::ExitNo : cli::ExitOk;
}

int show(cli::Context &ctx, QStringList args, const dalmain::FoodTableFiles &files)
{
    bool ok = false;
    const quint32 number = args.size() == 1 ? args[0].toUInt(&ok) : 0;
    if (!ok)
        return usage(ctx, QStringLiteral("show takes one food NUMBER"));
    dalmain::FoodRecord food;
    if (!dalmain::ReadFood(nullptr, number, food, files)) {
        ctx.err << "dalmora foods: no food " << number << " in " << quenkit::tablePath(files.table) << "\n";
        return cli::ExitNo;
    }
    using namespace dalmain::food;
    auto line = [&ctx](const char *label, const QString &value) {
        ctx.out << QString::fromUtf8(label) << ": " << value << "\n";
    };
    line(NumberField, QString::number(food.number));
    line("食品コード", QString::fromLatin1(codesOf(files).value(food.number)));
    line(NameField, quenkit::fromSjis(food.name));
    line(GroupField, QStringLiteral("%1 %2").arg(food.group).arg(dalmain::foodGroupName(food.group)));
    for (int k = 0; k < KeywordCount; ++k)
        line(KeywordFields[k], quenkit::fromSjis(food.keywords[k]));
    for (int i = 0; i < dalmain::kNutrientCount; ++i) {
        const dalmain::NutrientInfo &info = dalmain::nutrientInfo(i);
        // An unknown value (not analysed) is shown as the official table writes it.
        ctx.out << QString::number(i).rightJustified(2) << " " << QString::fromUtf8(info.csvName) << ": "
                << (food.isKnown(i) ? QString::number(food.nutrients[i], 'f', info.decimals) + QLatin1Char(' ')
                                          + QString::fromUtf8(info.unit)
                                    : QStringLiteral("-"))
                << "\n";
    }
    line(WasteField, QStringLiteral("%1 %").arg(QString::number(food.wasteRatio, 'f', WasteDecimals)));
    line(PhotoField, quenkit::fromSjis(food.photo));
    line(MemoField, quenkit::fromSjis(food.memo));
    if (const std::optional<QByteArray> amount = dalmain::memoDefaultAmount(food.memo))
        line("メモの分量", QString::fromLatin1(amount->trimmed()) + QStringLiteral(" g"));
    return cli::ExitOk;
}

int run(cli::Context &ctx, QStringList args)
{
    if (args.isEmpty())
        return usage(ctx, QStringLiteral("missing action"));
    const QString action = args.takeFirst();
    if (action == QLatin1String("import-mext"))
        return importMext(ctx, args);

    bool ok = true;
    QString table;
    dalmain::FoodTableFiles files;
    if (cli::takeOption(args, QStringLiteral("--table"), &table, &ok)) {
        if (!ok)
            return usage(ctx, QStringLiteral("--table needs a file"));
        files = dalmain::FoodTableFiles::forTable(QFileInfo(table).absoluteFilePath());
    } else if (quenkit::dataFolder().isEmpty()) {
        ctx.err << "dalmora foods: no data folder (set DataDir2, or give --data-dir or --table)\n";
        return cli::ExitFailure;
    }

    if (action == QLatin1String("search"))
        return search(ctx, args, files);
    if (action == QLatin1String("show"))
        return show(ctx, args, files);
    if (!args.isEmpty())
        return usage(ctx, QStringLiteral("%1 takes no arguments").arg(action));
    if (action == QLatin1String("next-number")) {
        const quint32 number = dalmain::NextFoodNumber(files);
        if (number == dalmain::food::NoNumber) {
            ctx.err << "dalmora foods: no number: the index " << quenkit::tablePath(files.index)
                    << " cannot be read or is full\n";
            return cli::ExitNo;
        }
        ctx.out << number << "\n";
        return cli::ExitOk;
    }
    if (action == QLatin1String("rebuild-index")) {
        if (!dalmain::RebuildFoodIndex(nullptr, files)) {
            ctx.err << "dalmora foods: "
                    << cli::withLockReason(QStringLiteral("cannot rebuild %1 from %2")
                                               .arg(quenkit::tablePath(files.index), quenkit::tablePath(files.table)))
                    << "\n";
            return cli::ExitFailure;
        }
        return cli::ExitOk;
    }
    return usage(ctx, QStringLiteral("unknown action '%1'").arg(action));
}

}  // namespace

// dalmora dishes: the dish table of the data folder. The dish search, one dish with its foods,
// deleting dishes, the category list, and storing dishes from a readable list (how the shipped
// dishes are made).

#include "Command.h"

#include "dalmain/master/DishListText.h"
#include "dalmain/master/DishLoading.h"
#include "dalmain/master/DishSearch.h"
#include "dalmain/master/DishTable.h"
#include "dalmain/master/FoodTable.h"
#include "quenkit/dbf/DbfTable.h"
#include "quenkit/files/DataFolder.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/registry/SettingsStore.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

const QString kUsage = QStringLiteral(
    "Usage:\n"
    "  dalmora dishes list [KEYWORD]     the dishes whose name, category or keywords contain\n"
    "                                    KEYWORD (any kana spelling), or every dish: name and\n"
    "                                    category per line\n"
    "  dalmora dishes show NAME          a dish with its foods and amounts, picture and memo\n"
    "  dalmora dishes delete NAME...     delete these dishes; a category no dish uses any more\n"
    "                                    leaves the category list\n"
    "  dalmora dishes categories         the category list\n"
    "  dalmora dishes import FILE        store the dishes of a dish list (see\n"
    "                                    scripts/dishes.txt), replacing dishes of the same names;\n"
    "                                    the tables are created when missing\n"
    "The tables are 料理.DBF and 料理分類.DBF of the data folder; foods come from its 食品.FDB.");

int run(cli::Context &ctx, QStringList args);

const cli::CommandRegistration registration(
    {QStringLiteral("dishes"), QStringLiteral("dish table: list, show, delete, import"), kUsage, run});

const cli::Command &self()
{
    for (const cli::Command &c : cli::registeredCommands()) {
        if (c.name == QLatin1String("dishes"))
            return c;
    }
    Q_UNREACHABLE();
}

int usage(cli::Context &ctx, const QString &message)
{
    return cli::usageError(ctx, self(), message);
}

QString gramsText(quint16 tenths)
{
    return QString::number(tenths / 10.0, 'f', 1) + QStringLiteral(" g");
}

int list(cli::Context &ctx, const QStringList &args)
{
    if (args.size() > 1)
        return usage(ctx, QStringLiteral("list takes at most one KEYWORD"));
    cli::ConsoleOwner owner(ctx.err, QStringLiteral("dalmora dishes: "));
    bool ok = false;
    const QList<dalmain::DishListEntry> found = dalmain::SearchDishes(&owner, args.value(0), &ok);
    if (!ok) {
        ctx.err << "dalmora dishes: cannot search " << quenkit::tablePath(dalmain::kDishTable) << "\n";
        return cli::ExitFailure;
    }
    for (const dalmain::DishListEntry &d : found)
        ctx.out << d.name << "\t" << d.category << "\n";
    return found.isEmpty() ? cli::ExitNo : cli::ExitOk;
}

int show(cli::Context &ctx, const QStringList &args)
{
    if (args.size() != 1)
        return usage(ctx, QStringLiteral("show takes one NAME"));
    QString programFolder;
    quenkit::GetUserRegistryString(QStringLiteral("DataDir"), nullptr, programFolder);
    const std::optional<dalmain::DishView> view = dalmain::ShowDish(args[0], programFolder);
    if (!view) {
        ctx.err << "dalmora dishes: no dish named " << args[0] << " in " << quenkit::tablePath(dalmain::kDishTable)
                << "\n";
        return cli::ExitNo;
    }
    ctx.out << "料理名: " << view->name << "\n"
            << "分類: " << view->category << "\n"
            << "キーワード: " << view->keywords.join(QLatin1Char(' ')) << "\n"
            << "写真: " << QFileInfo(view->picturePath).fileName() << "\n"
            << "メモ: " << view->memo << "\n";
    int missing = 0;
    for (const dalmain::DishViewLine &line : view->lines) {
        switch (line.kind) {
        case dalmain::DishViewLine::Kind::Header:
            ctx.out << "[" << line.text << "]\n";
            break;
        case dalmain::DishViewLine::Kind::Food:
            ctx.out << QString::number(line.food).rightJustified(5) << " " << line.text << "\t"
                    << gramsText(line.amountTenths) << "\n";
            break;
        case dalmain::DishViewLine::Kind::MissingFood:
            ++missing;
            ctx.out << QString::number(line.food).rightJustified(5) << " (no longer in the food table)\t"
                    << gramsText(line.amountTenths) << "\n";
            break;
        }
    }
    if (missing > 0)
        ctx.err << "dalmora dishes: " << missing << " of the dish's foods are no longer in the food table; "
                << "loading the dish leaves them out\n";
    return cli::ExitOk;
}

int remove(cli::Context &ctx, const QStringList &args)
{
    if (args.isEmpty())
        return usage(ctx, QStringLiteral("delete takes one or more NAMEs"));
    cli::ConsoleOwner owner(ctx.err, QStringLiteral("dalmora dishes: "));
    const dalmain::DishDeleteOutcome outcome = dalmain::DeleteDish(&owner, args);
    if (outcome.result != dalmain::DishDeleteResult::Deleted) {
        ctx.err << "dalmora dishes: "
                << cli::withLockReason(QStringLiteral("cannot delete from %1").arg(quenkit::tablePath(dalmain::kDishTable)))
                << "\n";
        return cli::ExitFailure;
    }
    for (const QString &name : outcome.deleted)
        ctx.out << "deleted " << name << "\n";
    for (const QString &name : outcome.notFound)
        ctx.err << "dalmora dishes: no dish named " << name << "\n";
    if (!outcome.categoriesUpdated) {
        ctx.err << "dalmora dishes: "
                << cli::withLockReason(QStringLiteral("the dishes are deleted, but %1 could not be brought up to date")
                                           .arg(quenkit::tablePath(dalmain::kDishCategoryTable)))
                << "\n";
        return cli::ExitFailure;
    }
    return outcome.notFound.isEmpty() ? cli::ExitOk : cli::ExitNo;
}

int categories(cli::Context &ctx, const QStringList &args)
{
    if (!args.isEmpty())
        return usage(ctx, QStringLiteral("categories takes no arguments"));
    const QStringList names = dalmain::dishCategories();
    for (const QString &name : names)
        ctx.out << name << "\n";
    return names.isEmpty() ? cli::ExitNo : cli::ExitOk;
}

int import(cli::Context &ctx, const QStringList &args)
{
    if (args.size() != 1)
        return usage(ctx, QStringLiteral("import takes one FILE"));
    QFile file(args[0]);
    if (!file.open(QIODevice::ReadOnly)) {
        ctx.err << "dalmora dishes: cannot read " << args[0] << "\n";
        return cli::ExitFailure;
    }
    const QString text = QString::fromUtf8(file.readAll());

    QList<dalmain::FoodCodeEntry> codeTable;
    dalmain::BuildFoodCodeTable(nullptr, codeTable);
    if (codeTable.isEmpty()) {
        ctx.err << "dalmora dishes: no foods in " << quenkit::tablePath(dalmain::FoodTableFiles{}.table) << "\n";
        return cli::ExitFailure;
    }
    QHash<QByteArray, quint32> codes;
    for (const dalmain::FoodCodeEntry &e : std::as_const(codeTable))
        codes.insert(e.code, e.number);

    QStringList errors;
    const QList<dalmain::DishListItem> items = dalmain::parseDishList(text, codes, &errors);
    if (!errors.isEmpty()) {
        for (const QString &e : std::as_const(errors))
            ctx.err << args[0] << ":" << e << "\n";
        ctx.err << "dalmora dishes: nothing stored\n";
        return cli::ExitNo;
    }
    if (!dalmain::ensureDishTables()) {
        ctx.err << "dalmora dishes: cannot create the dish tables in " << quenkit::dataFolder() << "\n";
        return cli::ExitFailure;
    }
    cli::ConsoleOwner owner(ctx.err, QStringLiteral("dalmora dishes: "));
    int stored = 0;
    for (const dalmain::DishListItem &item : items) {
        const dalmain::DishSaveOutcome outcome = dalmain::SaveDish(&owner, item.form, item.entries);
        const bool written = outcome.result == dalmain::DishSaveResult::Added
            || outcome.result == dalmain::DishSaveResult::Overwritten;
        if (!written || !outcome.categoriesUpdated) {
            ctx.err << "dalmora dishes: "
                    << cli::withLockReason(QStringLiteral("%1 (line %2) could not be stored").arg(item.form.name).arg(item.line))
                    << "\n";
            return cli::ExitFailure;
        }
        ++stored;
    }
    ctx.out << "Dishes stored: " << stored << "\n";
    return cli::ExitOk;
}

int run(cli::Context &ctx, QStringList args)
{
    if (args.isEmpty())
        return usage(ctx, QStringLiteral("missing action"));
    const QString action = args.takeFirst();
    const struct {
        const char *name;
        int (*handler)(cli::Context &, const QStringList &);
    } actions[] = {
        {"list", list}, {"show", show}, {"delete", remove}, {"categories", categories}, {"import", import},
    };
    for (const auto &a : actions) {
        if (action != QLatin1String(a.name))
            continue;
        if (quenkit::dataFolder().isEmpty()) {
            ctx.err << "dalmora dishes: no data folder (set DataDir2, or give --data-dir)\n";
            return cli::ExitFailure;
        }
        return a.handler(ctx, args);
    }
    return usage(ctx, QStringLiteral("unknown action '%1'").arg(action));
}

}  // namespace

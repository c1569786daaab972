// dalmora users: the household's profiles without the user screen. Entries go through the same
// check as on the screen; its messages appear on stderr and a refused entry ends with exit 1.

#include "Arguments.h"
#include "Command.h"

#include "dalmain/master/NutrientDisplay.h"
#include "dalmain/master/ReferenceIntakeDisplay.h"
#include "dalmain/master/ReferenceIntakeStandards.h"
#include "dalmain/master/ReferenceIntakes.h"
#include "dalmain/userdata/UserLogTemplates.h"
#include "dalmain/userdata/UserSession.h"

#include "quenkit/dates/Dates.h"
#include "quenkit/dbf/Dbf.h"
#include "quenkit/files/DataFolder.h"
#include "quenkit/files/FileAccess.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/text/ShiftJis.h"

#include <QRegularExpression>

namespace {

const QString kUsage = QStringLiteral(
    "Usage:\n"
    "  dalmora users list                 print number, reading and name of every user\n"
    "  dalmora users show NAME            print a profile and its 37 reference values\n"
    "                                     (nutrient, unit, lower, upper; 0 = no bound)\n"
    "  dalmora users add --name NAME --reading READING (--birth YYYY-MM-DD | --age N)\n"
    "                    --sex male|female [--pregnancy 0-4] [--menstruation yes|no]\n"
    "                    --height CM --activity 0|1|2 --weight KG [--weight-date YYYY-MM-DD]\n"
    "                    [--standard HEADING]\n"
    "                                     save a profile; an existing name is overwritten\n"
    "                                     (its weight log is left alone)\n"
    "  dalmora users delete NAME          delete a user with all of the user's files\n"
    "  dalmora users templates            create the empty tables that users need (体重.DBF,\n"
    "                                     運動.DBF, 所要量.DBF, ﾕｰｻﾞ情報.DBF) where missing\n"
    "The reading is in half-width katakana. Pregnancy: 0 none, 1-3 early, mid and late\n"
    "pregnancy, 4 lactation. Menstruation defaults to the screen's rule (yes for women of\n"
    "10-69 years who are not pregnant). Activity: 0 low, 1 normal, 2 high (children of 1-5\n"
    "years: 1 or 2). The weight (0.1-200.0 kg, dated today unless --weight-date) is asked only\n"
    "for a new user and becomes the first record of the weight log.");

int run(cli::Context &ctx, QStringList args);

const cli::CommandRegistration registration(
    {QStringLiteral("users"), QStringLiteral("list, show, add and delete user profiles"), kUsage, run});

const cli::Command &self()
{
    for (const cli::Command &c : cli::registeredCommands()) {
        if (c.name == QLatin1String("users"))
            return c;
    }
    Q_UNREACHABLE();
}

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
};

std::optional<Date> parseDate(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    return Date{m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()};
}

int requireNoMore(cli::Context &ctx, const QStringList &args)
{
    if (!args.isEmpty())
        return cli::usageError(ctx, self(), QStringLiteral("unexpected argument '%1'").arg(args.first()));
    return cli::ExitOk;
}

int list(cli::Context &ctx, const QStringList &args)
{
    if (const int rc = requireNoMore(ctx, args))
        return rc;
    if (!cli::userTableReadable(ctx, self().name))
        return cli::ExitFailure;
    for (const dalmain::UserListEntry &u : dalmain::listUsers())
        ctx.out << u.number << "\t" << u.reading << "\t" << u.name << "\n";
    return cli::ExitOk;
}

QString birthText(const dalmain::UserProfile &p)
{
    if (!p.hasBirthDate())
        return QStringLiteral("-");
    return QString::asprintf("%04d/%02d/%02d", p.birthYear, p.birthMonth, p.birthDay);
}

int show(cli::Context &ctx, const QStringList &args)
{
    if (args.size() != 1)
        return cli::usageError(ctx, self(), QStringLiteral("show takes one NAME"));
    if (!cli::userTableReadable(ctx, self().name))
        return cli::ExitFailure;
    cli::ConsoleOwner owner(ctx.err);
    const dalmain::IntakeLoad intakes = dalmain::LoadReferenceIntakes(&owner, dalmain::referenceIntakes());
    dalmain::UserSession session;
    if (!session.open(&owner, args.first())) {
        ctx.err << "dalmora users: no user named " << args.first() << "\n";
        return cli::ExitNo;
    }
    const dalmain::UserProfile &p = *session.profile();
    // The owner has told why; values of a damaged file would be shown as if they were the
    // national ones.
    if (p.intakeSubject().national && intakes != dalmain::IntakeLoad::Loaded) {
        ctx.err << "dalmora users: the reference values of " << p.name << " cannot be derived: "
                << dalmain::kReferenceIntakeFile << " cannot be read\n";
        return cli::ExitFailure;
    }
    const dalmain::UserEntries shown = dalmain::entriesFromProfile(p);
    ctx.out << "番号\t" << p.number << "\n"
            << "フリガナ\t" << p.reading << "\n"
            << "氏名\t" << p.name << "\n"
            << "年齢\t" << p.age << "\n"
            << "生年月日\t" << birthText(p) << "\n"
            << "性別\t" << dalmain::sexChoices().value(p.sex) << "\n";
    if (p.sex == 1) {
        ctx.out << "妊娠・授乳\t" << dalmain::pregnancyChoices().value(p.pregnancy) << "\n"
                << "月経\t" << dalmain::menstruationChoices().value(p.menstruation) << "\n";
    }
    ctx.out << "身長\t" << p.height << "\n"
            << "活動強度\t" << dalmain::activityChoices(p.age).value(shown.activity) << "\n"
            << "基準値\t" << dalmain::intakeViewerCaption(p.intakeSubject()) << "\n\n"
            << "栄養素\t単位\t下限\t上限\n";
    for (int i = 0; i < dalmain::kNutrientCount; ++i) {
        const dalmain::IntakeBound &b = session.intakeStandard()[i];
        ctx.out << dalmain::nutrientDisplayName(i) << "\t" << dalmain::nutrientDisplayUnit(i) << "\t"
                << dalmain::intakeViewerValue(i, b.lower) << "\t" << dalmain::intakeViewerValue(i, b.upper) << "\n";
    }
    return cli::ExitOk;
}

// A text that has to fit a field of the user table as the screen's edit box would limit it.
int checkText(cli::Context &ctx, const QString &option, const QString &text, int width)
{
    bool encodable = true;
    const QByteArray bytes = quenkit::toSjis(text, &encodable);
    if (!encodable)
        return cli::usageError(ctx, self(), QStringLiteral("%1 has a character that Shift-JIS cannot hold").arg(option));
    if (bytes.size() > width)
        return cli::usageError(ctx, self(), QStringLiteral("%1 is longer than %2 bytes in Shift-JIS").arg(option).arg(width));
    return cli::ExitOk;
}

int add(cli::Context &ctx, QStringList args)
{
    QString name, reading, birth, age, sex, pregnancy, menstruation, height, activity, weight, weightDate, standard;
    const struct {
        const char *option;
        QString *value;
        bool required;
    } options[] = {
        {"--name", &name, true},          {"--reading", &reading, true},
        {"--birth", &birth, false},       {"--age", &age, false},
        {"--sex", &sex, true},            {"--pregnancy", &pregnancy, false},
        {"--menstruation", &menstruation, false},
        {"--height", &height, true},      {"--activity", &activity, true},
        {"--weight", &weight, true},      {"--weight-date", &weightDate, false},
        {"--standard", &standard, false},
    };
    for (const auto &o : options) {
        bool ok = true;
        const QString option = QString::fromLatin1(o.option);
        if (!cli::takeOption(args, option, o.value, &ok) && o.required)
            return cli::usageError(ctx, self(), QStringLiteral("%1 is required").arg(option));
        if (!ok)
            return cli::usageError(ctx, self(), QStringLiteral("%1 needs a value").arg(option));
    }
    if (const int rc = requireNoMore(ctx, args))
        return rc;

    if (const int rc = checkText(ctx, QStringLiteral("--name"), name, dalmain::userrecord::NameWidth))
        return rc;
    if (const int rc = checkText(ctx, QStringLiteral("--reading"), reading, dalmain::userrecord::ReadingWidth))
        return rc;
    if (birth.isEmpty() == age.isEmpty())
        return cli::usageError(ctx, self(), QStringLiteral("give either --birth or --age"));
    if (sex != QLatin1String("male") && sex != QLatin1String("female"))
        return cli::usageError(ctx, self(), QStringLiteral("--sex is male or female"));
    if (!QRegularExpression(QStringLiteral("^\\d{1,3}(\\.\\d)?$")).match(height).hasMatch())
        return cli::usageError(ctx, self(), QStringLiteral("--height takes centimetres with at most one decimal"));
    if (activity.size() != 1 || activity[0] < u'0' || activity[0] > u'2')
        return cli::usageError(ctx, self(), QStringLiteral("--activity is 0, 1 or 2"));

    dalmain::UserEntries entries;
    entries.reading = reading;
    entries.name = name;
    entries.height = height;
    entries.standard = standard.isEmpty() ? dalmain::kNationalStandardEntry : standard;
    int ageYears = 0;
    if (!birth.isEmpty()) {
        const std::optional<Date> d = parseDate(birth);
        if (!d)
            return cli::usageError(ctx, self(), QStringLiteral("--birth takes YYYY-MM-DD"));
        entries.birthYear = QString::number(d->year);
        entries.birthMonth = QString::number(d->month);
        entries.birthDay = QString::number(d->day);
        ageYears = dalmain::ageOn(d->year, d->month, d->day, quenkit::today());
    } else {
        if (!QRegularExpression(QStringLiteral("^\\d{1,2}$")).match(age).hasMatch())
            return cli::usageError(ctx, self(), QStringLiteral("--age takes a number of years, at most 99"));
        ageYears = age.toInt();
    }
    // The rules of the screen's combo boxes work on the age field.
    entries.age = QString::number(std::max(ageYears, 0));

    dalmain::chooseSex(entries, sex == QLatin1String("female") ? 1 : 0);
    if (entries.sex == 0 && (!pregnancy.isEmpty() || !menstruation.isEmpty()))
        return cli::usageError(ctx, self(), QStringLiteral("--pregnancy and --menstruation are for women"));
    if (!pregnancy.isEmpty()) {
        if (pregnancy.size() != 1 || pregnancy[0] < u'0' || pregnancy[0] > u'4')
            return cli::usageError(ctx, self(), QStringLiteral("--pregnancy is 0 to 4"));
        entries.pregnancy = pregnancy.toInt();
        if (entries.pregnancy != 0)
            entries.menstruation = 1;
    }
    if (!menstruation.isEmpty()) {
        if (menstruation != QLatin1String("yes") && menstruation != QLatin1String("no"))
            return cli::usageError(ctx, self(), QStringLiteral("--menstruation is yes or no"));
        if (menstruation == QLatin1String("yes") && (ageYears < 10 || ageYears > 69))
            return cli::usageError(ctx, self(), QStringLiteral("a woman below 10 or above 69 years is recorded without menstruation"));
        entries.menstruation = menstruation == QLatin1String("yes") ? 0 : 1;
    }
    const int level = activity.toInt();
    if (level == 0 && ageYears >= 1 && ageYears <= 5)
        return cli::usageError(ctx, self(), QStringLiteral("children of 1-5 years have the activity levels 1 and 2"));
    entries.activity = dalmain::activitySelection(ageYears, level);

    const QDate today = quenkit::today();
    dalmain::WeightEntries weightEntries{QString::number(today.year()), QString::number(today.month()),
                                         QString::number(today.day()), weight};
    if (!weightDate.isEmpty()) {
        const std::optional<Date> d = parseDate(weightDate);
        if (!d)
            return cli::usageError(ctx, self(), QStringLiteral("--weight-date takes YYYY-MM-DD"));
        weightEntries.year = QString::number(d->year);
        weightEntries.month = QString::number(d->month);
        weightEntries.day = QString::number(d->day);
    }

    cli::ConsoleOwner owner(ctx.err);
    auto prompt = [&]() -> std::optional<dalmain::FirstWeight> {
        dalmain::FirstWeight first;
        if (dalmain::CheckWeightEntries(&owner, weightEntries, &first) != dalmain::WeightField::None)
            return std::nullopt;
        return first;
    };
    dalmain::UserSession session;
    switch (session.save(&owner, entries, dalmain::CheckMode::WithMessages, prompt)) {
    case dalmain::SaveResult::Created:
        ctx.out << "created user " << session.profile()->number << ": " << session.profile()->name << "\n";
        return cli::ExitOk;
    case dalmain::SaveResult::Saved:
        ctx.out << "overwrote user " << session.profile()->number << ": " << session.profile()->name << "\n";
        return cli::ExitOk;
    case dalmain::SaveResult::Invalid:
    case dalmain::SaveResult::Abandoned:
        return cli::ExitNo;
    case dalmain::SaveResult::Failed:
        // The session has told the owner, which writes to stderr.
        return cli::ExitFailure;
    }
    return cli::ExitFailure;
}

int remove(cli::Context &ctx, const QStringList &args)
{
    if (args.size() != 1)
        return cli::usageError(ctx, self(), QStringLiteral("delete takes one NAME"));
    if (!cli::userTableReadable(ctx, self().name))
        return cli::ExitFailure;
    const std::optional<int> record = dalmain::findUserRecord(args.first());
    const std::optional<dalmain::UserProfile> profile = record ? dalmain::readUser(*record) : std::nullopt;
    if (!profile) {
        ctx.err << "dalmora users: no user named " << args.first() << "\n";
        return cli::ExitNo;
    }
    dalmain::UserSession session;
    if (session.deleteUsers(nullptr, {{*record, profile->number, profile->reading, profile->name}}) != 1) {
        ctx.err << "dalmora users: "
                << cli::withLockReason(QStringLiteral("the record of %1 cannot be deleted").arg(profile->name));
        if (!session.lastError().isEmpty())
            ctx.err << " (" << session.lastError() << ")";
        ctx.err << "\n";
        return cli::ExitFailure;
    }
    // The user is gone; a file that could not be removed is removed when the number is next
    // given out, but the user should know it is still there.
    if (!session.lastError().isEmpty())
        ctx.err << "dalmora users: " << session.lastError() << "\n";
    ctx.out << "deleted user " << profile->number << ": " << profile->name << "\n";
    return cli::ExitOk;
}

int templates(cli::Context &ctx, const QStringList &args)
{
    if (const int rc = requireNoMore(ctx, args))
        return rc;
    const QList<QPair<QString, QList<quenkit::DbfFieldDescriptor>>> tables = {
        {dalmain::kWeightTemplate, dalmain::weightLogFields()},
        {dalmain::kExerciseTemplate, dalmain::exerciseLogFields()},
        {dalmain::kStandardsTable, dalmain::standardsTableFields()},
        {dalmain::kUserTable, dalmain::userTableFields()},
    };
    int rc = cli::ExitOk;
    for (const auto &[name, fields] : tables) {
        if (quenkit::FileOpen(name, quenkit::OpenExists) == 1) {
            ctx.out << "kept " << name << " (it exists)\n";
        } else if (quenkit::createDbfTable(name, fields) == 1) {
            ctx.out << "created " << name << "\n";
        } else {
            ctx.err << "dalmora users: " << cli::withLockReason(name + QStringLiteral(" cannot be created")) << "\n";
            rc = cli::ExitFailure;
        }
    }
    return rc;
}

int run(cli::Context &ctx, QStringList args)
{
    if (args.isEmpty())
        return cli::usageError(ctx, self(), QStringLiteral("missing action"));
    if (quenkit::dataFolder().isEmpty()) {
        ctx.err << "dalmora users: no data folder; pass --data-dir DIR or store the DataDir2 setting\n";
        return cli::ExitFailure;
    }
    const QString action = args.takeFirst();
    if (action == QLatin1String("list"))
        return list(ctx, args);
    if (action == QLatin1String("show"))
        return show(ctx, args);
    if (action == QLatin1String("add"))
        return add(ctx, args);
    if (action == QLatin1String("delete"))
        return remove(ctx, args);
    if (action == QLatin1String("templates"))
        return templates(ctx, args);
    return cli::usageError(ctx, self(), QStringLiteral("unknown action '%1'").arg(action));
}

}  // namespace

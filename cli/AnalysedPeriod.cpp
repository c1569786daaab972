#include "AnalysedPeriod.h"

#include "Arguments.h"

#include "dalmain/analysis/AnalysisRun.h"
#include "dalmain/analysis/IntakeAggregation.h"
#include "dalmain/master/EntryNutrients.h"
#include "dalmain/master/ReferenceIntakes.h"
#include "dalmain/userdata/DayMenuFile.h"
#include "dalmain/userdata/UserStore.h"

#include "quenkit/dates/Dates.h"

#include <QDate>
#include <QRegularExpression>

namespace cli {

namespace {

// "2024-01-15" as the date key "20240115"; empty when it is not a calendar date of a year that
// records can have (a period of other years would be analysed as one without records).
QByteArray dayKey(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    if (!pattern.match(text).hasMatch() || !quenkit::isRecordYear(text.left(4).toInt())
        || !QDate::fromString(text, Qt::ISODate).isValid())
        return {};
    return QString(text).remove(QLatin1Char('-')).toLatin1();
}

QByteArray monthKey(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-(0[1-9]|1[0-2])$"));
    const auto m = pattern.match(text);
    if (!m.hasMatch() || !quenkit::isRecordYear(m.captured(1).toInt()))
        return {};
    return (m.captured(1) + m.captured(2)).toLatin1();
}

QByteArray yearKey(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d{4}$"));
    if (!pattern.match(text).hasMatch() || !quenkit::isRecordYear(text.toInt()))
        return {};
    return text.toLatin1();
}

}  // namespace

std::optional<PeriodArgument> takePeriodArgument(QStringList &args, QString *message)
{
    struct PeriodOption {
        const char *name;
        dalmain::AnalysisPeriod period;
        QString value;
    } options[] = {
        {"--day", dalmain::AnalysisPeriod::Day, {}},
        {"--month", dalmain::AnalysisPeriod::Month, {}},
        {"--year", dalmain::AnalysisPeriod::Year, {}},
        {"--days", dalmain::AnalysisPeriod::Selection, {}},
    };
    const PeriodOption *chosen = nullptr;
    for (PeriodOption &o : options) {
        bool ok = true;
        if (!takeOption(args, QString::fromLatin1(o.name), &o.value, &ok))
            continue;
        if (!ok) {
            *message = QStringLiteral("%1 needs a value").arg(QLatin1String(o.name));
            return std::nullopt;
        }
        if (chosen) {
            *message = QStringLiteral("give only one of --day, --month, --year and --days");
            return std::nullopt;
        }
        chosen = &o;
    }
    if (!chosen) {
        *message = QStringLiteral("give one of --day, --month, --year and --days");
        return std::nullopt;
    }
    PeriodArgument period;
    period.period = chosen->period;
    switch (chosen->period) {
    case dalmain::AnalysisPeriod::Day: period.key = dayKey(chosen->value); break;
    case dalmain::AnalysisPeriod::Month: period.key = monthKey(chosen->value); break;
    case dalmain::AnalysisPeriod::Year: period.key = yearKey(chosen->value); break;
    case dalmain::AnalysisPeriod::Selection:
        for (const QString &day : chosen->value.split(QLatin1Char(','))) {
            const QByteArray k = dayKey(day.trimmed());
            if (k.isEmpty()) {
                *message = QStringLiteral("'%1' is not a date YYYY-MM-DD").arg(day);
                return std::nullopt;
            }
            if (!period.days.contains(k))
                period.days.append(k);
        }
        return period;
    }
    if (period.key.isEmpty()) {
        *message = QStringLiteral("'%1' is not a valid %2 value").arg(chosen->value, QLatin1String(chosen->name));
        return std::nullopt;
    }
    return period;
}

dalmain::AnalysisReport AnalysedPeriod::report() const
{
    dalmain::AnalysisReport report;
    report.period = request.period;
    report.result = &result;
    report.standard = &session.intakeStandard();
    report.user = &*session.profile();
    report.groups = dalmain::groupTableText(groups, *session.profile());
    report.exchange = dalmain::exchangeTableText(groups, *session.profile());
    report.nutrientRows.fill(true);
    return report;
}

int analysePeriod(Context &ctx, const QString &group, const QString &userText, const PeriodArgument &period,
                  AnalysedPeriod &out)
{
    const QString prefix = QStringLiteral("dalmora %1: ").arg(group);
    if (!userTableReadable(ctx, group))
        return ExitFailure;
    const std::optional<dalmain::UserListEntry> named = userArgument(userText);
    if (!named) {
        ctx.err << prefix << "no user '" << userText << "'\n";
        return ExitNo;
    }
    const dalmain::IntakeLoad intakes = dalmain::LoadReferenceIntakes(nullptr, dalmain::referenceIntakes());
    if (!out.session.open(nullptr, named->name)) {
        ctx.err << prefix << "the user '" << named->name << "' cannot be read\n";
        return ExitFailure;
    }
    // Judged against the zeros of a file that cannot be read, every nutrient would pass as
    // having no reference at all.
    if (out.session.profile()->intakeSubject().national && intakes != dalmain::IntakeLoad::Loaded) {
        ctx.err << prefix << "the reference intakes cannot be read: " << dalmain::kReferenceIntakeFile
                << (intakes == dalmain::IntakeLoad::Damaged ? " is damaged\n" : " is missing\n");
        return ExitFailure;
    }
    const int user = static_cast<int>(out.session.profile()->number);
    if (dalmain::LoadFoodCache(nullptr, out.cache) != 1) {
        ctx.err << prefix << "the food table cannot be read\n";
        return ExitFailure;
    }
    if (period.period == dalmain::AnalysisPeriod::Selection) {
        QList<int> records;
        for (const QByteArray &k : period.days) {
            const int record = dalmain::FindDayMenu(user, k, 1);
            if (record == 0) {
                ctx.err << prefix << "no menu record for " << k.left(4) << "-" << k.mid(4, 2) << "-" << k.mid(6, 2)
                        << "\n";
                return ExitNo;
            }
            records.append(record);
        }
        out.request = dalmain::AnalysisRequest::chosen(user, records);
    } else {
        out.request = {user, period.period, period.key, {}};
    }
    const dalmain::EntryFoodIndex foods = dalmain::EntryFoodIndex::fromCache(out.cache);
    dalmain::reloadPfcTargets();
    const dalmain::UserProfile &profile = *out.session.profile();
    out.groups = dalmain::LoadGroupAnalysis(profile, out.cache);
    dalmain::AnalysisSubject subject = dalmain::analysisSubject(profile);
    subject.groups = &out.groups;
    out.result = dalmain::RunAnalysis(out.request, foods, out.session.intakeStandard(), dalmain::wasteRatioOption(), subject);
    return ExitOk;
}

}  // namespace cli

#include "dalmain/print/ExerciseReport.h"

#include "dalmain/master/BasalMetabolism.h"
#include "dalmain/master/ExerciseItem.h"
#include "dalmain/print/ReportParts.h"
#include "dalmain/screens/sports/SportsSummaryView.h"

#include <QPainter>

namespace dalmain {

namespace {

// The screen's summary font, in screen pixels.
constexpr int kSummaryFontPixels = 15;

}  // namespace

QString reportPersonText(const UserProfile &person)
{
    QString text = QStringLiteral("氏名　") + person.name.trimmed();
    if (person.age > 0)
        text += QStringLiteral("　%1歳").arg(person.age);
    text += person.sex == 1 ? QStringLiteral("　女性") : QStringLiteral("　男性");
    return text;
}

ExerciseDayReport::ExerciseDayReport(const UserProfile &person, QByteArrayView date, const ExerciseDay &day,
                                     const ExerciseSummary &summary, const ReportOptions &options)
    : m_person(person), m_date(date.toByteArray()), m_day(day), m_summary(summary), m_options(options)
{
}

QString ExerciseDayReport::subject() const
{
    return reportPersonText(m_person);
}

QString ExerciseDayReport::dateText() const
{
    return reportDayText(m_date);
}

bool ExerciseDayReport::paint(ReportCanvas &canvas) const
{
    const int line = canvas.cell().height;
    if (m_options.block(1)) {
        canvas.heading(QStringLiteral("運動の内容"));
        ReportTable table(canvas, {{QStringLiteral("運動種目"), 34, Qt::AlignLeft},
                                   {QStringLiteral("時間(分)"), 10, Qt::AlignRight},
                                   {QStringLiteral("消費エネルギー(kcal)"), 18, Qt::AlignRight},
                                   {QStringLiteral("メモ"), 0, Qt::AlignLeft}});
        if (!table.begin())
            return false;
        for (const ExerciseEntry &entry : m_day.entries()) {
            const ExerciseListLine l = exerciseListLine(entry);
            if (!table.row({l.name.trimmed(), l.minutes.trimmed(), l.energy.trimmed(), l.memo.trimmed()}))
                return false;
        }
        canvas.advance(line);
    }
    if (m_options.block(2)) {
        QFont font = ReportCanvas::textFont(kSummaryFontPixels);
        const int height = exerciseSummaryHeight(QFontMetrics(font)) * kPrintedPixelUnits;
        if (!canvas.ensureRoom(line * 2 + height))
            return false;
        canvas.heading(QStringLiteral("消費エネルギー"));
        paintScreenRoutine(canvas.painter(), QRect(0, canvas.y(), canvas.width(), height), kSummaryFontPixels,
                           [this](QPainter &painter, const QRect &rect) { paintExerciseSummary(painter, rect, m_summary); });
        canvas.advance(height);
    }
    return true;
}

ExerciseDayReport loadExerciseDayReport(const UserProfile &person, QByteArrayView date)
{
    BasalStandardTable table{};
    LoadBasalStandardTable(table);
    const ExerciseDayBasis basis = exerciseDayBasis(person, date, table);
    const ExerciseDay day = loadExerciseDay(person.number, date, itemLookupOf(readExerciseItems()), basis.energy);
    return ExerciseDayReport(person, date, day, day.summary(basis), readReportOptions(kSportsPrintSection, kAllBlocks));
}

}  // namespace dalmain

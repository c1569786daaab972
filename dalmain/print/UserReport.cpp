#include "dalmain/print/UserReport.h"

#include "dalmain/master/NutrientDisplay.h"
#include "dalmain/master/ReferenceIntakeDisplay.h"
#include "dalmain/print/ExerciseReport.h"
#include "dalmain/print/ReportParts.h"
#include "dalmain/userdata/UserEntries.h"
#include "quenkit/dates/Dates.h"

#include <QPainter>

namespace dalmain {

namespace {

constexpr int kItemCells = 11;
constexpr int kProfileTextCells = 36;
// A half of the reference table: the nutrient, its unit, the lower and the upper value.
constexpr int kNutrientCells = 19;
constexpr int kUnitCells = 8;
constexpr int kValueCells = 10;

QString orNone(const QString &text)
{
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() ? QStringLiteral("設定なし") : trimmed;
}

}  // namespace

UserReport::UserReport(const UserProfile &person, const IntakeStandard &standard, const ReportOptions &options,
                       QByteArrayView printedOn)
    : m_person(person), m_standard(standard), m_options(options), m_printedOn(printedOn.toByteArray())
{
}

QString UserReport::subject() const
{
    return reportPersonText(m_person);
}

QString UserReport::dateText() const
{
    return reportDayText(m_printedOn);
}

QList<QStringList> UserReport::profileRows() const
{
    const UserProfile &p = m_person;
    QList<QStringList> rows{
        {QStringLiteral("番号"), QString::number(p.number)},
        {QStringLiteral("フリガナ"), p.reading.trimmed()},
        {QStringLiteral("氏名"), p.name.trimmed()},
        {QStringLiteral("生年月日"), p.hasBirthDate()
                                       ? QString::asprintf("%04d年%02d月%02d日", p.birthYear, p.birthMonth, p.birthDay)
                                       : QStringLiteral("未入力")},
        {QStringLiteral("年齢"), QStringLiteral("%1歳").arg(p.age)},
        {QStringLiteral("性別"), sexChoices().value(p.sex)},
    };
    if (p.sex == 1) {
        rows.append({QStringLiteral("妊娠・授乳"), pregnancyChoices().value(p.pregnancy)});
        rows.append({QStringLiteral("月経"), menstruationChoices().value(p.menstruation)});
    }
    rows.append({QStringLiteral("身長"), QStringLiteral("%1 cm").arg(p.height.trimmed())});
    rows.append({QStringLiteral("活動強度"), activityChoices(p.age).value(activitySelection(p.age, p.activity))});
    rows.append({QStringLiteral("食事摂取基準"), intakeViewerCaption(p.intakeSubject())});
    rows.append({QStringLiteral("食品交換表"), orNone(p.exchangeTable)});
    rows.append({QStringLiteral("食品群別表"), orNone(p.foodGroupTable)});
    rows.append({QStringLiteral("適正単位"), orNone(p.unitTable)});
    rows.append({QStringLiteral("適正摂取量"), orNone(p.intakeTable)});
    rows.append({QStringLiteral("登録日"), p.firstDate.trimmed().isEmpty() ? QStringLiteral("不明") : reportDayText(p.firstDate)});
    return rows;
}

bool UserReport::paint(ReportCanvas &canvas) const
{
    if (m_options.block(1) && !paintProfile(canvas))
        return false;
    if (m_options.block(2) && !paintReferenceValues(canvas))
        return false;
    return true;
}

bool UserReport::paintProfile(ReportCanvas &canvas) const
{
    if (!canvas.ensureRoom(canvas.cell().height * 6))
        return false;
    canvas.heading(QStringLiteral("基本情報"));
    // Two items to a line, so that the reference values still fit the same sheet.
    ReportTable table(canvas, {{QStringLiteral("項目"), kItemCells, Qt::AlignLeft},
                               {QStringLiteral("内容"), kProfileTextCells, Qt::AlignLeft},
                               {QStringLiteral("項目"), kItemCells, Qt::AlignLeft},
                               {QStringLiteral("内容"), 0, Qt::AlignLeft}});
    if (!table.begin())
        return false;
    const QList<QStringList> rows = profileRows();
    for (qsizetype i = 0; i < rows.size(); i += 2) {
        if (!table.row(rows[i] + rows.value(i + 1)))
            return false;
    }
    canvas.advance(canvas.cell().height);
    return true;
}

bool UserReport::paintReferenceValues(ReportCanvas &canvas) const
{
    const int line = canvas.cell().height;
    if (!canvas.ensureRoom(line * 7))
        return false;
    canvas.heading(QStringLiteral("食事摂取基準の値"));
    QPainter &p = canvas.painter();
    p.save();
    p.setPen(Qt::black);
    p.setFont(ReportCanvas::textFont(line * 4 / 5));
    p.drawText(QRect(0, canvas.y(), canvas.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
               intakeViewerCaption(m_person.intakeSubject()) + QStringLiteral("　（空欄は基準値なし）"));
    p.restore();
    canvas.advance(line * 3 / 2);

    // The 37 nutrients in two halves side by side, the first half down the left.
    QList<ReportColumn> columns;
    for (int half = 0; half < 2; ++half) {
        columns.append({QStringLiteral("栄養素"), kNutrientCells, Qt::AlignLeft});
        columns.append({QStringLiteral("単位"), kUnitCells, Qt::AlignLeft});
        columns.append({QStringLiteral("下限"), kValueCells, Qt::AlignRight});
        columns.append({QStringLiteral("上限"), half == 0 ? kValueCells : 0, Qt::AlignRight});
    }
    ReportTable table(canvas, columns);
    if (!table.begin())
        return false;
    const int rows = (kNutrientCount + 1) / 2;
    for (int r = 0; r < rows; ++r) {
        QStringList cells;
        for (int n : {r, r + rows}) {
            if (n >= kNutrientCount)
                break;
            const IntakeBound &bound = m_standard[n];
            cells << nutrientDisplayName(n) << nutrientDisplayUnit(n) << intakeViewerBound(n, bound.lower)
                  << intakeViewerBound(n, bound.upper);
        }
        if (!table.row(cells))
            return false;
    }
    return true;
}

UserReport makeUserReport(const UserProfile &person, const IntakeStandard &standard, const ReportOptions &options)
{
    const QDate today = quenkit::today();
    return UserReport(person, standard, options,
                      QString::asprintf("%04d%02d%02d", today.year(), today.month(), today.day()).toLatin1());
}

}  // namespace dalmain

#include "dalmain/print/WeightReport.h"

#include "dalmain/print/ExerciseReport.h"
#include "dalmain/print/ReportParts.h"
#include "dalmain/screens/weight/WeightCharts.h"

#include <QPainter>

namespace dalmain {

namespace {

// The charts' height in screen pixels, as tall as the screen shows them.
constexpr int kChartPixels = 300;

QString differenceText(const std::optional<RangeDifference> &difference)
{
    return difference ? difference->text : QStringLiteral("－");
}

}  // namespace

WeightMonthReport::WeightMonthReport(const UserProfile &person, const WeightMonth &month, const WeightGoal &goal,
                                     const ReportOptions &options)
    : m_person(person), m_month(month), m_goal(goal), m_options(options)
{
}

QString WeightMonthReport::subject() const
{
    const WeightPerson &p = m_month.person();
    return reportPersonText(m_person) + QStringLiteral("　身長 %1cm").arg(p.heightText.trimmed());
}

QString WeightMonthReport::dateText() const
{
    return QString::asprintf("%04d年%02d月", m_month.year(), m_month.month());
}

bool WeightMonthReport::paint(ReportCanvas &canvas) const
{
    const int line = canvas.cell().height;
    if (m_options.block(1) || m_options.block(2)) {
        canvas.heading(QStringLiteral("測定記録"));
        ReportTable table(canvas, {{QStringLiteral("日付"), 16, Qt::AlignLeft},
                                   {QStringLiteral("体重(kg)"), 14, Qt::AlignRight},
                                   {QStringLiteral("BMI"), 12, Qt::AlignRight},
                                   {QStringLiteral("判定"), 14, Qt::AlignHCenter},
                                   {QStringLiteral("体脂肪率(%)"), 0, Qt::AlignRight}});
        if (!table.begin())
            return false;
        if (m_options.block(1)) {
            for (const WeightLine &l : m_month.lines()) {
                if (!table.row({l.listDate, l.weightText.trimmed(), shortBmiText(l.bmi).trimmed(),
                                bmiJudgementText(l.judgement), l.listBodyFat.trimmed()}))
                    return false;
            }
        }
        if (m_options.block(2)) {
            if (!table.row({QStringLiteral("月平均"), m_month.averageWeightText(), m_month.averageBmiText().trimmed(),
                            m_month.averageJudgementText(), m_month.averageBodyFatText()},
                           true) ||
                !table.row({QStringLiteral("適正との差"), differenceText(m_month.weightDifference()),
                            differenceText(m_month.bmiDifferenceOfAverage()), QString(),
                            differenceText(m_month.bodyFatDifference())}))
                return false;
        }
        canvas.advance(line);
    }
    if (m_options.block(3)) {
        QStringList lines{m_month.standard().line(), QStringLiteral("適正BMI　") + kStandardBmiText,
                          QStringLiteral("適正体脂肪率　") + m_month.standardFat().text};
        for (const GoalMessage &goal : {weightGoalMessage(m_goal, m_month), bodyFatGoalMessage(m_goal, m_month)}) {
            if (!goal.text.isEmpty())
                lines.append(goal.text);
        }
        if (!canvas.ensureRoom(line * (2 + lines.size())))
            return false;
        canvas.heading(QStringLiteral("標準値と目標"));
        QPainter &p = canvas.painter();
        p.save();
        p.setPen(Qt::black);
        p.setFont(ReportCanvas::textFont(line * 4 / 5));
        for (const QString &text : lines) {
            p.drawText(QRect(canvas.cell().width * 2, canvas.y(), canvas.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                       text);
            canvas.advance(line);
        }
        p.restore();
        canvas.advance(line);
    }
    return paintCharts(canvas);
}

bool WeightMonthReport::paintCharts(ReportCanvas &canvas) const
{
    const bool bmi = m_options.block(4);
    const bool graph = m_options.block(5);
    if (!bmi && !graph)
        return true;
    const int height = kChartPixels * kPrintedPixelUnits;
    const int line = canvas.cell().height;
    if (!canvas.ensureRoom(line * 2 + height))
        return false;
    canvas.heading(bmi && graph ? QStringLiteral("ＢＭＩチャートと月間履歴グラフ")
                                : bmi ? QStringLiteral("ＢＭＩチャート") : QStringLiteral("月間履歴グラフ"));
    const int gap = canvas.cell().width * 2;
    const int width = bmi && graph ? (canvas.width() - gap) / 2 : canvas.width();
    int x = 0;
    if (bmi) {
        const WeightLine *latest = m_month.latest();
        const BmiChartPoint point{m_month.person().heightCm, m_month.person().heightText,
                                  latest ? std::optional<double>(latest->record.kg) : std::nullopt};
        paintScreenRoutine(canvas.painter(), QRect(x, canvas.y(), width, height), 12,
                           [&point](QPainter &painter, const QRect &rect) { paintBmiChart(painter, rect, point); });
        x += width + gap;
    }
    if (graph) {
        paintScreenRoutine(canvas.painter(), QRect(x, canvas.y(), width, height), 12,
                           [this](QPainter &painter, const QRect &rect) { paintMonthlyGraph(painter, rect, m_month, m_goal); });
    }
    canvas.advance(height);
    return true;
}

WeightMonthReport loadWeightMonthReport(const UserProfile &person, int year, int month)
{
    return WeightMonthReport(person, loadWeightMonth(person.number, year, month, weightPersonOf(person)),
                             LoadWeightGoal(static_cast<int>(person.number)),
                             readReportOptions(kWeightPrintSection, kAllBlocks));
}

}  // namespace dalmain

#pragma once

#include "dalmain/analysis/AnalysisText.h"
#include "dalmain/master/IntakeStandard.h"
#include "dalmain/print/AnalysisPrintOptions.h"
#include "dalmain/print/PrintJob.h"
#include "dalmain/userdata/UserProfile.h"
#include "quenkit/printer/AbortKind.h"

#include <QDate>
#include <QString>

#include <optional>

// The analysis as a printed report ("分析結果印刷"): the sections the options tick, in their
// fixed order, flowing down the pages under a header of the analysis kind and date, the page
// number and the print date; in colour or monochrome, one or two pages to a sheet.
namespace dalmain {

inline const QString kAnalysisPrintTitle = QStringLiteral("分析結果印刷");

// "[月間分析] 分析日付[2024/ 5]": the kind and the period as the page header shows them; a day
// carries its weekday ("分析日付[2024/ 5/10(金)]"), a year only the year, a selection no date.
QString analysisPrintHeading(AnalysisPeriod period, const QByteArray &periodKey);
// "Page.  1".
QString analysisPrintPageText(int page);
// "Date.2024/05/10".
QString analysisPrintDateText(const QDate &date);

class AnalysisPrintReport : public Report
{
public:
    // Copies what report points to. comment is the period's stored comment; rateMode shows the
    // sufficiency rate instead of the judgement in the bars, as the screen is set to.
    AnalysisPrintReport(const AnalysisReport &report, const AnalysisPrintOptions &options, const QString &comment,
                        const QDate &printDate, bool rateMode);
    AnalysisPrintReport(const AnalysisPrintReport &other);
    AnalysisPrintReport &operator=(const AnalysisPrintReport &) = delete;

    QString title() const override { return kAnalysisPrintTitle; }
    QString subject() const override { return m_user.name; }
    QString dateText() const override;
    // A period without a menu record has nothing to print.
    bool isEmpty() const override { return m_result.dayCount == 0; }
    int progressKind() const override { return quenkit::AbortAnalyze; }
    // The paper of the printer set-up on the analysis screen; two pages side by side always
    // take the sheet across.
    QPageLayout::Orientation orientation() const override;
    std::optional<QPageSize> paperSize() const override;
    bool paint(ReportCanvas &canvas) const override;
    int paintPageHeader(ReportCanvas &canvas) const override;
    bool pageFooter() const override { return false; }
    int pagesPerSheet() const override { return m_options.twoColumns ? 2 : 1; }

    const AnalysisPrintOptions &options() const { return m_options; }
    bool monochrome() const override { return m_options.monochrome; }
    // Whether a box's section is printed: ticked, and possible for this analysis.
    bool prints(int box) const;

private:
    bool userInfo(ReportCanvas &canvas) const;
    bool foodCount(ReportCanvas &canvas) const;
    bool mealEnergyRatio(ReportCanvas &canvas) const;
    bool energyBalance(ReportCanvas &canvas) const;
    bool bodyWeight(ReportCanvas &canvas) const;
    bool bodyFat(ReportCanvas &canvas) const;
    bool nutrients(ReportCanvas &canvas) const;
    bool sufficiencyRadar(ReportCanvas &canvas) const;
    bool pfc(ReportCanvas &canvas) const;
    bool groupTable(ReportCanvas &canvas, bool exchange) const;
    bool groupRadar(ReportCanvas &canvas, bool exchange) const;
    bool history(ReportCanvas &canvas) const;
    bool comment(ReportCanvas &canvas) const;

    // The rows of a section of the analysis text, each split into its fields.
    QList<QStringList> sectionRows(ReportSection section) const;

    AnalysisReport m_report;   // points into the members below
    AnalysisResult m_result;
    IntakeStandard m_standard;
    UserProfile m_user;
    AnalysisPrintOptions m_options;
    QString m_comment;
    QDate m_printDate;
    bool m_rateMode;
};

// The report of an analysis with the stored print options as given: its nutrient table lists
// the nutrients shown and judged on the screen or every one, it carries the period's stored
// comment, today's date and the screen's judgement mode ("AlzKijyun").
AnalysisPrintReport makeAnalysisPrintReport(const AnalysisReport &report, const AnalysisPrintOptions &options);

}  // namespace dalmain

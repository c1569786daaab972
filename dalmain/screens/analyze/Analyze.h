#pragma once

#include "dalmain/analysis/AnalysisExport.h"
#include "dalmain/analysis/AnalysisResult.h"
#include "dalmain/analysis/GroupAnalysis.h"
#include "dalmain/analysis/IntakeAggregation.h"
#include "dalmain/master/FoodTable.h"
#include "dalmain/shell/ScreenWindow.h"

#include <QDate>

#include <array>
#include <functional>

class QLabel;
class QStackedWidget;

namespace quenkit {
class DatePicker;
}

namespace dalmain {

class AnalyzeGroupView;
class AnalyzeRireki;
class AnalyzeSyousai;
class AnalyzeSyoyo;
struct ExportAvailability;

// The analysis screen: the open user's intake over a day, a month or a year, chosen in the
// calendar of the kind, and the report of the run in one of the views (詳細, 分析グラフ, 履歴グラフ,
// 食品群別表, 食品交換表); the report can be saved to a file or copied. The kind and each kind's date outlive the screen while the program runs, so
// coming back to the analysis shows the period left; a selection does not survive a visit.
class Analyze : public ScreenWindow
{
    Q_OBJECT
public:
    explicit Analyze(const ScreenContext &context, QWidget *parent = nullptr);
    ~Analyze() override;

    void runCommand(int id) override;
    bool commandEnabled(int id) const override;
    bool commandChecked(int id) const override;
    void dateBarCommand(int code) override;
    bool hasDateBar() const override;
    void dateCommand(int id) override;
    bool dateCommandEnabled(int id) const override;
    QWidget *firstControl() override;
    void refreshDisplay() override;

    // The views, numbered as the remembered view is.
    enum View { DetailView = 0, GraphView = 1, HistoryView = 2, GroupView = 4, ExchangeView = 5 };

    AnalysisPeriod kind() const;
    // The date last analysed for a kind (a month and a year use its month or year).
    QDate kindDate(AnalysisPeriod kind) const;
    int view() const;
    bool hasResult() const { return m_hasResult; }
    const AnalysisResult &result() const { return m_result; }
    AnalyzeSyousai *detailView() const { return m_detail; }
    AnalyzeSyoyo *graphView() const { return m_graph; }
    AnalyzeRireki *historyView() const { return m_history; }
    AnalyzeGroupView *groupView() const { return m_groupView; }
    AnalyzeGroupView *exchangeView() const { return m_exchangeView; }
    // The view's widget shown now.
    QWidget *currentViewWidget() const;
    // The calendar of a kind (selection has none).
    quenkit::DatePicker *calendar(AnalysisPeriod kind) const;

    // The report of the last run with the nutrient table's rows: the nutrients selected for the
    // screen, or every one.
    AnalysisReport report(bool selectedNutrientsOnly) const;

    void saveAnalysis();
    void copyAnalysis();
    // The comment of the period shown (毎日のコメント).
    void editComment(QWidget *parent);
    // The days to analyse together (選択): on 分析 the selection is analysed; on ｷｬﾝｾﾙ the kind
    // shown before comes back.
    void chooseSelection();
    // The nutrients listed, judged and charted (栄養素の選択); on OK the report is built anew.
    void chooseNutrients();
    // The record numbers of the selection shown; empty for the other kinds.
    QList<int> selectedRecords() const { return m_selection; }

    // Asks for the file to save to: the file type (0 tab, 1 comma, 2 text, 3 every file) comes
    // in as last chosen and goes out as chosen; an empty path is a cancel. Tests replace it.
    using SaveFileChooser = std::function<QString(QWidget *parent, int *fileType)>;
    static void setSaveFileChooser(SaveFileChooser chooser);

private:
    void setKind(AnalysisPeriod kind);
    void dateChosen(AnalysisPeriod kind);
    void runAnalysis();
    // Shows view, or 詳細 when the view cannot be shown now (no table, the year kind's history).
    void setView(int view);
    bool viewAvailable(int view) const;
    // Gives the graph and table views the last run's report and the judgement mode of now.
    void refreshViews();
    ExportAvailability availability() const;

    FoodCache m_cache;
    EntryFoodIndex m_foods;
    GroupAnalysisData m_groups;
    AnalysisResult m_result;
    bool m_hasResult = false;
    // The menu records of the selection kind, kept while this screen shows it so that a run can
    // be made again; a selection is not carried to the next visit.
    QList<int> m_selection;

    QLabel *m_title;
    QStackedWidget *m_calendars;
    std::array<quenkit::DatePicker *, 3> m_pickers{};
    QStackedWidget *m_views;
    AnalyzeSyousai *m_detail;
    AnalyzeSyoyo *m_graph;
    AnalyzeRireki *m_history;
    AnalyzeGroupView *m_groupView;
    AnalyzeGroupView *m_exchangeView;
};

}  // namespace dalmain

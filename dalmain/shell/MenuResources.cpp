#include "dalmain/shell/MenuResources.h"

#include "dalmain/shell/CommandIds.h"

#include <QHash>

namespace dalmain {

namespace {

MenuItem item(const QString &text, int id)
{
    return MenuItem{text, id, {}};
}

MenuItem popup(const QString &text, QList<MenuItem> items)
{
    return MenuItem{text, 0, std::move(items)};
}

// Shared by every menu bar.
MenuItem printerSetup() { return item(QStringLiteral("プリンタの設定"), cmd::PrinterSetup); }
MenuItem exitProgram() { return item(QStringLiteral("Dalmoraの終了"), cmd::Exit); }
MenuItem toolbar() { return item(QStringLiteral("ツールバー"), cmd::Toolbar); }

QList<MenuItem> screenItems()
{
    return {item(QStringLiteral("ユーザー情報"), cmd::ScreenUser),
            item(QStringLiteral("献立の記録"), cmd::ScreenMenu),
            item(QStringLiteral("運動の記録"), cmd::ScreenSports),
            item(QStringLiteral("体重の記録"), cmd::ScreenWeight),
            item(QStringLiteral("分析"), cmd::ScreenAnalyze)};
}

MenuItem helpMenu(const QString &screenTopic)
{
    return popup(QStringLiteral("ヘルプ"), {item(screenTopic, cmd::HelpScreen),
                                              item(QStringLiteral("専門用語について"), cmd::HelpTerms),
                                              item(QStringLiteral("Dalmoraについて"), cmd::About)});
}

MenuItem viewMenu(QList<MenuItem> before, QList<MenuItem> after)
{
    QList<MenuItem> items = std::move(before);
    items += screenItems();
    items += after;
    items.append(toolbar());
    return popup(QStringLiteral("表示"), std::move(items));
}

MenuItem standardMenu(int judgement, int probability)
{
    return popup(QStringLiteral("基準値"), {item(QStringLiteral("充足判定"), judgement),
                                             item(QStringLiteral("充足確率"), probability)});
}

QList<MenuItem> userMenu()
{
    return {
        popup(QStringLiteral("ファイル"),
              {item(QStringLiteral("新規作成"), cmd::NewUser), item(QStringLiteral("ユーザー情報を開く"), cmd::OpenUser),
               item(QStringLiteral("ユーザー情報の保存"), cmd::Save),
               item(QStringLiteral("ユーザー情報の削除"), cmd::DeleteUser),
               item(QStringLiteral("ユーザー情報の印刷"), cmd::PrintUser), printerSetup(),
               item(QStringLiteral("データの保存(バックアップ)"), cmd::Backup),
               item(QStringLiteral("データの復帰(リストア)"), cmd::Restore), exitProgram()}),
        viewMenu({}, {}),
        popup(QStringLiteral("データ作成"),
              {item(QStringLiteral("データ作成のメニュー"), cmd::MasterMenu), item(QStringLiteral("食品"), cmd::MasterFood),
               item(QStringLiteral("食事摂取基準"), cmd::MasterStandard),
               item(QStringLiteral("運動種目"), cmd::MasterExercise),
               item(QStringLiteral("食品交換表"), cmd::MasterExchange), item(QStringLiteral("適正単位"), cmd::MasterUnit),
               item(QStringLiteral("食品群別表"), cmd::MasterGroup),
               item(QStringLiteral("適正摂取量"), cmd::MasterIntake)}),
        popup(QStringLiteral("オプション"),
              {item(QStringLiteral("システムの設定"), cmd::SystemSettings),
               item(QStringLiteral("PFC適正率の設定"), cmd::PfcSettings),
               item(QStringLiteral("マスタデータの初期化"), cmd::InitMaster)}),
        helpMenu(QStringLiteral("ユーザー情報について")),
    };
}

QList<MenuItem> menuMenu()
{
    return {
        popup(QStringLiteral("ファイル"),
              {item(QStringLiteral("献立を開く"), cmd::OpenMenu), item(QStringLiteral("献立の保存"), cmd::SaveMenu),
               item(QStringLiteral("献立の削除"), cmd::DeleteMenu), item(QStringLiteral("献立の印刷"), cmd::PrintMenu),
               printerSetup(), exitProgram()}),
        popup(QStringLiteral("編集"),
              {item(QStringLiteral("元に戻す"), cmd::Undo), item(QStringLiteral("やり直す"), cmd::Redo),
               item(QStringLiteral("切り取り"), cmd::Cut), item(QStringLiteral("コピー"), cmd::Copy),
               item(QStringLiteral("貼り付け"), cmd::Paste), item(QStringLiteral("すべて選択"), cmd::SelectAll),
               item(QStringLiteral("まとめてコピー"), cmd::CopyDay),
               item(QStringLiteral("まとめて貼り付け"), cmd::PasteDay),
               item(QStringLiteral("食品の入力"), cmd::FoodInput), item(QStringLiteral("料理の入力"), cmd::DishInput),
               item(QStringLiteral("料理名の入力"), cmd::DishNameInput), item(QStringLiteral("修正"), cmd::Modify),
               item(QStringLiteral("削除"), cmd::Delete), item(QStringLiteral("分量変換"), cmd::ConvertAmount),
               item(QStringLiteral("献立メモ"), cmd::MenuMemo)}),
        popup(QStringLiteral("料理"),
              {item(QStringLiteral("料理の保存"), cmd::SaveDish), item(QStringLiteral("料理の修正"), cmd::ModifyDish),
               item(QStringLiteral("料理の削除"), cmd::DeleteDish)}),
        viewMenu({standardMenu(cmd::MenuJudgement, cmd::MenuProbability)},
                 {item(QStringLiteral("朝食"), cmd::Breakfast), item(QStringLiteral("昼食"), cmd::Lunch),
                  item(QStringLiteral("夕食"), cmd::Dinner), item(QStringLiteral("間食"), cmd::Snack),
                  item(QStringLiteral("電卓"), cmd::Calculator)}),
        popup(QStringLiteral("日付"),
              {item(QStringLiteral("前日"), cmd::PreviousDay), item(QStringLiteral("翌日"), cmd::NextDay),
               item(QStringLiteral("今日"), cmd::Today), item(QStringLiteral("前月"), cmd::PreviousMonth),
               item(QStringLiteral("翌月"), cmd::NextMonth)}),
        helpMenu(QStringLiteral("献立記録について")),
    };
}

QList<MenuItem> weightMenu()
{
    return {
        popup(QStringLiteral("ファイル"),
              {item(QStringLiteral("体重･体脂肪率の印刷"), cmd::PrintWeight), printerSetup(), exitProgram()}),
        popup(QStringLiteral("編集"),
              {item(QStringLiteral("目標体重・体脂肪率の設定"), cmd::WeightGoal),
               item(QStringLiteral("入力"), cmd::WeightInput), item(QStringLiteral("修正"), cmd::WeightModify),
               item(QStringLiteral("削除"), cmd::WeightDelete),
               item(QStringLiteral("まとめてコピー"), cmd::WeightCopyAll)}),
        viewMenu({}, {}),
        popup(QStringLiteral("日付"),
              {item(QStringLiteral("前月"), cmd::PreviousMonth), item(QStringLiteral("翌月"), cmd::NextMonth),
               item(QStringLiteral("今月"), cmd::Today)}),
        helpMenu(QStringLiteral("体重記録について")),
    };
}

QList<MenuItem> sportsMenu()
{
    return {
        popup(QStringLiteral("ファイル"),
              {item(QStringLiteral("運動を開く"), cmd::OpenSports), item(QStringLiteral("運動の保存"), cmd::SaveSports),
               item(QStringLiteral("運動の削除"), cmd::DeleteSports),
               item(QStringLiteral("運動の印刷"), cmd::PrintSports), printerSetup(), exitProgram()}),
        popup(QStringLiteral("編集"),
              {item(QStringLiteral("入力"), cmd::SportsInput), item(QStringLiteral("修正"), cmd::SportsModify),
               item(QStringLiteral("削除"), cmd::SportsDelete),
               item(QStringLiteral("基礎代謝量の入力"), cmd::BasalInput),
               item(QStringLiteral("まとめてコピー"), cmd::SportsCopyAll),
               item(QStringLiteral("まとめて貼り付け"), cmd::SportsPasteAll)}),
        viewMenu({}, {}),
        popup(QStringLiteral("日付"),
              {item(QStringLiteral("前日"), cmd::PreviousDay), item(QStringLiteral("翌日"), cmd::NextDay),
               item(QStringLiteral("今日"), cmd::Today), item(QStringLiteral("前月"), cmd::PreviousMonth),
               item(QStringLiteral("翌月"), cmd::NextMonth)}),
        helpMenu(QStringLiteral("運動記録について")),
    };
}

QList<MenuItem> analyzeMenu()
{
    return {
        popup(QStringLiteral("ファイル"),
              {item(QStringLiteral("分析結果の保存"), cmd::SaveAnalysis),
               item(QStringLiteral("分析結果の印刷"), cmd::PrintAnalysis), printerSetup(), exitProgram()}),
        popup(QStringLiteral("編集"),
              {item(QStringLiteral("分析結果のコピー"), cmd::CopyAnalysis),
               item(QStringLiteral("毎日のコメント"), cmd::DailyComment)}),
        popup(QStringLiteral("分析"),
              {item(QStringLiteral("分析詳細"), cmd::AnalysisDetail), item(QStringLiteral("分析グラフ"), cmd::AnalysisGraph),
               item(QStringLiteral("食品交換表"), cmd::AnalysisExchange),
               item(QStringLiteral("食品群別表"), cmd::AnalysisGroup),
               item(QStringLiteral("履歴グラフ"), cmd::HistoryGraph), item(QStringLiteral("一日"), cmd::PeriodDay),
               item(QStringLiteral("月間"), cmd::PeriodMonth), item(QStringLiteral("年間"), cmd::PeriodYear),
               item(QStringLiteral("選択"), cmd::PeriodSelect)}),
        viewMenu({standardMenu(cmd::AnalysisJudgement, cmd::AnalysisProbability),
                  item(QStringLiteral("栄養素の選択"), cmd::NutrientChoice)},
                 {}),
        popup(QStringLiteral("日付"),
              {item(QStringLiteral("前日"), cmd::PreviousDay), item(QStringLiteral("翌日"), cmd::NextDay),
               item(QStringLiteral("今日,今月,今年"), cmd::Today), item(QStringLiteral("前月"), cmd::PreviousMonth),
               item(QStringLiteral("翌月"), cmd::NextMonth), item(QStringLiteral("前年"), cmd::PreviousYear),
               item(QStringLiteral("翌年"), cmd::NextYear)}),
        helpMenu(QStringLiteral("分析について")),
    };
}

void collectIds(const QList<MenuItem> &items, QList<int> &ids)
{
    for (const MenuItem &m : items) {
        if (m.id != 0)
            ids.append(m.id);
        collectIds(m.items, ids);
    }
}

const MenuItem *findCommand(const QList<MenuItem> &items, int id)
{
    for (const MenuItem &m : items) {
        if (m.id == id)
            return &m;
        if (const MenuItem *inner = findCommand(m.items, id))
            return inner;
    }
    return nullptr;
}

}  // namespace

const QList<MenuItem> &menuResource(int resource)
{
    static const QHash<int, QList<MenuItem>> menus = {
        {2, userMenu()}, {3, menuMenu()}, {4, weightMenu()}, {5, sportsMenu()}, {6, analyzeMenu()},
    };
    static const QList<MenuItem> none;
    const auto it = menus.constFind(resource);
    return it == menus.constEnd() ? none : *it;
}

const QList<int> &toolbarResource(int resource)
{
    using namespace cmd;
    static const QHash<int, QList<int>> toolbars = {
        {2, {NewUser, OpenUser, Save, DeleteUser, 0, PrintUser, 0, MasterMenu, 0, SystemSettings, 0, HelpScreen}},
        {3, {OpenMenu, SaveDish, 0, PrintMenu, 0, Cut, Copy, Paste, 0, Undo, Redo, 0, FoodInput, DishInput,
             DishNameInput, Modify, Delete, ConvertAmount, 0, MenuMemo, 0, Calculator, 0, HelpScreen}},
        {4, {OpenSports, 0, PrintSports, 0, SportsCopyAll, SportsPasteAll, 0, SportsInput, SportsModify,
             SportsDelete, 0, BasalInput, 0, HelpScreen}},
        {5, {PrintWeight, 0, WeightCopyAll, 0, WeightInput, WeightModify, WeightDelete, 0, WeightGoal, 0,
             HelpScreen}},
        {6, {SaveAnalysis, 0, PrintAnalysis, 0, CopyAnalysis, 0, AnalysisDetail, AnalysisGraph, AnalysisExchange,
             AnalysisGroup, HistoryGraph, 0, PeriodDay, PeriodMonth, PeriodYear, PeriodSelect, 0, DailyComment, 0,
             NutrientChoice, 0, HelpScreen}},
    };
    static const QList<int> none;
    const auto it = toolbars.constFind(resource);
    return it == toolbars.constEnd() ? none : *it;
}

QString menuCommandText(int resource, int id)
{
    const MenuItem *m = findCommand(menuResource(resource), id);
    return m ? m->text : QString();
}

QList<int> menuCommandIds(int resource)
{
    QList<int> ids;
    collectIds(menuResource(resource), ids);
    return ids;
}

}  // namespace dalmain

// The menu bars, toolbars and tab strip of the five screens, compared with the program's
// tables of texts, ids and order.

#include "ShellTestSupport.h"

#include "dalmain/shell/MenuResources.h"
#include "dalmain/shell/Screens.h"
#include "quenkit/controls/Takku.h"

#include <QFile>
#include <QMenuBar>
#include <QSvgRenderer>
#include <QToolBar>
#include <QToolButton>

using namespace dalmain;
using namespace shelltest;

namespace {

// Every menu resource as "menu/sub-menu/item id", one entry a line, in menu order.
const QList<QPair<int, QString>> kMenus = {
    {2, R"(ファイル/新規作成 57600
ファイル/ユーザー情報を開く 57601
ファイル/ユーザー情報の保存 57603
ファイル/ユーザー情報の削除 32774
ファイル/ユーザー情報の印刷 32838
ファイル/プリンタの設定 32820
ファイル/データの保存(バックアップ) 32834
ファイル/データの復帰(リストア) 32831
ファイル/Dalmoraの終了 57665
表示/ユーザー情報 1024
表示/献立の記録 1025
表示/運動の記録 1026
表示/体重の記録 1027
表示/分析 1028
表示/ツールバー 59392
データ作成/データ作成のメニュー 32885
データ作成/食品 32817
データ作成/食事摂取基準 32818
データ作成/運動種目 32842
データ作成/食品交換表 32852
データ作成/適正単位 32857
データ作成/食品群別表 32855
データ作成/適正摂取量 32858
オプション/システムの設定 32819
オプション/PFC適正率の設定 32875
オプション/マスタデータの初期化 32892
ヘルプ/ユーザー情報について 57670
ヘルプ/専門用語について 32835
ヘルプ/Dalmoraについて 57664)"},
    {3, R"(ファイル/献立を開く 32867
ファイル/献立の保存 32790
ファイル/献立の削除 32871
ファイル/献立の印刷 32839
ファイル/プリンタの設定 32820
ファイル/Dalmoraの終了 57665
編集/元に戻す 32788
編集/やり直す 32878
編集/切り取り 32785
編集/コピー 32786
編集/貼り付け 32787
編集/すべて選択 32836
編集/まとめてコピー 32833
編集/まとめて貼り付け 32870
編集/食品の入力 32779
編集/料理の入力 32780
編集/料理名の入力 32781
編集/修正 32784
編集/削除 32789
編集/分量変換 32845
編集/献立メモ 32846
料理/料理の保存 32783
料理/料理の修正 32847
料理/料理の削除 32801
表示/基準値/充足判定 32887
表示/基準値/充足確率 32888
表示/ユーザー情報 1024
表示/献立の記録 1025
表示/運動の記録 1026
表示/体重の記録 1027
表示/分析 1028
表示/朝食 32775
表示/昼食 32776
表示/夕食 32777
表示/間食 32778
表示/電卓 32880
表示/ツールバー 59392
日付/前日 32821
日付/翌日 32822
日付/今日 32837
日付/前月 32823
日付/翌月 32824
ヘルプ/献立記録について 57670
ヘルプ/専門用語について 32835
ヘルプ/Dalmoraについて 57664)"},
    {4, R"(ファイル/体重･体脂肪率の印刷 32841
ファイル/プリンタの設定 32820
ファイル/Dalmoraの終了 57665
編集/目標体重・体脂肪率の設定 32848
編集/入力 32795
編集/修正 32794
編集/削除 32796
編集/まとめてコピー 32844
表示/ユーザー情報 1024
表示/献立の記録 1025
表示/運動の記録 1026
表示/体重の記録 1027
表示/分析 1028
表示/ツールバー 59392
日付/前月 32823
日付/翌月 32824
日付/今月 32837
ヘルプ/体重記録について 57670
ヘルプ/専門用語について 32835
ヘルプ/Dalmoraについて 57664)"},
    {5, R"(ファイル/運動を開く 32868
ファイル/運動の保存 32800
ファイル/運動の削除 32872
ファイル/運動の印刷 32840
ファイル/プリンタの設定 32820
ファイル/Dalmoraの終了 57665
編集/入力 32797
編集/修正 32798
編集/削除 32799
編集/基礎代謝量の入力 32883
編集/まとめてコピー 32843
編集/まとめて貼り付け 32876
表示/ユーザー情報 1024
表示/献立の記録 1025
表示/運動の記録 1026
表示/体重の記録 1027
表示/分析 1028
表示/ツールバー 59392
日付/前日 32821
日付/翌日 32822
日付/今日 32837
日付/前月 32823
日付/翌月 32824
ヘルプ/運動記録について 57670
ヘルプ/専門用語について 32835
ヘルプ/Dalmoraについて 57664)"},
    {6, R"(ファイル/分析結果の保存 32812
ファイル/分析結果の印刷 32815
ファイル/プリンタの設定 32820
ファイル/Dalmoraの終了 57665
編集/分析結果のコピー 32814
編集/毎日のコメント 32877
分析/分析詳細 32809
分析/分析グラフ 32810
分析/食品交換表 32851
分析/食品群別表 32850
分析/履歴グラフ 32811
分析/一日 32805
分析/月間 32806
分析/年間 32807
分析/選択 32808
表示/基準値/充足判定 32889
表示/基準値/充足確率 32890
表示/栄養素の選択 40004
表示/ユーザー情報 1024
表示/献立の記録 1025
表示/運動の記録 1026
表示/体重の記録 1027
表示/分析 1028
表示/ツールバー 59392
日付/前日 32821
日付/翌日 32822
日付/今日,今月,今年 32837
日付/前月 32823
日付/翌月 32824
日付/前年 32828
日付/翌年 32829
ヘルプ/分析について 57670
ヘルプ/専門用語について 32835
ヘルプ/Dalmoraについて 57664)"},
};

// Every toolbar resource, left to right; 0 is a separator.
const QList<QPair<int, QList<int>>> kToolbars = {
    {2, {57600, 57601, 57603, 32774, 0, 32838, 0, 32885, 0, 32819, 0, 57670}},
    {3, {32867, 32783, 0, 32839, 0, 32785, 32786, 32787, 0, 32788, 32878, 0, 32779, 32780, 32781, 32784, 32789,
         32845, 0, 32846, 0, 32880, 0, 57670}},
    {4, {32868, 0, 32840, 0, 32843, 32876, 0, 32797, 32798, 32799, 0, 32883, 0, 57670}},
    {5, {32841, 0, 32844, 0, 32795, 32794, 32796, 0, 32848, 0, 57670}},
    {6, {32812, 0, 32815, 0, 32814, 0, 32809, 32810, 32851, 32850, 32811, 0, 32805, 32806, 32807, 32808, 0, 32877,
         0, 40004, 0, 57670}},
};

void flatten(const QList<QAction *> &actions, const QString &path, QStringList &out)
{
    for (QAction *a : actions) {
        if (a->isSeparator())
            out.append(path + "-");
        else if (a->menu())
            flatten(a->menu()->actions(), path + a->text() + "/", out);
        else
            out.append(QStringLiteral("%1%2 %3").arg(path, a->text()).arg(a->data().toInt()));
    }
}

int screenOfMenu(int resource)
{
    for (const ScreenInfo &s : screens()) {
        if (s.menuResource == resource)
            return s.index;
    }
    return -1;
}

}  // namespace

// The menu bar each screen installs, item by item.
TEST_F(ShellTest, EachScreenInstallsItsMenuBar)
{
    auto frame = start();
    ASSERT_NE(frame, nullptr);
    for (const auto &[resource, expected] : kMenus) {
        SCOPED_TRACE(resource);
        const int screen = screenOfMenu(resource);
        ASSERT_GE(screen, 0);
        ASSERT_TRUE(frame->view()->switchScreen(screen));
        QStringList items;
        flatten(frame->menuBar()->actions(), QString(), items);
        EXPECT_EQ(items.join("\n"), expected);
    }
}

TEST_F(ShellTest, ToolbarsHoldTheirButtonsInOrderWithMenuTextsAsTips)
{
    auto frame = start();
    ASSERT_NE(frame, nullptr);
    for (const auto &[resource, expected] : kToolbars) {
        SCOPED_TRACE(resource);
        int screen = -1;
        for (const ScreenInfo &s : screens()) {
            if (s.toolbarResource == resource)
                screen = s.index;
        }
        ASSERT_GE(screen, 0);
        QToolBar *bar = frame->toolbar(screen);
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->iconSize(), QSize(48, 48));
        QList<int> ids;
        for (QAction *a : bar->actions()) {
            ids.append(a->isSeparator() ? 0 : a->data().toInt());
            if (a->isSeparator())
                continue;
            const int id = a->data().toInt();
            const QString text = menuCommandText(screenInfo(screen).menuResource, id);
            EXPECT_FALSE(text.isEmpty()) << id << " is not in the screen's menu";
            EXPECT_EQ(a->toolTip(), text);
            EXPECT_FALSE(a->icon().isNull()) << "no icon for " << id;
            EXPECT_TRUE(QSvgRenderer(QStringLiteral(":/dalmain/icons/%1.svg").arg(id)).isValid()) << "icon " << id;
            QWidget *button = bar->widgetForAction(a);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->size(), QSize(54, 54));
        }
        EXPECT_EQ(ids, expected);
    }
}

// SystemSet5 0 (the default) takes the flat look from the user toolbar's buttons only.
TEST_F(ShellTest, UserToolbarLosesTheFlatLookUnlessSystemSet5)
{
    for (const QString &value : {QString(), QStringLiteral("1")}) {
        SCOPED_TRACE(value.toStdString());
        if (!value.isEmpty())
            setSystem("SystemSet5", value);
        auto frame = start();
        ASSERT_NE(frame, nullptr);
        for (int screen = 0; screen < kScreenCount; ++screen) {
            const bool flat = screen != UserScreen || !value.isEmpty();
            for (QToolButton *b : frame->toolbar(screen)->findChildren<QToolButton *>()) {
                if (!b->defaultAction() || b->defaultAction()->data().toInt() == 0)
                    continue;
                EXPECT_EQ(b->autoRaise(), flat) << "screen " << screen;
            }
        }
        frame.reset();
        settle();
    }
}

TEST_F(ShellTest, TabStripNamesTheFiveScreens)
{
    EXPECT_EQ(tabStripText(), QStringLiteral("ユーザー@献  立  @運  動  @体  重  @分  析  "));
    auto frame = start();
    ASSERT_NE(frame, nullptr);
    quenkit::TAKKU *tabs = frame->view()->tabStrip();
    ASSERT_EQ(tabs->count(), kScreenCount);
    EXPECT_EQ(tabs->captions(), tabStripText());
    EXPECT_EQ(frame->view()->screen()->parentWidget(), tabs);
}

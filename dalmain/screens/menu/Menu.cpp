#include "dalmain/screens/menu/Menu.h"

#include "dalmain/master/DishLoading.h"
#include "dalmain/master/DishSearch.h"
#include "dalmain/master/DishTable.h"
#include "dalmain/master/NutrientDisplay.h"
#include "dalmain/print/MenuReport.h"
#include "dalmain/print/PrintOptions.h"
#include "dalmain/screens/menu/ConvertDialog.h"
#include "dalmain/screens/menu/DayListDialog.h"
#include "dalmain/screens/menu/DishNameDialog.h"
#include "dalmain/screens/menu/DishSaveDialog.h"
#include "dalmain/screens/menu/DishSearchDialog.h"
#include "dalmain/screens/menu/FoodInputDialog.h"
#include "dalmain/screens/menu/MenuClipboard.h"
#include "dalmain/screens/menu/MenuGrid.h"
#include "dalmain/screens/menu/MenuMemoDialog.h"
#include "dalmain/screens/menu/MenuPanel.h"
#include "dalmain/screens/menu/NutrientColumnsDialog.h"
#include "dalmain/screens/menu/SelCopyDialog.h"
#include "dalmain/shell/CommandIds.h"
#include "dalmain/shell/ShellSettings.h"
#include "dalmain/shell/Screens.h"
#include "dalmain/userdata/DayMenuFile.h"
#include "dalmain/userdata/UserSession.h"
#include "quenkit/controls/DatePickers.h"
#include "quenkit/controls/Fonts.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/registry/SettingsStore.h"
#include "quenkit/text/ShiftJis.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <optional>

namespace dalmain {

namespace {

const QString kViewKubun = QStringLiteral("ViewKubun");
const QString kScrollValue = QStringLiteral("ScrollValue");
const QString kSaveFailed = QStringLiteral("献立を保存できませんでした。\n%1");
const QString kPasteDayTitle = QStringLiteral("まとめて貼り付け");
const QString kPasteDayQuestion =
    QStringLiteral("編集中の献立が削除され「まとめてｺﾋﾟｰ」でｺﾋﾟｰされた献立を貼り付けます。\nよろしいですか？");

constexpr int kMealCommands[kMealCount] = {cmd::Breakfast, cmd::Lunch, cmd::Dinner, cmd::Snack};
const char *const kMealButtonNames[kMealCount] = {"IDB_MENU_SEL_BF", "IDB_MENU_SEL_L", "IDB_MENU_SEL_S",
                                                  "IDB_MENU_SEL_BM"};
const char *const kMealTexts[kMealCount] = {"朝食", "昼食", "夕食", "間食"};

// A day that could not be stored when the screen closed; the screen opened again for the same
// user takes it up instead of the stored day, so the edits are not lost.
struct UnsavedDay {
    int user = -1;
    QDate date;
    MenuDay day;
};
std::optional<UnsavedDay> &unsavedDay()
{
    static std::optional<UnsavedDay> day;
    return day;
}

int mealOfCommand(int id)
{
    for (int m = 0; m < kMealCount; ++m) {
        if (kMealCommands[m] == id)
            return m;
    }
    return -1;
}

}  // namespace

Menu::Menu(const ScreenContext &context, QWidget *parent)
    : DayScreenWindow(MenuScreen, context, parent)
    , m_counters(new QLabel(this))
    , m_position(new QLabel(this))
    , m_wasteNote(new QLabel(this))
    , m_userNote(new QLabel(this))
    , m_grid(new MenuGrid(this))
    , m_model(new MenuGridModel(m_day, [this](quint16 food) { return foodName(food); }, this))
    , m_panel(new MenuPanel(this))
{
    setObjectName(QStringLiteral("Menu"));
    loadFoods();
    buildLayout();
    m_grid->setModel(m_model);
    applyColumnSettings();

    connect(m_grid, &MenuGrid::linesChanged, this, [this] {
        showStatus();
        emit commandStateChanged();
    });
    connect(m_grid, &MenuGrid::foldClicked, this, &Menu::toggleFold);
    connect(m_grid, &MenuGrid::enterPressed, this, &Menu::modify);
    connect(m_grid, &MenuGrid::modifyPressed, this, &Menu::modify);
    connect(m_grid, &MenuGrid::foodInputPressed, this, [this] { runCommand(cmd::FoodInput); });
    connect(m_grid, &MenuGrid::deletePressed, this, [this] { runCommand(cmd::Delete); });
    connect(m_grid, &MenuGrid::editKeyPressed, this, [this](QKeySequence::StandardKey key) {
        switch (key) {
        case QKeySequence::Undo: runCommand(cmd::Undo); break;
        case QKeySequence::Redo: runCommand(cmd::Redo); break;
        case QKeySequence::Cut: runCommand(cmd::Cut); break;
        case QKeySequence::Copy: runCommand(cmd::Copy); break;
        case QKeySequence::Paste: runCommand(cmd::Paste); break;
        default: break;
        }
    });
    // The system settings change the columns shown and whether waste ratios are deducted.
    connect(&settings::settingsNotifier(), &settings::SettingsNotifier::systemSettingsChanged, this, [this] {
        applyColumnSettings();
        refresh(m_grid->currentLine());
    });
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        connect(clipboard, &QClipboard::dataChanged, this, &Menu::readClipboard);
    readClipboard();

    setStartDate(sharedDay());
    m_meal = std::clamp(quenkit::GetRegistryInt(settings::kMenuSection, kViewKubun, Breakfast), 0, kMealCount - 1);
    loadDay();
    selectMeal(m_meal);
    const int scroll = quenkit::GetRegistryInt(settings::kMenuSection, kScrollValue, 0);
    m_grid->horizontalScrollBar()->setValue(scroll);
}

Menu::~Menu()
{
    finishPendingWork();
}

void Menu::buildLayout()
{
    auto *mealBar = new QWidget(this);
    mealBar->setObjectName(QStringLiteral("MenuKubunSel"));
    auto *meals = new QHBoxLayout(mealBar);
    meals->setContentsMargins(0, 0, 0, 0);
    meals->setSpacing(2);
    for (int m = 0; m < kMealCount; ++m) {
        auto *button = new QPushButton(QString::fromUtf8(kMealTexts[m]), mealBar);
        button->setObjectName(QString::fromLatin1(kMealButtonNames[m]));
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setMinimumWidth(64);
        connect(button, &QPushButton::clicked, this, [this, m] { selectMeal(m); });
        meals->addWidget(button);
        m_mealButtons.append(button);
    }
    const QFont status = quenkit::createFont(QStringLiteral("ＭＳ ゴシック"), 0, 14, quenkit::FontBold);
    for (QLabel *label : {m_counters, m_position}) {
        label->setFont(status);
        label->setTextFormat(Qt::PlainText);
    }
    m_counters->setObjectName(QStringLiteral("counters"));
    m_position->setObjectName(QStringLiteral("position"));
    m_wasteNote->setObjectName(QStringLiteral("wasteNote"));
    m_userNote->setObjectName(QStringLiteral("userNote"));
    m_userNote->setStyleSheet(QStringLiteral("color: #b00000"));

    auto *top = new QHBoxLayout;
    top->addWidget(m_dateBar);
    top->addSpacing(12);
    top->addWidget(mealBar);
    top->addSpacing(12);
    auto *notes = new QVBoxLayout;
    notes->addWidget(m_wasteNote);
    notes->addWidget(m_userNote);
    top->addLayout(notes);
    top->addStretch();
    top->addWidget(m_counters);
    top->addSpacing(12);
    top->addWidget(m_position);

    m_panel->setMinimumWidth(330);
    m_panel->setMaximumWidth(380);
    auto *body = new QHBoxLayout;
    body->addWidget(m_grid, 1);
    body->addWidget(m_panel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(top);
    layout->addLayout(body, 1);
}

void Menu::loadFoods()
{
    if (LoadFoodCache(nullptr, m_foodCache) != 1)
        m_foodCache.clear();
    m_foods = EntryFoodIndex::fromCache(m_foodCache);
    for (const FoodCacheEntry &f : std::as_const(m_foodCache)) {
        if (f.number <= food::LastNumber)
            m_foodNames.insert(static_cast<quint16>(f.number), quenkit::fromSjis(f.name));
    }
}

QString Menu::foodName(quint16 food) const
{
    const auto it = m_foodNames.constFind(food);
    return it != m_foodNames.constEnd() ? *it : QStringLiteral("（食品表にない食品 %1）").arg(food);
}

MenuRow Menu::foodRow(quint32 food, double grams) const
{
    const EntryFood *data = m_foods.find(static_cast<quint16>(food));
    return MenuRow::foodRow(static_cast<quint16>(food), grams, data ? *data : EntryFood());
}

int Menu::userNumber() const
{
    const std::optional<UserProfile> &profile = openUserSession().profile();
    return profile ? static_cast<int>(profile->number) : -1;
}

void Menu::applyColumnSettings()
{
    m_shownNutrients = 0;
    for (int n = 0; n < kNutrientCount; ++n) {
        const bool shown = columnShown(menuColumnSet(), n);
        m_grid->setColumnHidden(kFirstNutrientColumn + n, !shown);
        m_shownNutrients += shown ? 1 : 0;
    }
    m_grid->setColumnWidth(kFoldColumn, 24);
    m_grid->setColumnWidth(kNameColumn, 260);
    m_grid->setColumnWidth(kAmountColumn, 60);
    for (int n = 0; n < kNutrientCount; ++n)
        m_grid->setColumnWidth(kFirstNutrientColumn + n, 64);
    m_grid->horizontalHeader()->setMinimumHeight(40);
}

void Menu::loadDay()
{
    // Another day, or the same one read again: nothing of the old day can be undone.
    m_day.clear();
    m_undo.prepare();
    const int user = userNumber();
    std::optional<UnsavedDay> &unsaved = unsavedDay();
    if (unsaved && unsaved->user == user && unsaved->date == m_date) {
        m_day.load(unsaved->day);
        m_undo.setModified();
        unsaved.reset();
    } else if (user >= 0) {
        DayMenu stored;
        const int record = FindDayMenu(user, dateKey(), 1);
        if (record > 0 && ReadDayMenu(user, record, stored) == 1) {
            const FoodLookup lookup = [this](quint16 number) {
                const EntryFood *f = m_foods.find(number);
                return f ? *f : EntryFood();
            };
            m_day.load(loadMenuDay(stored, lookup));
        }
    }
    refresh(0);
}

DayTotals Menu::totals() const
{
    return computeDayTotals(m_day.menuDay(), wasteRatioOption());
}

void Menu::refresh(int currentLine)
{
    m_model->refresh();
    m_grid->setCurrentLine(currentLine);
    const bool open = userNumber() >= 0;
    m_userNote->setText(open ? QString() : QStringLiteral("ユーザー情報を開いてください。献立は保存されません。"));
    m_wasteNote->setText(wasteRatioOption() ? QStringLiteral("※廃棄率計算あり") : QStringLiteral("※廃棄率計算なし"));
    const int mode = quenkit::GetRegistryInt(settings::kMenuSection, settings::kMenuKijyun, 0) == 1 ? 1 : 0;
    m_panel->show(totals()[kDayRow], openUserSession().intakeStandard(), mode);
    showStatus();
    emit commandStateChanged();
}

MenuSnapshot Menu::snapshot() const
{
    return MenuSnapshot{m_day, m_meal, m_grid->currentLine(), m_grid->verticalScrollBar()->value()};
}

void Menu::restore(const MenuSnapshot &s)
{
    m_day = s.day;
    if (s.meal != m_meal) {
        selectMeal(s.meal);
        return;
    }
    refresh(s.currentLine);
    m_grid->verticalScrollBar()->setValue(s.topLine);
}

void Menu::changed(const MenuSnapshot &before)
{
    if (!m_undo.record(before))
        quenkit::inform(context().owner, kUndoErrorTitle, kUndoGrowFailedMessage, quenkit::Icon::Error);
}

void Menu::undo()
{
    if (m_undo.canUndo())
        restore(m_undo.undo(snapshot()));
}

void Menu::redo()
{
    if (m_undo.canRedo())
        restore(m_undo.redo());
}

QString Menu::counterText() const
{
    const std::array<int, kMealRows> c = m_day.foodCounters();
    return QString::asprintf("日:%3d 朝:%3d 昼:%3d", c[0], c[1], c[2]) + QLatin1Char('\n') +
           QString::asprintf("夕:%3d 間:%3d 料:%3d", c[3], c[4], m_day.dishNameCount());
}

QString Menu::positionText() const
{
    // Columns count from the name; the fold button is no column of its own to the user.
    int column = 0;
    const int current = m_grid->currentIndex().isValid() ? m_grid->currentIndex().column() : kNameColumn;
    for (int c = kNameColumn; c <= current && c < kGridColumnCount; ++c)
        column += m_grid->isColumnHidden(c) ? 0 : 1;
    return QString::asprintf("行:%3d/%3d", m_grid->currentLine() + 1, m_day.lineCount(m_meal)) + QLatin1Char('\n') +
           QString::asprintf("列:%3d/%3d", std::max(column, 1), m_shownNutrients + 2);
}

void Menu::showStatus()
{
    m_counters->setText(counterText());
    m_position->setText(positionText());
}

void Menu::selectMeal(int meal)
{
    if (meal < 0 || meal >= kMealCount)
        return;
    m_meal = meal;
    for (int m = 0; m < kMealCount; ++m)
        m_mealButtons[m]->setChecked(m == meal);
    m_model->setMeal(meal);
    refresh(0);
}

QList<int> Menu::selectedRows() const
{
    QList<int> rows;
    for (int line : m_grid->selectedLines()) {
        const int row = m_day.rowOfLine(m_meal, line);
        if (row >= 0)
            rows.append(row);
    }
    return rows;
}

bool Menu::reportInsert(InsertResult result, const QString &foodTitle)
{
    quenkit::Owner *owner = context().owner;
    switch (result) {
    case InsertResult::Inserted: return true;
    case InsertResult::MealFull: quenkit::inform(owner, kMenuTitle, kMealFullMessage, quenkit::Icon::Warning); break;
    case InsertResult::TooManyDishNames:
        quenkit::inform(owner, kMenuTitle, kDishNamesExceedMessage, quenkit::Icon::Warning);
        break;
    case InsertResult::InsideFoldedDish:
        if (foodTitle.isEmpty())
            quenkit::inform(owner, kInsertTitle, kInsideFoldedMessage);
        else
            quenkit::inform(owner, foodTitle, kBelowFoldedMessage);
        break;
    case InsertResult::BadPosition: break;
    }
    return false;
}

bool Menu::insertFood(quint32 food, int amountTenths)
{
    const MenuSnapshot before = snapshot();
    int at = -1;
    const int line = m_grid->currentLine();
    if (!reportInsert(m_day.insertRows(m_meal, line, {foodRow(food, amountTenths / 10.0)}, &at), kFoodInputTitle))
        return false;
    changed(before);
    refresh(m_day.lineOfRow(m_meal, at) + 1);
    return true;
}

bool Menu::insertDishName(const QString &name)
{
    const MenuSnapshot before = snapshot();
    int at = -1;
    if (!reportInsert(m_day.insertRows(m_meal, m_grid->currentLine(), {MenuRow::dishRow(name)}, &at)))
        return false;
    changed(before);
    refresh(m_day.lineOfRow(m_meal, at) + 1);
    return true;
}

bool Menu::loadDish(const QString &name, int scalePercent)
{
    const MenuSnapshot before = snapshot();
    QList<DishEntry> entries;
    const DishLoadResult result = LoadDish(context().owner, name, scalePercent, entries);
    if (result != DishLoadResult::Loaded)
        return false;
    QList<MenuRow> rows;
    for (const DishEntry &e : std::as_const(entries)) {
        if (e.isHeader())
            rows.append(MenuRow::dishRow(quenkit::fromSjis(e.headerName)));
        else
            rows.append(foodRow(e.food, e.grams()));
    }
    int at = -1;
    if (rows.isEmpty() || !reportInsert(m_day.insertRows(m_meal, m_grid->currentLine(), rows, &at)))
        return false;
    changed(before);
    refresh(m_day.lineOfRow(m_meal, at) + static_cast<int>(rows.size()));
    return true;
}

bool Menu::convertSelection(int ratioPercent)
{
    const MenuSnapshot before = snapshot();
    const QList<int> rows = selectedRows();
    const double ratio = ratioPercent * 0.01;
    if (!m_day.canScale(m_meal, rows, ratio)) {
        const bool single = m_day.withFoldedFoods(m_meal, rows).size() == 1;
        quenkit::inform(context().owner, QStringLiteral("分量変換"),
                        single ? kRowConvertTooLargeMessage : kConvertTooLargeMessage);
        return false;
    }
    m_day.scaleRows(m_meal, rows, ratio);
    changed(before);
    const QList<int> lines = m_grid->selectedLines();
    refresh(m_grid->currentLine());
    if (!lines.isEmpty())
        m_grid->selectLines(lines.first(), lines.last());
    return true;
}

void Menu::deleteSelection()
{
    const MenuSnapshot before = snapshot();
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    const int line = m_grid->selectedLines().value(0, m_grid->currentLine());
    m_day.removeRows(m_meal, rows);
    changed(before);
    refresh(line);
}

void Menu::toggleFold(int line)
{
    const int row = m_day.rowOfLine(m_meal, line);
    if (row < 0 || !m_day.rows(m_meal)[row].isDish())
        return;
    m_day.setFolded(m_meal, row, !m_day.rows(m_meal)[row].folded);
    refresh(line);
}

void Menu::foodInput()
{
    if (m_day.foldedAbove(m_meal, m_grid->currentLine())) {
        quenkit::inform(context().owner, kFoodInputTitle, kBelowFoldedMessage);
        return;
    }
    while (!m_day.isFull(m_meal)) {
        FoodInputDialog dialog(context().owner, this);
        if (dialog.exec() != QDialog::Accepted || !insertFood(dialog.food(), dialog.amountTenths()))
            return;
    }
    quenkit::inform(context().owner, kMenuTitle, kMealFullMessage, quenkit::Icon::Warning);
}

void Menu::modify()
{
    const int row = m_day.rowOfLine(m_meal, m_grid->currentLine());
    if (row < 0) {
        runCommand(cmd::FoodInput);
        return;
    }
    const GridRow current = m_day.rows(m_meal)[row];
    const MenuSnapshot before = snapshot();
    if (current.isDish()) {
        DishNameDialog dialog(context().owner, this);
        dialog.setName(current.row.dishName);
        if (dialog.exec() != QDialog::Accepted)
            return;
        m_day.replaceRow(m_meal, row, MenuRow::dishRow(dialog.name()));
    } else {
        FoodInputDialog dialog(context().owner, this);
        dialog.setEntry(current.row.food, static_cast<int>(std::lround(current.row.grams * 10.0)));
        if (dialog.exec() != QDialog::Accepted)
            return;
        m_day.replaceRow(m_meal, row, foodRow(dialog.food(), dialog.amountTenths() / 10.0));
    }
    changed(before);
    refresh(m_grid->currentLine());
}

void Menu::dishInput()
{
    DishSearchDialog dialog(context().owner, DishSearchDialog::Purpose::Load, this);
    if (dialog.exec() == QDialog::Accepted)
        loadDish(dialog.chosen().value(0), dialog.scalePercent());
}

void Menu::dishNameInput()
{
    if (m_day.dishNameCount() >= kDayDishNameLimit) {
        quenkit::inform(context().owner, kMenuTitle, kDishNamesFullMessage, quenkit::Icon::Warning);
        return;
    }
    DishNameDialog dialog(context().owner, this);
    if (dialog.exec() == QDialog::Accepted)
        insertDishName(dialog.name());
}

void Menu::saveDish()
{
    QList<DishEntry> entries;
    QString name;
    for (int i : m_day.withFoldedFoods(m_meal, selectedRows())) {
        const GridRow &r = m_day.rows(m_meal)[i];
        if (r.isDish()) {
            if (name.isEmpty())
                name = r.row.dishName;
            entries.append(DishEntry::header(quenkit::cutSjisToWidth(quenkit::toSjis(r.row.dishName), dish::NameWidth)));
        } else {
            entries.append(DishEntry::foodEntry(r.row.food, static_cast<quint16>(std::lround(r.row.grams * 10.0))));
        }
    }
    if (entries.isEmpty())
        return;
    ensureDishTables();
    DishSaveDialog dialog(context().owner, entries, this);
    DishForm form;
    form.name = name;
    dialog.setForm(form);
    dialog.exec();
}

void Menu::modifyDish()
{
    DishSearchDialog search(context().owner, DishSearchDialog::Purpose::Choose, this);
    if (search.exec() != QDialog::Accepted)
        return;
    const std::optional<StoredDish> stored = findDish(search.chosen().value(0));
    if (!stored)
        return;
    const DishRecord &d = stored->dish;
    DishSaveDialog dialog(context().owner, d.entries, this);
    DishForm form;
    form.name = quenkit::fromSjis(d.name);
    form.category = quenkit::fromSjis(d.category);
    for (int k = 0; k < dish::KeywordCount; ++k)
        form.keywords[static_cast<size_t>(k)] = quenkit::fromSjis(d.keywords[static_cast<size_t>(k)]);
    form.picture = quenkit::fromSjis(d.picture);
    form.memo = quenkit::fromSjis(d.memo);
    dialog.setForm(form);
    dialog.exec();
}

void Menu::deleteDishes()
{
    DishSearchDialog dialog(context().owner, DishSearchDialog::Purpose::Delete, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const DishDeleteOutcome outcome = DeleteDish(context().owner, dialog.chosen());
    if (outcome.result == DishDeleteResult::Failed)
        quenkit::inform(context().owner, QStringLiteral("料理の削除"), QStringLiteral("料理を削除できませんでした。"),
                        quenkit::Icon::Warning);
}

void Menu::convertAmount()
{
    ConvertDialog dialog(this);
    // A ratio that would take an amount beyond 999.9 g brings the dialog back.
    while (dialog.exec() == QDialog::Accepted) {
        if (convertSelection(dialog.ratioPercent()))
            return;
    }
}

void Menu::editMemo()
{
    if (userNumber() < 0)
        return;
    MenuMemoDialog(context().owner, userNumber(), dateKey(), this).exec();
}

void Menu::saveMenu()
{
    if (userNumber() < 0)
        return;
    QString error;
    const MenuDay day = m_day.menuDay();
    const bool wasteOn = wasteRatioOption();
    const DaySaveResult result = SaveDayMenu(context().owner, userNumber(), dateKey(), day,
                                             computeDayTotals(day, wasteOn), true, wasteOn, nullptr, &error);
    if (result == DaySaveResult::Failed || result == DaySaveResult::Invalid) {
        quenkit::inform(context().owner, kMenuTitle, kSaveFailed.arg(error), quenkit::Icon::Warning);
        return;
    }
    if (result != DaySaveResult::Cancelled)
        m_undo.setUnmodified();
}

bool Menu::saveQuietly()
{
    if (!m_undo.isModified() || userNumber() < 0)
        return true;
    QString error;
    const MenuDay day = m_day.menuDay();
    const bool wasteOn = wasteRatioOption();
    const DaySaveResult result = SaveDayMenu(context().owner, userNumber(), dateKey(), day,
                                             computeDayTotals(day, wasteOn), false, wasteOn, nullptr, &error);
    if (result == DaySaveResult::Failed || result == DaySaveResult::Invalid || result == DaySaveResult::Cancelled) {
        quenkit::inform(context().owner, kMenuTitle, kSaveFailed.arg(error), quenkit::Icon::Warning);
        return false;
    }
    m_undo.setUnmodified();
    return true;
}

void Menu::printDay()
{
    // The day as the screen holds it, stored or not: what is printed is what the user sees.
    printFromScreen(context().owner, this, menuPrintKind(), !m_day.hasRows(), [this](const ReportOptions &options) {
        const MenuDay day = m_day.menuDay();
        const auto name = [this](quint16 food) { return m_foodNames.value(food); };
        return std::make_unique<MenuDayReport>(*openUserSession().profile(), dateKey(), menuReportLines(day, name),
                                               totals(), openUserSession().intakeStandard(), options);
    });
}

void Menu::openMenu()
{
    if (userNumber() < 0)
        return;
    DayListDialog dialog(context().owner, userNumber(), DayListDialog::Purpose::Open, this);
    if (dialog.exec() == QDialog::Accepted)
        moveToDate(dialog.chosen().value(0));
}

void Menu::deleteMenu()
{
    if (userNumber() < 0)
        return;
    DayListDialog dialog(context().owner, userNumber(), DayListDialog::Purpose::Delete, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QList<QDate> days = dialog.chosen();
    if (deleteStoredDays(context().owner, userNumber(), days) < 0)
        return;
    // The day being edited, once deleted, starts empty.
    if (days.contains(m_date))
        loadDay();
}

void Menu::readClipboard()
{
    const std::optional<QByteArray> rows = menuBlockOnClipboard(MenuClipKind::Rows);
    const std::optional<QByteArray> day = menuBlockOnClipboard(MenuClipKind::Day);
    m_clipboardHasRows = rows && hasMenuClipMarker(MenuClipKind::Rows, *rows);
    m_clipboardHasDay = day && hasMenuClipMarker(MenuClipKind::Day, *day);
    emit commandStateChanged();
}

QList<int> Menu::copiedColumns() const
{
    QList<int> columns;
    for (int c = kNameColumn; c < kGridColumnCount; ++c) {
        if (!m_grid->isColumnHidden(c))
            columns.append(c);
    }
    return columns;
}

std::optional<MenuRow> Menu::pastedRow(const MenuClipRecord &record) const
{
    if (record.isDish())
        return MenuRow::dishRow(quenkit::fromSjis(record.dishName).trimmed());
    if (!m_foods.find(record.food))
        return std::nullopt;
    return foodRow(record.food, std::llround(record.grams * 10.0) / 10.0);
}

void Menu::copySelection()
{
    QList<int> rows = m_day.withFoldedFoods(m_meal, selectedRows());
    std::sort(rows.begin(), rows.end());
    if (rows.isEmpty())
        return;
    const QList<int> columns = copiedColumns();
    QString text;
    QList<MenuClipRecord> records;
    for (int i : std::as_const(rows)) {
        text += m_model->lineText(m_meal, i, columns) + QStringLiteral("\r\n");
        records.append(menuClipRecord(m_meal, m_day.rows(m_meal)[i].row));
    }
    putMenuBlock(MenuClipKind::Rows, text, encodeMenuClipBlock(MenuClipKind::Rows, quenkit::toSjis(text), records));
}

void Menu::cutSelection()
{
    if (selectedRows().isEmpty())
        return;
    copySelection();
    deleteSelection();
}

bool Menu::pasteRows()
{
    const std::optional<QByteArray> block = menuBlockOnClipboard(MenuClipKind::Rows);
    if (!block)
        return false;
    const MenuSnapshot before = snapshot();
    int line = m_grid->selectedLines().value(0, m_grid->currentLine());
    int inserted = 0;
    for (const MenuClipRecord &record : decodeMenuClipBlock(MenuClipKind::Rows, *block)) {
        const std::optional<MenuRow> row = pastedRow(record);
        if (!row)
            continue;
        int at = -1;
        if (!reportInsert(m_day.insertRows(m_meal, line, {*row}, &at)))
            break;
        ++inserted;
        line = m_day.lineOfRow(m_meal, at) + 1;
    }
    if (inserted == 0)
        return false;
    changed(before);
    refresh(line);
    return true;
}

void Menu::copyDay()
{
    SelCopyDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const DayCopyOptions options = dialog.options();
    const QList<int> columns = copiedColumns();
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    if (options.nutrientHeading)
        text += m_model->headingText(columns) + crlf;
    QList<MenuClipRecord> records;
    for (int m = 0; m < kMealCount; ++m) {
        if (!options.meals[static_cast<size_t>(m)] || m_day.rowCount(m) == 0)
            continue;
        if (options.mealHeadings)
            text += QString::fromUtf8(kMealTexts[m]) + crlf;
        for (int i = 0; i < m_day.rowCount(m); ++i) {
            text += m_model->lineText(m, i, columns) + crlf;
            records.append(menuClipRecord(m, m_day.rows(m)[i].row));
        }
    }
    putMenuBlock(MenuClipKind::Day, text, encodeMenuClipBlock(MenuClipKind::Day, quenkit::toSjis(text), records));
}

bool Menu::pasteDay()
{
    const std::optional<QByteArray> block = menuBlockOnClipboard(MenuClipKind::Day);
    if (!block)
        return false;
    const QList<MenuClipRecord> records = decodeMenuClipBlock(MenuClipKind::Day, *block);
    if (records.isEmpty())
        return false;
    if (m_day.hasRows() &&
        quenkit::ask(context().owner, quenkit::Message{kPasteDayTitle, kPasteDayQuestion, quenkit::Buttons::OkCancel,
                                                       quenkit::Icon::Question, quenkit::Answer::Ok}) != quenkit::Answer::Ok)
        return false;
    const MenuSnapshot before = snapshot();
    m_day.clear();
    int meal = -1;
    int line = 0;
    for (const MenuClipRecord &record : records) {
        if (record.meal != meal) {
            meal = record.meal;
            line = 0;
        }
        const std::optional<MenuRow> row = pastedRow(record);
        if (!row)
            continue;
        int at = -1;
        if (!reportInsert(m_day.insertRows(meal, line, {*row}, &at)))
            break;
        line = m_day.lineOfRow(meal, at) + 1;
    }
    changed(before);
    refresh(0);
    return m_day.hasRows();
}

void Menu::runCommand(int id)
{
    if (!commandEnabled(id))
        return;
    if (const int meal = mealOfCommand(id); meal >= 0) {
        selectMeal(meal);
        return;
    }
    switch (id) {
    case cmd::FoodInput: foodInput(); break;
    case cmd::Modify: modify(); break;
    case cmd::DishInput: dishInput(); break;
    case cmd::DishNameInput: dishNameInput(); break;
    case cmd::SaveDish: saveDish(); break;
    case cmd::ModifyDish: modifyDish(); break;
    case cmd::DeleteDish: deleteDishes(); break;
    case cmd::Delete: deleteSelection(); break;
    case cmd::SelectAll: m_grid->selectLines(0, static_cast<int>(m_day.shownRows(m_meal).size()) - 1); break;
    case cmd::ConvertAmount: convertAmount(); break;
    case cmd::MenuMemo: editMemo(); break;
    case cmd::SaveMenu: saveMenu(); break;
    case cmd::OpenMenu: openMenu(); break;
    case cmd::DeleteMenu: deleteMenu(); break;
    case cmd::MenuJudgement:
    case cmd::MenuProbability: refresh(m_grid->currentLine()); break;
    case cmd::Undo: undo(); break;
    case cmd::Redo: redo(); break;
    case cmd::Copy: copySelection(); break;
    case cmd::Cut: cutSelection(); break;
    case cmd::Paste: pasteRows(); break;
    case cmd::CopyDay: copyDay(); break;
    case cmd::PasteDay: pasteDay(); break;
    case cmd::PrintMenu: printDay(); break;
    default: break;
    }
    m_grid->setFocus();
}

bool Menu::commandEnabled(int id) const
{
    if (mealOfCommand(id) >= 0)
        return true;
    const bool open = userNumber() >= 0;
    switch (id) {
    case cmd::FoodInput: return !m_day.isFull(m_meal);
    case cmd::DishInput: return !m_day.isFull(m_meal);
    case cmd::DishNameInput: return !m_day.isFull(m_meal);
    case cmd::Modify: return m_day.rowOfLine(m_meal, m_grid->currentLine()) >= 0;
    case cmd::Delete:
    case cmd::ConvertAmount:
    case cmd::Cut:
    case cmd::Copy:
    case cmd::SaveDish: return !selectedRows().isEmpty();
    case cmd::Undo: return m_undo.canUndo();
    case cmd::Redo: return m_undo.canRedo();
    case cmd::Paste: return m_clipboardHasRows && !m_day.isFull(m_meal);
    case cmd::PasteDay: return m_clipboardHasDay;
    case cmd::CopyDay: return m_day.hasRows();
    case cmd::SelectAll: return m_day.rowCount(m_meal) > 0;
    case cmd::ModifyDish:
    case cmd::DeleteDish: return true;
    case cmd::MenuMemo:
    case cmd::SaveMenu:
    case cmd::OpenMenu:
    case cmd::DeleteMenu: return open;
    case cmd::MenuJudgement:
    case cmd::MenuProbability: return true;
    case cmd::PrintMenu: return open && m_day.hasRows();
    default: return false;
    }
}

bool Menu::commandChecked(int id) const
{
    return mealOfCommand(id) == m_meal;
}

bool Menu::checkAndSave(Mode)
{
    return saveQuietly();
}

MenuEditState Menu::menuEditState() const
{
    MenuEditState s;
    s.currentMealRows = m_day.rowCount(m_meal);
    s.selectedRows = static_cast<int>(selectedRows().size());
    s.dayDishNames = m_day.dishNameCount();
    s.dayHasRows = m_day.hasRows();
    s.canUndo = m_undo.canUndo();
    s.canRedo = m_undo.canRedo();
    s.clipboardHasRows = m_clipboardHasRows;
    s.clipboardHasDay = m_clipboardHasDay;
    return s;
}

void Menu::finishPendingWork()
{
    quenkit::SetRegistryInt(settings::kMenuSection, kViewKubun, m_meal);
    quenkit::SetRegistryInt(settings::kMenuSection, kScrollValue, m_grid->horizontalScrollBar()->value());
    storeSharedDay();
    if (!saveQuietly())
        unsavedDay() = UnsavedDay{userNumber(), m_date, m_day.menuDay()};
    m_undo.setUnmodified();
}

QWidget *Menu::firstControl()
{
    return m_grid;
}

}  // namespace dalmain

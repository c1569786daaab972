#include "dalmain/screens/user/UserInfomation.h"

#include "dalmain/master/AnalysisTableNames.h"
#include "dalmain/master/ReferenceIntakeStandards.h"
#include "dalmain/print/PrintOptions.h"
#include "dalmain/print/UserReport.h"
#include "dalmain/screens/user/StandardViewer.h"
#include "dalmain/screens/user/UserSearchDialog.h"
#include "dalmain/screens/user/WeightInputDialog.h"
#include "dalmain/shell/CommandIds.h"
#include "dalmain/shell/DalmainView.h"
#include "dalmain/shell/Screens.h"
#include "dalmain/userdata/UserStore.h"
#include "quenkit/controls/InputControls.h"
#include "quenkit/controls/NumEdit.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace dalmain {

namespace {

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// A field and the unit written after it, on one line.
QHBoxLayout *withUnit(QWidget *field, const QString &unit, QWidget *parent)
{
    auto *row = new QHBoxLayout;
    row->addWidget(field);
    if (!unit.isEmpty())
        row->addWidget(new QLabel(unit, parent));
    return row;
}

// A table choice: an empty entry for "none", then the tables there are. A name that is no longer
// among them (its table was deleted) is still shown, so that saving keeps what was chosen.
void setTableChoice(QComboBox *box, const QStringList &names, const QString &chosen)
{
    box->clear();
    box->addItem(QString());
    box->addItems(names);
    const QString name = chosen.trimmed();
    if (!name.isEmpty() && !names.contains(name))
        box->addItem(name);
    box->setCurrentText(name);
}

int ageOf(const QString &text)
{
    return text.trimmed().toInt();
}

}  // namespace

UserInfomation::UserInfomation(const ScreenContext &context, QWidget *parent)
    : ScreenWindow(UserScreen, context, parent)
    , m_session(openUserSession())
    , m_reading(new quenkit::StrEdit(this))
    , m_name(new quenkit::StrEdit(this))
    , m_birthYear(new quenkit::NumEdit(4, 0, this))
    , m_birthMonth(new quenkit::NumEdit(2, 0, this))
    , m_birthDay(new quenkit::NumEdit(2, 0, this))
    , m_age(new quenkit::NumEdit(2, 0, this))
    , m_sex(new quenkit::ComboBox2(this))
    , m_pregnancy(new quenkit::ComboBox2(this))
    , m_menstruation(new quenkit::ComboBox2(this))
    , m_height(new quenkit::NumEdit(3, 1, this))
    , m_activity(new quenkit::ComboBox2(this))
    , m_standard(new quenkit::ComboBox2(this))
    , m_exchangeTable(new quenkit::ComboBox2(this))
    , m_foodGroupTable(new quenkit::ComboBox2(this))
    , m_unitTable(new quenkit::ComboBox2(this))
    , m_intakeTable(new quenkit::ComboBox2(this))
    , m_viewStandard(new quenkit::Button2(QStringLiteral("基準値の表示"), this))
{
    setObjectName(QStringLiteral("UserInfomation"));
    // The widths of the stored fields.
    m_reading->setByteLimit(20);
    m_name->setByteLimit(30);
    const QList<QPair<QWidget *, const char *>> names = {
        {m_reading, "reading"}, {m_name, "name"}, {m_birthYear, "birthYear"}, {m_birthMonth, "birthMonth"},
        {m_birthDay, "birthDay"}, {m_age, "age"}, {m_sex, "sex"}, {m_pregnancy, "pregnancy"},
        {m_menstruation, "menstruation"}, {m_height, "height"}, {m_activity, "activity"},
        {m_standard, "standard"}, {m_exchangeTable, "exchangeTable"}, {m_foodGroupTable, "foodGroupTable"},
        {m_unitTable, "unitTable"}, {m_intakeTable, "intakeTable"}, {m_viewStandard, "viewStandard"}};
    for (const auto &[widget, name] : names)
        widget->setObjectName(QString::fromLatin1(name));

    m_sex->addItems(sexChoices());
    m_pregnancy->addItems(pregnancyChoices());
    m_menstruation->addItems(menstruationChoices());

    m_reading->setMinimumWidth(220);
    m_name->setMinimumWidth(300);
    m_birthYear->setFixedWidth(64);
    for (QWidget *w : {static_cast<QWidget *>(m_birthMonth), static_cast<QWidget *>(m_birthDay),
                       static_cast<QWidget *>(m_age)})
        w->setFixedWidth(44);
    m_height->setFixedWidth(64);
    for (QComboBox *box : {static_cast<QComboBox *>(m_standard), static_cast<QComboBox *>(m_exchangeTable),
                           static_cast<QComboBox *>(m_foodGroupTable), static_cast<QComboBox *>(m_unitTable),
                           static_cast<QComboBox *>(m_intakeTable)})
        box->setMinimumWidth(300);

    auto *birthday = new QHBoxLayout;
    // One flat line, so that spare width goes to its end and not between the parts.
    for (const auto &[part, unit] : {std::pair<QWidget *, QString>{m_birthYear, QStringLiteral("年")},
                                     {m_birthMonth, QStringLiteral("月")}, {m_birthDay, QStringLiteral("日")}}) {
        birthday->addWidget(part);
        birthday->addWidget(new QLabel(unit, this));
    }

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    int row = 0;
    auto add = [&](const QString &text, QLayout *field) {
        grid->addWidget(caption(text, this), row, 0);
        grid->addLayout(field, row, 1);
        ++row;
    };
    auto addWidget = [&](const QString &text, QWidget *field) { add(text, withUnit(field, QString(), this)); };
    addWidget(QStringLiteral("フリガナ"), m_reading);
    addWidget(QStringLiteral("氏名"), m_name);
    add(QStringLiteral("生年月日"), birthday);
    add(QStringLiteral("年齢"), withUnit(m_age, QStringLiteral("歳"), this));
    addWidget(QStringLiteral("性別"), m_sex);
    addWidget(QStringLiteral("妊娠・授乳"), m_pregnancy);
    addWidget(QStringLiteral("月経"), m_menstruation);
    add(QStringLiteral("身長"), withUnit(m_height, QStringLiteral("cm"), this));
    addWidget(QStringLiteral("身体活動レベル"), m_activity);
    auto *standardRow = withUnit(m_standard, QString(), this);
    standardRow->addWidget(m_viewStandard);
    add(QStringLiteral("食事摂取基準"), standardRow);
    addWidget(QStringLiteral("食品交換表"), m_exchangeTable);
    addWidget(QStringLiteral("食品群別表"), m_foodGroupTable);
    addWidget(QStringLiteral("適正単位"), m_unitTable);
    addWidget(QStringLiteral("適正摂取量"), m_intakeTable);
    for (int r = 0; r < row; ++r) {
        if (auto *line = qobject_cast<QHBoxLayout *>(grid->itemAtPosition(r, 1)->layout()))
            line->addStretch();
    }
    grid->setColumnStretch(2, 1);

    // The form scrolls when the window is smaller than the form (the program's first window is
    // 800 by 400); the layout would otherwise squeeze the fields over each other.
    auto *form = new QWidget;
    auto *formLayout = new QVBoxLayout(form);
    formLayout->setContentsMargins(24, 24, 24, 24);
    formLayout->addLayout(grid);
    formLayout->addStretch();
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("formScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(form);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    // Whatever takes the focus is brought into view: a field a failed check names as well as
    // one reached with the Tab key.
    connect(qApp, &QApplication::focusChanged, scroll, [scroll, form](QWidget *, QWidget *now) {
        if (now && form->isAncestorOf(now))
            scroll->ensureWidgetVisible(now);
    });

    connect(m_viewStandard, &QPushButton::clicked, this, &UserInfomation::viewStandard);
    connect(m_sex, &QComboBox::currentIndexChanged, this, &UserInfomation::sexChosen);
    connect(m_pregnancy, &QComboBox::currentIndexChanged, this, &UserInfomation::pregnancyChosen);
    connect(m_exchangeTable, &QComboBox::currentIndexChanged, this, &UserInfomation::exchangeTableChosen);
    connect(m_age, &QLineEdit::textChanged, this, &UserInfomation::ageChanged);

    showOpenUser();
}

void UserInfomation::showOpenUser()
{
    const std::optional<UserProfile> &open = m_session.profile();
    showEntries(open ? entriesFromProfile(*open) : blankUserEntries());
}

UserEntries UserInfomation::entries() const
{
    UserEntries e;
    e.reading = m_reading->text();
    e.name = m_name->text();
    e.birthYear = m_birthYear->text();
    e.birthMonth = m_birthMonth->text();
    e.birthDay = m_birthDay->text();
    e.age = m_age->text();
    e.height = m_height->text();
    e.sex = m_sex->currentIndex();
    e.pregnancy = m_pregnancy->currentIndex();
    e.menstruation = m_menstruation->currentIndex();
    e.activity = m_activity->currentIndex();
    e.standard = m_standard->currentText();
    e.exchangeTable = m_exchangeTable->currentText();
    e.foodGroupTable = m_foodGroupTable->currentText();
    e.unitTable = m_unitTable->currentText();
    e.intakeTable = m_intakeTable->currentText();
    return e;
}

void UserInfomation::showEntries(const UserEntries &e)
{
    m_showing = true;
    m_reading->setText(e.reading.trimmed());
    m_name->setText(e.name.trimmed());
    m_birthYear->setFilteredText(e.birthYear.trimmed());
    m_birthMonth->setFilteredText(e.birthMonth.trimmed());
    m_birthDay->setFilteredText(e.birthDay.trimmed());
    m_age->setFilteredText(e.age.trimmed());
    m_height->setFilteredText(e.height.trimmed());
    m_sex->setCurrentIndex(e.sex);
    m_pregnancy->setCurrentIndex(e.pregnancy);
    m_menstruation->setCurrentIndex(e.menstruation);
    m_activity->clear();
    m_activity->addItems(activityChoices(ageOf(e.age)));
    m_activity->setCurrentIndex(e.activity);
    m_activityAge = ageOf(e.age);

    m_standard->clear();
    const QStringList standards = standardChoices();
    m_standard->addItems(standards);
    // A standard deleted since the profile was saved is still shown; the check resets it.
    if (!standards.contains(e.standard))
        m_standard->addItem(e.standard);
    m_standard->setCurrentText(e.standard);

    setTableChoice(m_exchangeTable, exchangeTableNames(), e.exchangeTable);
    setTableChoice(m_foodGroupTable, foodGroupTableNames(), e.foodGroupTable);
    setTableChoice(m_unitTable, properUnitSetNames(e.exchangeTable), e.unitTable);
    setTableChoice(m_intakeTable, properIntakeSetNames(), e.intakeTable);
    m_showing = false;
    applyReproductiveRules(e);
    // The values shown are the open user's as saved.
    m_viewStandard->setEnabled(m_session.isOpen());
}

void UserInfomation::viewStandard()
{
    if (m_session.isOpen())
        StandardViewer(m_session.profile()->intakeSubject(), m_session.intakeStandard(), this).exec();
}

void UserInfomation::applyReproductiveRules(const UserEntries &e)
{
    const ReproductiveControls rules = reproductiveControls(e);
    m_pregnancy->setEnabled(rules.pregnancyEnabled);
    m_menstruation->setEnabled(rules.menstruationEnabled);
}

void UserInfomation::sexChosen(int sex)
{
    if (!m_showing && sex >= 0)
        applyReproductiveChoice([sex](UserEntries &e) { chooseSex(e, sex); });
}

void UserInfomation::pregnancyChosen()
{
    if (!m_showing)
        applyReproductiveChoice([](UserEntries &e) { choosePregnancy(e, e.pregnancy); });
}

void UserInfomation::applyReproductiveChoice(const std::function<void(UserEntries &)> &choose)
{
    UserEntries e = entries();
    choose(e);
    m_showing = true;
    m_pregnancy->setCurrentIndex(e.pregnancy);
    m_menstruation->setCurrentIndex(e.menstruation);
    m_showing = false;
    applyReproductiveRules(e);
}

void UserInfomation::exchangeTableChosen()
{
    if (m_showing)
        return;
    // The unit sets offered are those of the exchange table; one that still belongs is kept.
    const QString unit = m_unitTable->currentText();
    const QStringList units = properUnitSetNames(m_exchangeTable->currentText());
    m_showing = true;
    setTableChoice(m_unitTable, units, units.contains(unit) ? unit : QString());
    m_showing = false;
}

void UserInfomation::ageChanged()
{
    if (m_showing)
        return;
    // The levels offered depend on the age; the level chosen is kept.
    const int level = activityLevel(m_activityAge, m_activity->currentIndex());
    fillActivity(ageOf(m_age->text()), level);
}

void UserInfomation::fillActivity(int age, int level)
{
    m_showing = true;
    m_activity->clear();
    m_activity->addItems(activityChoices(age));
    m_activity->setCurrentIndex(activitySelection(age, level));
    m_activityAge = age;
    m_showing = false;
}

WeightPrompt UserInfomation::prompt()
{
    if (m_weightPrompt)
        return m_weightPrompt;
    return [this] { return WeightInputDialog::ask(context().owner, this); };
}

void UserInfomation::afterSave(SaveResult result, UserEntries &e)
{
    // The check corrects the entries (blanks of the reading, a birthday given in part, a deleted
    // standard, the age from the birthday) as far as it got, also when it then refused one.
    showEntries(e);
    if (result == SaveResult::Invalid) {
        if (QWidget *field = fieldWidget(m_session.invalidField()))
            field->setFocus();
        return;
    }
    if (saved(result) && context().view)
        context().view->setOpenUserName(m_session.profile() ? m_session.profile()->name.trimmed() : QString());
}

bool UserInfomation::checkAndSave(Mode mode)
{
    UserEntries e = entries();
    // An open user shown as stored, or an untouched empty screen, has nothing to save.
    if (!m_session.hasUnsavedEntries(e))
        return true;
    const CheckMode check = mode == Mode::Silent ? CheckMode::Silent : CheckMode::WithMessages;
    const SaveResult result = m_session.save(context().owner, e, check, prompt());
    // A silent check leaves the screen as it was when it fails.
    if (check == CheckMode::WithMessages || saved(result))
        afterSave(result, e);
    // The silent save is the one of the program's end; what it was offered is not offered again
    // when the program finishes its pending work just after.
    if (mode == Mode::Silent)
        m_offeredAtEnd = entries();
    return saved(result);
}

void UserInfomation::finishPendingWork()
{
    UserEntries e = entries();
    if (m_offeredAtEnd && !entriesDiffer(e, *m_offeredAtEnd))
        m_session.rememberOpenUser();
    else
        m_session.finish(context().owner, e, prompt());
    // The program stores the view's user as the one to open at the next start.
    if (context().view)
        context().view->setOpenUserName(m_session.profile() ? m_session.profile()->name.trimmed() : QString());
}

void UserInfomation::runCommand(int id)
{
    if (id == cmd::NewUser) {
        UserEntries e = entries();
        if (!m_session.startNew(context().owner, e, prompt()))
            return;
        showEntries(e);
        if (context().view)
            context().view->setOpenUserName(QString());
        m_reading->setFocus();
    } else if (id == cmd::OpenUser) {
        UserSearchDialog dialog(UserSearchDialog::Purpose::Open, this);
        if (dialog.exec() == QDialog::Accepted) {
            if (const std::optional<UserListEntry> chosen = dialog.selected())
                openUser(*chosen);
        }
    } else if (id == cmd::DeleteUser) {
        UserSearchDialog dialog(UserSearchDialog::Purpose::Delete, this);
        if (dialog.exec() == QDialog::Accepted)
            deleteUsers(dialog.selectedUsers());
    } else if (id == cmd::PrintUser && m_session.isOpen()) {
        // The profile as saved, with the reference values derived from it.
        printFromScreen(context().owner, this, userPrintKind(), false, [this](const ReportOptions &options) {
            return std::make_unique<UserReport>(makeUserReport(*m_session.profile(), m_session.intakeStandard(), options));
        });
    }
}

int UserInfomation::deleteUsers(const QList<UserListEntry> &users)
{
    const bool wasOpen = m_session.isOpen();
    const int deleted = m_session.deleteUsers(context().owner, users);
    // The open user was among them: the screen is left empty, as after New.
    if (wasOpen && !m_session.isOpen()) {
        showEntries(blankUserEntries());
        if (context().view)
            context().view->setOpenUserName(QString());
    }
    return deleted;
}

bool UserInfomation::openUser(const UserListEntry &chosen)
{
    UserEntries pending = entries();
    if (!m_session.openChosen(context().owner, chosen, pending, prompt()))
        return false;
    showOpenUser();
    if (context().view)
        context().view->setOpenUserName(m_session.profile()->name.trimmed());
    return true;
}

bool UserInfomation::commandEnabled(int id) const
{
    if (id == cmd::PrintUser)
        return m_session.isOpen();
    return id == cmd::NewUser || id == cmd::OpenUser || id == cmd::DeleteUser;
}

QWidget *UserInfomation::firstControl()
{
    return m_reading;
}

QWidget *UserInfomation::fieldWidget(UserField field) const
{
    switch (field) {
    case UserField::Reading: return m_reading;
    case UserField::Name: return m_name;
    case UserField::BirthYear: return m_birthYear;
    case UserField::BirthMonth: return m_birthMonth;
    case UserField::BirthDay: return m_birthDay;
    case UserField::Age: return m_age;
    case UserField::Height: return m_height;
    case UserField::Standard: return m_standard;
    case UserField::None: break;
    }
    return nullptr;
}

}  // namespace dalmain

#pragma once

#include "dalmain/shell/ScreenWindow.h"
#include "dalmain/userdata/UserSession.h"
#include "dalmain/userdata/UserStore.h"

#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace quenkit {
class ComboBox2;
class NumEdit;
class StrEdit;
}

namespace dalmain {

// The user information screen: the open user's profile as fields and choices. The checks,
// numbering and files belong to the session; the screen shows its entries, applies the
// enabling rules when a choice changes and sends the focus to the field a check names.
class UserInfomation : public ScreenWindow, public LeaveCheck
{
    Q_OBJECT
public:
    explicit UserInfomation(const ScreenContext &context, QWidget *parent = nullptr);

    // What the fields and choices hold now, and showing entries in them.
    UserEntries entries() const;
    void showEntries(const UserEntries &entries);

    // Where the weight of a new user comes from; the weight dialog unless replaced.
    void setWeightPrompt(WeightPrompt prompt) { m_weightPrompt = std::move(prompt); }

    void runCommand(int id) override;
    bool commandEnabled(int id) const override;
    LeaveCheck *leaveCheck() override { return this; }
    bool checkAndSave(Mode mode) override;
    void finishPendingWork() override;
    QWidget *firstControl() override;

    // Opens the user chosen in the search list, after the question and saving the pending
    // entries; false when the user answered No or is gone.
    bool openUser(const UserListEntry &chosen);

    // Deletes users after the question; an open user among them leaves the screen empty. The
    // number deleted, or -1 when the answer was No.
    int deleteUsers(const QList<UserListEntry> &users);

    // The control a check names, or null for None.
    QWidget *fieldWidget(UserField field) const;

private:
    void viewStandard();
    void sexChosen(int sex);
    void pregnancyChosen();
    void exchangeTableChosen();
    void ageChanged();
    void applyReproductiveRules(const UserEntries &entries);
    // Runs a choice's rule on the entries and shows the pregnancy and menstruation it sets.
    void applyReproductiveChoice(const std::function<void(UserEntries &)> &choose);
    void fillActivity(int age, int level);
    void afterSave(SaveResult result, UserEntries &entries);
    void showOpenUser();
    WeightPrompt prompt();

    UserSession &m_session;
    WeightPrompt m_weightPrompt;
    std::optional<UserEntries> m_offeredAtEnd;  // what the save at the program's end was given
    bool m_showing = false;  // entries are being shown: choices do not run their rules
    int m_activityAge = 0;   // the age the activity choices were listed for

    quenkit::StrEdit *m_reading;
    quenkit::StrEdit *m_name;
    quenkit::NumEdit *m_birthYear;
    quenkit::NumEdit *m_birthMonth;
    quenkit::NumEdit *m_birthDay;
    quenkit::NumEdit *m_age;
    quenkit::ComboBox2 *m_sex;
    quenkit::ComboBox2 *m_pregnancy;
    quenkit::ComboBox2 *m_menstruation;
    quenkit::NumEdit *m_height;
    quenkit::ComboBox2 *m_activity;
    quenkit::ComboBox2 *m_standard;
    quenkit::ComboBox2 *m_exchangeTable;
    quenkit::ComboBox2 *m_foodGroupTable;
    quenkit::ComboBox2 *m_unitTable;
    quenkit::ComboBox2 *m_intakeTable;
    QPushButton *m_viewStandard;   // opens the reference value viewer
};

}  // namespace dalmain

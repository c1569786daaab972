#pragma once

#include "dalmain/userdata/UserProfile.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

namespace quenkit {
class Owner;
}

// What the user screen holds while a profile is entered, the rules of its controls, and the
// check that every save runs first. The screen is a thin layer over these: it shows the texts
// and selections, calls the rules when a choice changes and focuses the field a check names.
namespace dalmain {

inline const QString kUserCheckCaption = QStringLiteral("ユーザー情報");

// The controls that a check can send the focus to.
enum class UserField {
    None,
    Reading,       // 101
    Name,          // 102
    BirthYear,     // 103
    BirthMonth,    // 104
    BirthDay,      // 105
    Age,           // 106
    Height,        // 108
    Standard,      // the reference standard combo
};

struct UserEntries {
    QString reading;
    QString name;
    QString birthYear;
    QString birthMonth;
    QString birthDay;
    QString age;
    QString height;
    int sex = 0;            // 0 男性, 1 女性
    int pregnancy = 0;      // selection of pregnancyChoices()
    int menstruation = 1;   // selection of menstruationChoices(): 0 with, 1 without
    int activity = 1;       // selection of activityChoices(age)
    QString standard = kNationalStandardEntry;   // the chosen entry of standardChoices()
    QString exchangeTable;
    QString foodGroupTable;
    QString unitTable;
    QString intakeTable;
};

// The entries of a new, empty screen: no texts, a man of normal activity, the standard of the
// DefSyoyo setting.
UserEntries blankUserEntries();

// The entries that show a profile.
UserEntries entriesFromProfile(const UserProfile &profile);

// The profile the checked entries describe. Number, dates and the kept bytes come from base
// (the stored record, or a new user's).
UserProfile profileFromEntries(const UserEntries &entries, const UserProfile &base);

// True when the two describe different profiles (texts compared without surrounding blanks,
// numbers by value): how the screen knows that its entries are unsaved.
bool entriesDiffer(const UserEntries &a, const UserEntries &b);

// Combo contents.
QStringList sexChoices();
QStringList pregnancyChoices();
QStringList menstruationChoices();
// Children of 1-5 years have only the two upper levels: "普通", "高い".
QStringList activityChoices(int age);
// The stored activity level (0-2) of a selection, and back.
int activityLevel(int age, int selection);
int activitySelection(int age, int level);

// The enabled state of the pregnancy and menstruation combos.
struct ReproductiveControls {
    bool pregnancyEnabled = false;
    bool menstruationEnabled = false;
};
ReproductiveControls reproductiveControls(const UserEntries &entries);

// A new choice in the sex combo: a man has no pregnancy and no menstruation; a woman below 10
// or above 69 (by the age field) is set to no menstruation, any other woman to menstruation.
void chooseSex(UserEntries &entries, int sex);

// A new choice in the pregnancy combo. A pregnant or lactating woman is set to no menstruation
// (the combo is then disabled): the reference intakes add her iron to the value for women
// without menstruation. Back at "なし" the menstruation is set as for a newly chosen woman.
void choosePregnancy(UserEntries &entries, int pregnancy);

// The age in whole years on day today of someone born on the given day, at most 99.
int ageOn(int birthYear, int birthMonth, int birthDay, const QDate &today);

// The check run before every save. With an owner each failure is shown with its message
// ("ユーザー情報", information icon); with a null owner it runs silently. Entries are corrected
// in place: full-width blanks of the reading become half-width, a birthday given only in part
// is cleared, the age is computed from a birthday, and a standard that no longer exists is
// reset to the national one. Valid entries also reload the PFC target ranges (PfcTargets.h).
// The field that failed, or None when every field is valid.
UserField CheckUserEntries(quenkit::Owner *owner, UserEntries &entries);

// The weight dialog of a new user: the record date and the present weight.
inline const QString kWeightDialogCaption = QStringLiteral("体重の入力");
inline const QString kWeightDialogPrompt =
    QStringLiteral("現在の体重を入力して下さい。入力された体重は、「体重の記録」で管理されます。");

struct WeightEntries {
    QString year;
    QString month;
    QString day;
    QString weight;
};

enum class WeightField { None, Year, Month, Day, Weight };

struct FirstWeight {
    int year = 0;
    int month = 0;
    int day = 0;
    double kg = 0.0;
};

// The dialog's first entries: today and no weight.
WeightEntries initialWeightEntries();

// The dialog's check: a year from 1980 to this year, a month, a day of that month, a weight of
// 0.1-200.0 kg. Each failure is told to owner (caption "体重の入力"). The field that failed, or
// None; with None, *weight (when not null) receives the values.
WeightField CheckWeightEntries(quenkit::Owner *owner, const WeightEntries &entries, FirstWeight *weight = nullptr);

}  // namespace dalmain

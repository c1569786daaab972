#include "dalmain/userdata/UserEntries.h"

#include "dalmain/userdata/PfcTargets.h"
#include "dalmain/master/ReferenceIntakeStandards.h"

#include "quenkit/dates/Dates.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/text/ShiftJis.h"

#include <algorithm>

namespace dalmain {

namespace {

// The kind a record stores for a user-defined standard; anything but "  1" would do.
const QByteArray kUserStandardKind = QByteArrayLiteral("  2");

bool isChildWithTwoLevels(int age)
{
    return age >= 1 && age <= 5;
}

int numberIn(const QString &text)
{
    return text.trimmed().toInt();
}

// The reading as it may be stored: half-width katakana and blanks, with each full-width blank
// made a half-width one. None when any other character is in it.
std::optional<QString> halfWidthReading(const QString &reading)
{
    bool encodable = true;
    const QByteArray bytes = quenkit::toSjis(reading, &encodable);
    if (!encodable)
        return std::nullopt;
    QByteArray fixed;
    for (qsizetype i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == 0x81 && i + 1 < bytes.size() && static_cast<unsigned char>(bytes[i + 1]) == 0x40) {
            fixed.append(' ');
            i += 2;
        } else if (b == 0x20 || (b >= 0xA1 && b <= 0xDF)) {
            fixed.append(static_cast<char>(b));
            ++i;
        } else {
            return std::nullopt;
        }
    }
    return quenkit::fromSjis(fixed);
}

QString ageText(int age)
{
    return QString::asprintf("%2d", age);
}

}  // namespace

UserEntries blankUserEntries()
{
    UserEntries entries;
    const QStringList choices = standardChoices();
    entries.standard = choices.value(defaultStandardChoice(choices), kNationalStandardEntry);
    return entries;
}

UserEntries entriesFromProfile(const UserProfile &p)
{
    UserEntries e;
    e.reading = p.reading;
    e.name = p.name;
    if (p.hasBirthDate()) {
        e.birthYear = QString::number(p.birthYear);
        e.birthMonth = QString::asprintf("%02d", p.birthMonth);
        e.birthDay = QString::asprintf("%02d", p.birthDay);
    }
    e.age = ageText(p.age);
    e.height = p.height;
    e.sex = p.sex;
    e.pregnancy = p.pregnancy;
    e.menstruation = p.menstruation;
    e.activity = activitySelection(p.age, p.activity);
    e.standard = p.nationalStandard() ? kNationalStandardEntry : p.standardName;
    e.exchangeTable = p.exchangeTable;
    e.foodGroupTable = p.foodGroupTable;
    e.unitTable = p.unitTable;
    e.intakeTable = p.intakeTable;
    return e;
}

UserProfile profileFromEntries(const UserEntries &e, const UserProfile &base)
{
    UserProfile p = base;
    p.reading = e.reading.trimmed();
    p.name = e.name.trimmed();
    p.age = std::clamp(numberIn(e.age), 0, 99);
    const bool birthGiven = !e.birthYear.trimmed().isEmpty() && !e.birthMonth.trimmed().isEmpty()
                            && !e.birthDay.trimmed().isEmpty();
    p.birthYear = birthGiven ? numberIn(e.birthYear) : 0;
    p.birthMonth = birthGiven ? numberIn(e.birthMonth) : 0;
    p.birthDay = birthGiven ? numberIn(e.birthDay) : 0;
    p.sex = e.sex == 1 ? 1 : 0;
    p.pregnancy = p.sex == 1 ? std::clamp(e.pregnancy, 0, kPregnancyClasses) : 0;
    p.menstruation = p.sex == 1 && e.menstruation == 0 ? 0 : 1;
    p.height = e.height.trimmed();
    p.activity = activityLevel(p.age, e.activity);
    if (e.standard == kNationalStandardEntry) {
        p.standardKind = kNationalStandardKind;
        p.standardName.clear();
    } else {
        p.standardKind = kUserStandardKind;
        p.standardName = e.standard;
    }
    p.exchangeTable = e.exchangeTable.trimmed();
    p.foodGroupTable = e.foodGroupTable.trimmed();
    p.unitTable = e.unitTable.trimmed();
    p.intakeTable = e.intakeTable.trimmed();
    return p;
}

bool entriesDiffer(const UserEntries &a, const UserEntries &b)
{
    auto texts = [](const UserEntries &e) {
        return QStringList{e.reading.trimmed(), e.name.trimmed(), e.standard, e.exchangeTable.trimmed(),
                           e.foodGroupTable.trimmed(), e.unitTable.trimmed(), e.intakeTable.trimmed()};
    };
    auto number = [](const QString &text) {
        // A blank field and a field holding 0 are different entries.
        return text.trimmed().isEmpty() ? -1.0 : text.trimmed().toDouble();
    };
    auto numbers = [&](const UserEntries &e) {
        return QList<double>{number(e.birthYear), number(e.birthMonth), number(e.birthDay), number(e.age),
                             number(e.height), double(e.sex), double(e.pregnancy), double(e.menstruation),
                             double(e.activity)};
    };
    return texts(a) != texts(b) || numbers(a) != numbers(b);
}

QStringList sexChoices()
{
    return {QStringLiteral("男性"), QStringLiteral("女性")};
}

QStringList pregnancyChoices()
{
    return {QStringLiteral("なし"), QStringLiteral("妊娠初期"), QStringLiteral("妊娠中期"),
            QStringLiteral("妊娠末期"), QStringLiteral("授乳期")};
}

QStringList menstruationChoices()
{
    return {QStringLiteral("あり"), QStringLiteral("なし")};
}

QStringList activityChoices(int age)
{
    if (isChildWithTwoLevels(age))
        return {QStringLiteral("普通"), QStringLiteral("高い")};
    return {QStringLiteral("低い"), QStringLiteral("普通"), QStringLiteral("高い")};
}

int activityLevel(int age, int selection)
{
    return std::clamp(isChildWithTwoLevels(age) ? selection + 1 : selection, 0, 2);
}

int activitySelection(int age, int level)
{
    return isChildWithTwoLevels(age) ? std::max(0, level - 1) : level;
}

ReproductiveControls reproductiveControls(const UserEntries &e)
{
    if (e.sex != 1)
        return {};
    const int age = numberIn(e.age);
    return {true, age >= 10 && age <= 69 && e.pregnancy == 0};
}

void chooseSex(UserEntries &e, int sex)
{
    e.sex = sex;
    if (sex != 1) {
        e.pregnancy = 0;
        e.menstruation = 1;
        return;
    }
    const int age = numberIn(e.age);
    e.menstruation = age < 10 || age > 69 ? 1 : 0;
}

void choosePregnancy(UserEntries &e, int pregnancy)
{
    e.pregnancy = pregnancy;
    if (pregnancy != 0)
        e.menstruation = 1;
    else
        chooseSex(e, e.sex);
}

int ageOn(int birthYear, int birthMonth, int birthDay, const QDate &today)
{
    int age = today.year() - birthYear;
    if (today.month() < birthMonth || (today.month() == birthMonth && today.day() < birthDay))
        --age;
    return std::min(age, 99);
}

UserField CheckUserEntries(quenkit::Owner *owner, UserEntries &e)
{
    auto fail = [owner](UserField field, const QString &text) {
        quenkit::inform(owner, kUserCheckCaption, text, quenkit::Icon::Information);
        return field;
    };

    const std::optional<QString> reading = halfWidthReading(e.reading);
    if (!reading)
        return fail(UserField::Reading, QStringLiteral("フリガナは半角のカタカナで入力してください。"));
    e.reading = *reading;
    if (e.reading.trimmed().isEmpty())
        return fail(UserField::Reading, QStringLiteral("フリガナを入力してください。"));
    if (e.name.trimmed().isEmpty())
        return fail(UserField::Name, QStringLiteral("氏名を入力してください。"));

    const bool anyBirth = !e.birthYear.trimmed().isEmpty() || !e.birthMonth.trimmed().isEmpty()
                          || !e.birthDay.trimmed().isEmpty();
    const bool allBirth = !e.birthYear.trimmed().isEmpty() && !e.birthMonth.trimmed().isEmpty()
                          && !e.birthDay.trimmed().isEmpty();
    if (allBirth) {
        const int year = numberIn(e.birthYear);
        const int month = numberIn(e.birthMonth);
        const int day = numberIn(e.birthDay);
        if (year < 1900 || year > 2099)
            return fail(UserField::BirthYear, QStringLiteral("誕生日の年は1900～2099年の間で入力してください。"));
        if (month < 1 || month > 12)
            return fail(UserField::BirthMonth, QStringLiteral("誕生日の月は1～12月の間で入力してください。"));
        const int days = quenkit::daysInMonth(year, month);
        if (day < 1 || day > days)
            return fail(UserField::BirthDay, QStringLiteral("誕生日の日は1～%1日の間で入力してください。").arg(days));

        const QDate today = quenkit::today();
        if (year > today.year())
            return fail(UserField::BirthYear, QStringLiteral("誕生日の年が現在の日付より大きいです。"));
        if (year == today.year() && month > today.month())
            return fail(UserField::BirthMonth, QStringLiteral("誕生日の月が現在の日付より大きいです。"));
        if (year == today.year() && month == today.month() && day > today.day())
            return fail(UserField::BirthDay, QStringLiteral("誕生日の日が現在の日付より大きいです。"));
        // The activity choice was made from the list for the age shown; the level it stands for
        // is kept when the birthday gives another age (young children are offered fewer levels).
        const int level = activityLevel(numberIn(e.age), e.activity);
        e.age = ageText(ageOn(year, month, day, today));
        e.activity = activitySelection(numberIn(e.age), level);
    } else {
        if (anyBirth) {
            e.birthYear.clear();
            e.birthMonth.clear();
            e.birthDay.clear();
        }
        if (e.age.trimmed().isEmpty())
            return fail(UserField::Age, QStringLiteral("年齢を入力してください。"));
    }
    if (numberIn(e.age) <= 0)
        return fail(UserField::Age, QStringLiteral("年齢は１歳以上で入力してください。"));

    bool isNumber = false;
    const double height = e.height.trimmed().toDouble(&isNumber);
    if (!isNumber || height < 50.0 || height > 250.0)
        return fail(UserField::Height, QStringLiteral("身長は50.0～250.0cmの間で入力してください。"));

    if (e.standard != kNationalStandardEntry && !findUserStandard(e.standard, nullptr)) {
        reportMissingStandard(owner);
        e.standard = kNationalStandardEntry;
        return UserField::Standard;
    }
    // Valid entries are about to become the user's reference values; the PFC ranges that go
    // with them are read again, as they may have been changed since.
    reloadPfcTargets();
    return UserField::None;
}

WeightEntries initialWeightEntries()
{
    const QDate today = quenkit::today();
    return {QString::number(today.year()), QString::number(today.month()), QString::number(today.day()), QString()};
}

WeightField CheckWeightEntries(quenkit::Owner *owner, const WeightEntries &e, FirstWeight *weight)
{
    auto fail = [owner](WeightField field, const QString &text) {
        quenkit::inform(owner, kWeightDialogCaption, text, quenkit::Icon::Information);
        return field;
    };
    const int thisYear = quenkit::today().year();
    const int year = numberIn(e.year);
    const int month = numberIn(e.month);
    const int day = numberIn(e.day);
    if (year < 1980 || year > thisYear)
        return fail(WeightField::Year, QStringLiteral("年は､1980年から%1年の間で入力してください。").arg(thisYear));
    if (month < 1 || month > 12)
        return fail(WeightField::Month, QStringLiteral("月は､1月から12月の間で入力してください。"));
    const int days = quenkit::daysInMonth(year, month);
    if (day < 1 || day > days)
        return fail(WeightField::Day, QStringLiteral("日付は､1日から%1日の間で入力してください。").arg(days));
    bool isNumber = false;
    const double kg = e.weight.trimmed().toDouble(&isNumber);
    if (!isNumber || kg < 0.1 || kg > 200.0)
        return fail(WeightField::Weight, QStringLiteral("体重は0.1～200.0kgの間で入力してください。"));
    if (weight)
        *weight = {year, month, day, kg};
    return WeightField::None;
}

}  // namespace dalmain

#include "dalmain/master/NutrientDisplay.h"
#include "dalmain/master/FoodRecord.h"
#include "dalmain/master/NutrientInfo.h"
#include "quenkit/registry/SettingsStore.h"
#include "quenkit/text/ShiftJis.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "PrintQt.h"

#include <gtest/gtest.h>

using namespace dalmain;

namespace {

QByteArray sjis(const char *utf8)
{
    return quenkit::toSjis(QString::fromUtf8(utf8));
}

FoodRecord sampleFood()
{
    FoodRecord f;
    f.number = 1;
    f.name = sjis("アマランサス 玄穀");
    f.group = 1;
    f.keywords = {sjis("ｱﾏﾗﾝｻｽ"), sjis("穀類"), QByteArray()};
    for (int i = 0; i < kNutrientCount; ++i)
        f.nutrients[i] = i + 0.25 * (i % 3);
    f.nutrients[EnergyKcal] = 343;
    f.nutrients[EnergyKj] = 1452;
    f.nutrients[Copper] = 0.92;
    f.wasteRatio = 15;
    f.photo = "AMA01";
    f.memo = sjis("1食 50g");
    return f;
}

}  // namespace

TEST(FoodCode, StandardNumbersGiveTheirGroupsSerials)
{
    const struct {
        quint32 number;
        int group;
        const char *code;
    } cases[] = {
        {1, 1, "01001"},   {143, 1, "01143"},  {144, 2, "02001"},   {183, 2, "02040"},
        {883, 10, "10001"}, {1513, 11, "11244"}, {1866, 17, "17084"}, {1882, 18, "18016"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(standardGroupOf(c.number), c.group);
        EXPECT_EQ(standardFoodCode(c.number, c.group), QByteArray(c.code));
    }
    EXPECT_EQ(standardGroupOf(0), 0);
    EXPECT_EQ(standardGroupOf(1883), 0);
    EXPECT_EQ(foodCode(6, firstUserSerial(6)), QByteArray("06327"));
    EXPECT_EQ(foodCode(10, firstUserSerial(10)), QByteArray("10389"));
}

TEST(FoodCode, FirstUserSerialLiesPastEveryStandardSerial)
{
    // The listed first serials of groups 9, 13 and 14 are their last standard serials.
    const struct {
        int group;
        int first;
    } moved[] = {{9, 49}, {13, 53}, {14, 23}};
    for (const auto &m : moved)
        EXPECT_EQ(firstUserSerial(m.group), m.first) << m.group;
    for (int g = 1; g <= food::GroupCount; ++g) {
        SCOPED_TRACE(g);
        EXPECT_GT(firstUserSerial(g), standardSerialCount(g));
        const quint32 last = foodGroupOffset(g) + static_cast<quint32>(standardSerialCount(g));
        EXPECT_NE(foodCode(g, firstUserSerial(g)), standardFoodCode(last, g));
    }
    EXPECT_EQ(standardSerialCount(1), 143);
    EXPECT_EQ(standardSerialCount(18), 16);
}

TEST(FoodNumber, OfficialFoodsAndTheirCodes)
{
    const struct {
        int group;
        int serial;
        quint32 number;
    } cases[] = {
        {1, 1, 1},         {1, 143, 143},     {1, 144, 41144},  {1, 210, 41210},  {2, 1, 144},
        {9, 48, 882},      {9, 49, 49049},    {10, 387, 1269},  {10, 388, 50388}, {18, 16, 1882},
        {18, 17, 58017},   {18, 999, 58999},  {0, 1, 0},        {19, 1, 0},       {1, 0, 0},
        {1, 1000, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.group << "/" << c.serial);
        EXPECT_EQ(officialFoodNumber(c.group, c.serial), c.number);
        if (c.number == 0)
            continue;
        EXPECT_TRUE(isOfficialFoodNumber(c.number));
        const std::optional<OfficialFood> back = officialFoodOf(c.number);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->group, c.group);
        EXPECT_EQ(back->serial, c.serial);
        EXPECT_EQ(officialFoodCode(c.number), foodCode(c.group, c.serial));
    }
    // The user's numbers, and numbers of the reserved range that name no official food.
    for (quint32 n : {0u, 1883u, 1900u, 40999u, 59000u, 60000u, 65534u})
        EXPECT_FALSE(isOfficialFoodNumber(n)) << n;
    for (quint32 n : {0u, 1883u, 40999u, 41000u, 41143u, 42000u, 59000u})
        EXPECT_FALSE(officialFoodCode(n)) << n;
    EXPECT_TRUE(isOfficialFoodNumber(41000));   // reserved all the same
}

TEST(FoodNumber, TheUsersNextNumberIsNeverOfficial)
{
    quint32 n = 0;
    int given = 0;
    for (quint32 next = nextUserFoodNumber(0); next != food::NoNumber; next = nextUserFoodNumber(next)) {
        ASSERT_GT(next, n);
        ASSERT_FALSE(isOfficialFoodNumber(next)) << next;
        n = next;
        ++given;
    }
    EXPECT_EQ(nextUserFoodNumber(0), food::FirstUserNumber);
    EXPECT_EQ(nextUserFoodNumber(40999), 59000u);
    EXPECT_EQ(n, food::LastNumber);
    // Every number up to 65534 that is not official is given once.
    EXPECT_EQ(given, static_cast<int>(food::LastNumber - food::LastStandardNumber
                                      - (food::LastReservedNumber - food::FirstReservedNumber + 1)));
}

TEST(FoodRecord, BodyPutsEveryFieldAtItsOffsetAndReadsBack)
{
    const FoodRecord f = sampleFood();
    QStringList problems;
    const QByteArray body = f.toBody(&problems);
    EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(body.size(), 413);
    EXPECT_EQ(body.mid(0, 5), QByteArray("    1"));
    EXPECT_EQ(body.mid(5, 40), quenkit::sjisField(f.name, 40));
    EXPECT_EQ(body.mid(45, 2), QByteArray(" 1"));
    EXPECT_EQ(body.mid(47, 10), quenkit::sjisField(f.keywords[0], 10));
    EXPECT_EQ(body.mid(67, 10), QByteArray(10, ' '));
    EXPECT_EQ(body.mid(77, 6), QByteArray("   343"));
    EXPECT_EQ(body.mid(83, 6), QByteArray("  1452"));
    EXPECT_EQ(body.mid(77 + 14 * 6, 6), QByteArray("  0.92"));   // copper, two decimals
    EXPECT_EQ(body.mid(77 + 2 * 6, 6), QByteArray("   2.5"));   // water, one decimal
    EXPECT_EQ(body.mid(299, 6), QByteArray("    15"));
    EXPECT_EQ(body.mid(305, 8), QByteArray("AMA01   "));
    EXPECT_EQ(body.mid(313, 100), quenkit::sjisField(f.memo, 100));

    const FoodRecord back = FoodRecord::fromBody(body);
    EXPECT_EQ(back.number, f.number);
    EXPECT_EQ(back.name, f.name);
    EXPECT_EQ(back.group, f.group);
    EXPECT_EQ(back.keywords, f.keywords);
    for (int i = 0; i < kNutrientCount; ++i)
        EXPECT_NEAR(back.nutrients[i], f.nutrients[i], 0.5 * std::pow(10.0, -nutrientInfo(i).decimals) + 1e-9) << i;
    EXPECT_EQ(back.wasteRatio, 15);
    EXPECT_EQ(back.photo, f.photo);
    EXPECT_EQ(back.memo, f.memo);
}

TEST(FoodRecord, ValuesThatDoNotFitAreReportedNotCut)
{
    FoodRecord f = sampleFood();
    f.nutrients[EnergyKj] = 1234567;   // seven digits
    f.nutrients[Copper] = 1234.567;    // fits only with one decimal
    f.nutrients[Iron] = -1;
    QStringList problems;
    const QByteArray body = f.toBody(&problems);
    ASSERT_EQ(body.size(), 413);
    EXPECT_EQ(body.mid(77 + 6, 6), QByteArray(6, ' '));
    EXPECT_EQ(body.mid(77 + 14 * 6, 6), QByteArray("1234.6"));
    EXPECT_EQ(body.mid(77 + 12 * 6, 6), QByteArray(6, ' '));
    ASSERT_EQ(problems.size(), 3) << problems.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(problems[0].contains(QStringLiteral("エネルギーKJ")));
    EXPECT_TRUE(problems[1].contains(QStringLiteral("鉄")));
    EXPECT_TRUE(problems[2].contains(QStringLiteral("1234.6")));
}

TEST(FoodRecord, UnknownNutrientsAreStoredBlankAndReadZero)
{
    FoodRecord f = sampleFood();
    f.setUnknown(VitaminD);
    f.nutrients[VitaminK] = 0;   // known to be nothing
    const QByteArray body = f.toBody();
    EXPECT_EQ(body.mid(food::NutrientOffset + VitaminD * food::NutrientWidth, food::NutrientWidth), QByteArray(6, ' '));
    EXPECT_EQ(body.mid(food::NutrientOffset + VitaminK * food::NutrientWidth, food::NutrientWidth), QByteArray("     0"));
    const FoodRecord back = FoodRecord::fromBody(body);
    EXPECT_FALSE(back.isKnown(VitaminD));
    EXPECT_EQ(back.nutrients[VitaminD], 0);
    EXPECT_TRUE(back.isKnown(VitaminK));
    EXPECT_EQ(back.unknown.count(), 1u);
    EXPECT_EQ(back.toBody(), body);
}

TEST(FoodRecord, ShortBodyReadsBlankPastItsEnd)
{
    const QByteArray body = sampleFood().toBody().left(83);   // up to the energy in kcal
    const FoodRecord r = FoodRecord::fromBody(body);
    EXPECT_EQ(r.number, 1u);
    EXPECT_EQ(r.group, 1);
    EXPECT_EQ(r.nutrients[EnergyKcal], 343);
    EXPECT_EQ(r.nutrients[Water], 0);
    EXPECT_TRUE(r.memo.isEmpty());
}

TEST(MemoAmount, DigitsBeforeTheFirstG)
{
    const struct {
        const char *memo;   // UTF-8
        const char *amount; // nullptr: none
    } cases[] = {
        {"いつもの量は 150g です", "  150"},
        {"1200g", nullptr},
        {"大盛 g 50g", nullptr},            // the first g has no digits before it
        {"12.5g", " 12.5"},
        {".5g", "   .5"},
        {"5.g", nullptr},                   // a point only after a digit
        {"x1.2.5g", "  2.5"},               // one decimal point
        {"123456g", nullptr},               // five characters: 23456, too large
        {"99999g", nullptr},
        {"999g", "  999"},
        {"no unit here", nullptr},
        {"拡50g", "   50"},                 // 拡 is 8A 67: its second byte is no "g"
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.memo);
        const std::optional<QByteArray> amount = memoDefaultAmount(sjis(c.memo));
        if (c.amount) {
            ASSERT_TRUE(amount.has_value());
            EXPECT_EQ(*amount, QByteArray(c.amount));
        } else {
            EXPECT_FALSE(amount.has_value()) << amount->constData();
        }
    }
    // Only the memo's 100 bytes count.
    EXPECT_FALSE(memoDefaultAmount(QByteArray(98, ' ') + "50g").has_value());
    EXPECT_EQ(memoDefaultAmount(QByteArray(97, ' ') + "50g").value_or(""), QByteArray("   50"));
}

TEST(FoodPhoto, PathsPerGroupAndSet)
{
    testsupport::TempFolders folders;
    const QString folder = folders.dataDir() + QLatin1Char('/');
    EXPECT_EQ(foodPhotoPath(folder, PhotoSet::Program, 3, "SATO01"), folder + QStringLiteral("bmp/bmpsy3/SATO01.bmp"));
    EXPECT_EQ(foodPhotoPath(folder, PhotoSet::Large, 12, "EGG"), folder + QStringLiteral("bmp400/bmpsy12/EGG.bmp"));
    EXPECT_EQ(defaultFoodPhotoPath(folder, PhotoSet::Program, 6), folder + QStringLiteral("bmp/bmpsy6/DEF6256.bmp"));
    EXPECT_EQ(defaultFoodPhotoPath(folder, PhotoSet::Small, 18), folder + QStringLiteral("bmp200/bmpsy18/DEF18256.bmp"));
    EXPECT_EQ(missingFoodPhotoPath(folder, 2), folder + QStringLiteral("bmp200/bmpsy2/FNF2256.bmp"));

    // Pictures copied from a case-blind system keep their spelling.
    ASSERT_TRUE(QDir(folder).mkpath(QStringLiteral("BMP200/BMPSY5")));
    ASSERT_TRUE(testsupport::writeFile(folder + QStringLiteral("BMP200/BMPSY5/GOMA.BMP"), "x"));
    EXPECT_EQ(foodPhotoPath(folder, PhotoSet::Small, 5, "goma"), folder + QStringLiteral("BMP200/BMPSY5/GOMA.BMP"));
}

// Which picture a food shows: the photo folder's files when it is in use, else the program
// folder's; the food's own photo before the stand-ins; nothing when no file is there.
TEST(FoodPhoto, TheShownPictureFollowsThePhotoSettingAndWhatIsThere)
{
    testsupport::TempFolders folders;
    const QString program = folders.root() + QStringLiteral("/program/");
    const QString photos = folders.root() + QStringLiteral("/photos/");
    const QStringList files = {program + "bmp/bmpsy1/DEF1256.bmp", program + "bmp/bmpsy1/KOME.bmp",
                               photos + "bmp200/bmpsy1/FNF1256.bmp", photos + "bmp200/bmpsy1/KOME.bmp",
                               photos + "bmp400/bmpsy1/KOME.bmp"};
    for (const QString &f : files) {
        QDir().mkpath(QFileInfo(f).absolutePath());
        ASSERT_TRUE(testsupport::writeFile(f, "BM"));
    }
    quenkit::SetUserRegistryString(QStringLiteral("DataDir"), program);
    quenkit::SetUserRegistryString(QStringLiteral("DataDir3"), photos);
    FoodRecord withPhoto;
    withPhoto.group = 1;
    withPhoto.photo = "KOME";
    FoodRecord without = withPhoto;
    without.photo.clear();
    FoodRecord otherGroup = without;
    otherGroup.group = 2;
    const struct {
        const char *what;
        const char *foodPic;
        const FoodRecord *food;
        QString shown;
        QString enlarged;
    } cases[] = {
        {"own photo, no photo folder", "0", &withPhoto, program + "bmp/bmpsy1/KOME.bmp", program + "bmp/bmpsy1/KOME.bmp"},
        {"no photo, no photo folder", "0", &without, program + "bmp/bmpsy1/DEF1256.bmp", program + "bmp/bmpsy1/DEF1256.bmp"},
        {"own photo in the photo folder", "1", &withPhoto, photos + "bmp200/bmpsy1/KOME.bmp", photos + "bmp400/bmpsy1/KOME.bmp"},
        {"no photo, photo folder", "1", &without, photos + "bmp200/bmpsy1/FNF1256.bmp", photos + "bmp200/bmpsy1/FNF1256.bmp"},
        {"nothing installed for the group", "0", &otherGroup, QString(), QString()},
    };
    for (const auto &c : cases) {
        quenkit::SetUserRegistryString(QStringLiteral("FoodPic"), QString::fromLatin1(c.foodPic));
        EXPECT_EQ(QDir::fromNativeSeparators(foodPicturePath(*c.food)), c.shown) << c.what;
        EXPECT_EQ(QDir::fromNativeSeparators(enlargedFoodPicturePath(*c.food)), c.enlarged) << c.what;
    }
}

TEST(NutrientInfo, FieldNamesFitAndDifferAndStoredValuesKeepWhatTheScreensShow)
{
    QSet<QByteArray> names{sjis(food::NumberField), sjis(food::NameField), sjis(food::GroupField),
                           sjis(food::WasteField), sjis(food::PhotoField), sjis(food::MemoField)};
    for (const char *k : food::KeywordFields)
        names.insert(sjis(k));
    for (int i = 0; i < kNutrientCount; ++i) {
        const NutrientInfo &info = nutrientInfo(i);
        SCOPED_TRACE(info.csvName);
        const QByteArray name = sjis(info.fieldName);
        EXPECT_LE(name.size(), 11);
        EXPECT_FALSE(names.contains(name));
        names.insert(name);
        EXPECT_GE(info.decimals, displayDecimals(i));
    }
}

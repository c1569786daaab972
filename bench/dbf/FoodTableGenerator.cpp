#include "FoodTableGenerator.h"

#include "quenkit/dbf/DbfTable.h"
#include "quenkit/files/FileAccess.h"
#include "quenkit/text/ShiftJis.h"

#include <random>

namespace benchdata {

namespace {

struct Food {
    const char *name;
    const char *reading;
};

const Food kFoods[] = {
    {"こめ　精白米", "ｺﾒ ｾｲﾊｸﾏｲ"},         {"食パン", "ｼｮｸﾊﾟﾝ"},           {"うどん　ゆで", "ｳﾄﾞﾝ ﾕﾃﾞ"},
    {"そば　ゆで", "ｿﾊﾞ ﾕﾃﾞ"},             {"じゃがいも　塊茎　生", "ｼﾞｬｶﾞｲﾓ"}, {"さつまいも　塊根　蒸し", "ｻﾂﾏｲﾓ"},
    {"だいず　全粒　ゆで", "ﾀﾞｲｽﾞ"},       {"木綿豆腐", "ﾓﾒﾝﾄﾞｳﾌ"},         {"にんじん　根　生", "ﾆﾝｼﾞﾝ"},
    {"キャベツ　結球葉　生", "ｷｬﾍﾞﾂ"},     {"ほうれんそう　葉　ゆで", "ﾎｳﾚﾝｿｳ"}, {"たまねぎ　りん茎　生", "ﾀﾏﾈｷﾞ"},
    {"りんご　生", "ﾘﾝｺﾞ"},                 {"バナナ　生", "ﾊﾞﾅﾅ"},           {"まいたけ　生", "ﾏｲﾀｹ"},
    {"あじ　まあじ　焼き", "ｱｼﾞ"},         {"さけ　しろさけ　生", "ｻｹ"},     {"ぶた　ロース　焼き", "ﾌﾞﾀ ﾛｰｽ"},
    {"うし　かた　ゆで", "ｳｼ ｶﾀ"},         {"鶏卵　全卵　生", "ｹｲﾗﾝ"},       {"普通牛乳", "ﾌﾂｳｷﾞｭｳﾆｭｳ"},
    {"ヨーグルト　全脂無糖", "ﾖｰｸﾞﾙﾄ"},     {"有塩バター", "ﾊﾞﾀｰ"},           {"しょうゆ　こいくち", "ｼｮｳﾕ"},
    {"みそ　米みそ", "ﾐｿ"},                 {"マヨネーズ　全卵型", "ﾏﾖﾈｰｽﾞ"}, {"緑茶　せん茶　浸出液", "ﾘｮｸﾁｬ"},
    {"ビール　淡色", "ﾋﾞｰﾙ"},               {"ハヤシルウ", "ﾊﾔｼﾙｳ"},         {"ミートソース", "ﾐｰﾄｿｰｽ"},
    {"コーンスープ　粉末", "ｺｰﾝｽｰﾌﾟ"},     {"チョコレート", "ﾁｮｺﾚｰﾄ"},       {"せんべい　しょうゆ", "ｾﾝﾍﾞｲ"},
    {"ポテトチップス", "ﾎﾟﾃﾄﾁｯﾌﾟｽ"},       {"わかめ　湯通し塩蔵", "ﾜｶﾒ"},     {"ごま　いり", "ｺﾞﾏ"},
    {"アーモンド　乾", "ｱｰﾓﾝﾄﾞ"},         {"ぎょうざ　冷凍", "ｷﾞｮｳｻﾞ"},     {"しゅうまい　冷凍", "ｼｭｳﾏｲ"},
};
const Food kCurry = {"カレールウ", "ｶﾚｰﾙｳ"};

QByteArray field(const QByteArray &text, int width)
{
    return quenkit::sjisField(text, width);
}

}  // namespace

QList<quenkit::DbfFieldDescriptor> foodTableFields()
{
    using quenkit::DbfFieldDescriptor;
    QList<DbfFieldDescriptor> fields = {
        DbfFieldDescriptor::make(quenkit::toSjis(u"食品番号"), 'C', 5),
        DbfFieldDescriptor::make(quenkit::toSjis(u"食品群"), 'C', 2),
        DbfFieldDescriptor::make(quenkit::toSjis(u"食品名"), 'C', 60),
        DbfFieldDescriptor::make(quenkit::toSjis(u"よみ"), 'C', 40),
        DbfFieldDescriptor::make(quenkit::toSjis(u"廃棄率"), 'N', 3),
    };
    for (int i = 0; i < 37; ++i)
        fields.append(DbfFieldDescriptor::make("N" + QByteArray::number(i + 1).rightJustified(2, '0'), 'N', 7, 1));
    fields.append(DbfFieldDescriptor::make(quenkit::toSjis(u"備考"), 'C', 43));
    return fields;
}

QByteArray foodNumber(int i)
{
    return QByteArray::number(2 * (i + 1)).rightJustified(5, '0');
}

QByteArray foodBody(const QByteArray &number, int seed)
{
    std::mt19937 random(static_cast<unsigned>(seed));
    const Food &food = seed % 40 == 7 ? kCurry : kFoods[random() % std::size(kFoods)];
    QByteArray body;
    body.reserve(FoodRecordLength - 1);
    body += field(number, 5);
    body += field(QByteArray::number(random() % 18 + 1).rightJustified(2, '0'), 2);
    body += field(quenkit::toSjis(QString::fromUtf8(food.name)) + " " + QByteArray::number(seed), 60);
    body += field(quenkit::toSjis(QString::fromUtf8(food.reading)), 40);
    body += field(QByteArray::number(random() % 60).rightJustified(3, ' '), 3);
    for (int i = 0; i < 37; ++i)
        body += field(QByteArray::number((random() % 100000) / 10.0, 'f', 1).rightJustified(7, ' '), 7);
    body += field(quenkit::toSjis(u"廃棄部位：なし"), 43);
    return body;
}

bool writeFoodTable(const QString &name, int count)
{
    if (!quenkit::createDbfTable(name, foodTableFields()))
        return false;
    quenkit::FileHandle file(quenkit::FileOpen2(quenkit::tablePath(name), quenkit::OpenReadWrite));
    quenkit::DbfHeader header;
    if (!file.isOpen() || !quenkit::GetDBFInfo2(file.get(), name, header) || header.recordLength() != FoodRecordLength)
        return false;
    const int offset = quenkit::signatureOffsetFor(name);
    for (int i = 0; i < count; ++i) {
        if (!quenkit::SetDBFRecord(file.get(), i, foodBody(foodNumber(i), i), header.headerLength(), FoodRecordLength,
                                   offset))
            return false;
    }
    header.setRecordCount(static_cast<quint32>(count));
    return quenkit::FileSeek(file.get(), offset) == offset && quenkit::SetDBFInfo2(file.get(), header);
}

}  // namespace benchdata

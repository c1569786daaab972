#include "dalmain/userdata/WeightLog.h"

#include "dalmain/userdata/UserLogTemplates.h"
#include "dalmain/userdata/UserStore.h"

#include "quenkit/dbf/DbfSearch.h"
#include "quenkit/dbf/DbfTable.h"
#include "quenkit/dbf/DbfWrite.h"
#include "quenkit/files/FileLock.h"

#include <algorithm>
#include <cmath>

namespace dalmain {

namespace {

constexpr int kDateWidth = 8;
constexpr int kWeightWidth = 5;
constexpr int kBodyFatWidth = 4;

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

bool isDateKey(QByteArrayView date)
{
    return date.size() == kDateWidth && std::all_of(date.begin(), date.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The live records whose date passes keep, in date order.
template <typename Keep>
QList<WeightRecord> weightsWhere(unsigned user, QByteArrayView low, QByteArrayView high, Keep keep)
{
    const QString log = weightLogName(user);
    QList<int> records;
    if (quenkit::SearchDBFRecord(nullptr, records, log, weightLogKeyField(), low, high) <= 0)
        return {};
    QList<WeightRecord> weights;
    QByteArray body;
    for (int record : records) {
        if (quenkit::ReadDBFRecord(log, record, body) != 1 || body.size() < kDateWidth + kWeightWidth + kBodyFatWidth)
            continue;
        WeightRecord w = decodeWeightRecord(body);
        if (keep(w.date))
            weights.append(w);
    }
    std::stable_sort(weights.begin(), weights.end(), [](const WeightRecord &a, const WeightRecord &b) { return a.date < b.date; });
    return weights;
}

}  // namespace

WeightRecord decodeWeightRecord(QByteArrayView body)
{
    WeightRecord w;
    w.date = body.first(kDateWidth).toByteArray();
    w.kg = quenkit::fieldNumber(body.sliced(kDateWidth, kWeightWidth));
    w.bodyFat = quenkit::fieldNumber(body.sliced(kDateWidth + kWeightWidth, kBodyFatWidth));
    return w;
}

QList<WeightRecord> readWeights(unsigned user)
{
    return weightsWhere(user, {}, {}, [](QByteArrayView) { return true; });
}

std::optional<WeightRecord> WeightOnOrBefore(unsigned user, QByteArrayView date)
{
    const QList<WeightRecord> all = readWeights(user);
    if (all.isEmpty())
        return std::nullopt;
    std::optional<WeightRecord> latest;
    for (const WeightRecord &w : all) {
        if (w.date <= date)
            latest = w;
    }
    return latest ? latest : all.front();
}

WeightCheck checkWeightEntry(double kg, double bodyFat)
{
    // The bounds are the texts the fields show ("0.1", "200.0", "50.0") read as numbers, so a
    // value typed at a bound passes and anything between 0 and 0.1 (0.05 from the command line)
    // is refused rather than stored as a rounded 0.1 or a silent "not measured".
    if (!std::isfinite(kg) || kg < 0.1 || kg > 200.0)
        return {WeightCheck::Weight, QStringLiteral("体重は0.1～200.0kgの間で入力してください。"), QStringLiteral("ユーザー情報")};
    if (!std::isfinite(bodyFat) || (bodyFat != 0.0 && (bodyFat < 0.1 || bodyFat > 50.0)))
        return {WeightCheck::BodyFat, QStringLiteral("体脂肪率は0.1～50.0の間で入力してください。"), QStringLiteral("ユーザー情報")};
    return {};
}

bool SaveWeight(unsigned user, const WeightRecord &record, QString *error)
{
    if (!isDateKey(record.date))
        return fail(error, QStringLiteral("the date must be eight digits (YYYYMMDD)"));
    const WeightCheck check = checkWeightEntry(record.kg, record.bodyFat);
    if (!check.ok())
        return fail(error, check.message);
    const QString log = weightLogName(user);
    quenkit::FileLock lock = quenkit::lockDataFile(log);
    if (!lock.isLocked())
        return fail(error, QStringLiteral("%1 is being changed by another program").arg(log));
    quenkit::DbfLayout layout;
    if (!quenkit::readDbfLayout(log, layout))
        return fail(error, QStringLiteral("%1 cannot be read").arg(log));
    const int year = record.date.first(4).toInt();
    const int month = record.date.sliced(4, 2).toInt();
    const int day = record.date.sliced(6, 2).toInt();
    QByteArray body = weightRecordBody(year, month, day, record.kg, record.bodyFat);
    // A log with fields of its own behind the three keeps them blank.
    if (layout.bodyLength() < body.size())
        return fail(error, QStringLiteral("%1 is not a weight log").arg(log));
    body = body.leftJustified(layout.bodyLength(), ' ');
    const int written = quenkit::WriteDBFRecord(nullptr, log, body, weightLogKeyField(), quenkit::WriteOrOverwrite);
    if (written != 1 && written != 2)
        return fail(error, QStringLiteral("%1 could not be written").arg(log));
    return true;
}

WeightDeletion DeleteWeight(unsigned user, QByteArrayView date)
{
    if (!isDateKey(date))
        return WeightDeletion::NotFound;
    const QString log = weightLogName(user);
    quenkit::FileLock lock = quenkit::lockDataFile(log);
    if (!lock.isLocked())
        return WeightDeletion::Failed;
    const QList<WeightRecord> all = readWeights(user);
    const bool found = std::any_of(all.begin(), all.end(), [&](const WeightRecord &w) { return w.date == date; });
    if (!found)
        return WeightDeletion::NotFound;
    if (all.size() == 1)
        return WeightDeletion::LastRecord;
    return quenkit::DeleteDBFRecord(nullptr, log, date, weightLogKeyField()) == 1 ? WeightDeletion::Deleted
                                                                                  : WeightDeletion::Failed;
}

QList<WeightRecord> WeightsInMonth(unsigned user, int year, int month)
{
    const QByteArray prefix = QString::asprintf("%04d%02d", year, month).toLatin1();
    return weightsWhere(user, prefix, prefix, [&](QByteArrayView d) { return d.startsWith(prefix); });
}

}  // namespace dalmain

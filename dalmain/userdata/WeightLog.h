#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

// A user's weight log "W%u.DBF": one record per measurement day, in date order, with the weight
// and the body-fat percentage. It always keeps at least one record, the weight entered when the
// user was created.
namespace dalmain {

struct WeightRecord {
    QByteArray date;       // YYYYMMDD
    double kg = 0.0;
    double bodyFat = 0.0;  // percent; 0 = not measured

    bool operator==(const WeightRecord &) const = default;
};

WeightRecord decodeWeightRecord(QByteArrayView body);

// Every measurement in date order; empty when the log cannot be read.
QList<WeightRecord> readWeights(unsigned user);

// The latest measurement on or before date; the earliest one when every measurement is later;
// none when the log has none or cannot be read.
std::optional<WeightRecord> WeightOnOrBefore(unsigned user, QByteArrayView date);

// Which entry a measurement check refuses, with the message the weight screen shows.
struct WeightCheck {
    enum Field { None, Weight, BodyFat } field = None;
    QString message;
    QString caption;
    bool ok() const { return field == None; }
};
// Weight 0.1-200.0 kg; body fat 0 (not measured) or 0.1-50.0 %.
WeightCheck checkWeightEntry(double kg, double bodyFat);

// Writes the measurement of date, replacing one of the same date, under the log's lock. false,
// with the reason in *error, when the date is not 8 digits, the values fail checkWeightEntry,
// or the log cannot be locked or written.
bool SaveWeight(unsigned user, const WeightRecord &record, QString *error = nullptr);

enum class WeightDeletion { Deleted, NotFound, LastRecord, Failed };
inline const QString kLastWeightMessage =
    QStringLiteral("体重データは最低でも１件は必要です。\nこのデータは削除できません。");
inline const QString kLastWeightCaption = QStringLiteral("体重の削除");

// Deletes the measurement of date. The log's last measurement stays (LastRecord); counting the
// records and deleting happen under one lock, so two deletions at once cannot empty the log.
WeightDeletion DeleteWeight(unsigned user, QByteArrayView date);

// The measurements of a month, in date order.
QList<WeightRecord> WeightsInMonth(unsigned user, int year, int month);

}  // namespace dalmain

#pragma once

#include <QString>

#include <array>

namespace quenkit {
class Owner;
}

// The target ranges of the PFC balance: protein, fat and carbohydrate as whole percentages of
// the energy, kept in the settings store (section "PFC") and edited in the PFC settings.
namespace dalmain {

inline const QString kPfcSection = QStringLiteral("PFC");

struct PfcTargets {
    int proteinLower = 10;       // "P1"
    int proteinUpper = 15;       // "P2"
    int fatLower = 20;           // "F1"
    int fatUpper = 25;           // "F2"
    int carbohydrateLower = 60;  // "C1"
    int carbohydrateUpper = 70;  // "C2"

    friend bool operator==(const PfcTargets &, const PfcTargets &) = default;
};

// The ranges stored now; a value never stored takes its default.
PfcTargets readPfcTargets();

// The ranges the analysis works with: those read when the user's reference values were last set
// up (the user's entries passed their check), the defaults before that.
const PfcTargets &pfcTargets();
void reloadPfcTargets();

inline const QString kPfcCaption = QStringLiteral("ＰＦＣ適正率の設定");
inline const QString kPfcEmptyMessage = QStringLiteral("数値を入力してください。");
inline const QString kPfcOrderMessage = QStringLiteral("下限値は上限値より小さい数値を入力してください。");
inline const QString kPfcStoreQuestion = QStringLiteral("PFC適正率を設定します。よろしいですか？");
inline const QString kPfcDefaultsQuestion = QStringLiteral("標準のPFC適正比率に戻します。よろしいですか？");

// The six entries of the PFC settings as typed, in the order P1, P2, F1, F2, C1, C2.
using PfcEntries = std::array<QString, 6>;
PfcEntries pfcEntriesOf(const PfcTargets &targets);

// Checks the entries row by row: an empty entry is refused with kPfcEmptyMessage, a lower value
// that is not below its upper value with kPfcOrderMessage (on the lower entry). Returns the index
// of the refused entry, or -1 with *targets set when every entry passes.
int CheckPfcEntries(quenkit::Owner *owner, const PfcEntries &entries, PfcTargets *targets);

// Stores the six ranges in section "PFC" and makes them the ones in force. false when the
// settings cannot be written.
bool StorePfcTargets(const PfcTargets &targets);

}  // namespace dalmain

#pragma once

#include "dalmain/userdata/ExerciseLogDay.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>

// The exercise screen's "copy all" and "paste all": one text block (Shift-JIS, CR LF) that any
// program can paste, followed behind its terminating NUL by a private tail the screen pastes
// back: the 15 bytes "DMSportsAllData", the entry count (16-bit little-endian) and the entries
// in their 147-byte form.
namespace dalmain {

inline const QByteArray kExerciseClipboardMarker = QByteArrayLiteral("DMSportsAllData");

struct CopyAllOptions {
    bool heading = true;     // the column heading line
    bool totals = true;      // time, exercise, basal, living and daily energy
    bool guideline = true;   // the day's exercise guideline and the note
};

// The text part of the block (without the NUL) as the user sees it pasted elsewhere.
QString copyAllText(const ExerciseDay &day, const ExerciseSummary &summary, const CopyAllOptions &options);

// The whole block: text, NUL, marker, count and entries.
QByteArray copyAllBlock(const ExerciseDay &day, const ExerciseSummary &summary, const CopyAllOptions &options);

// The entries of a block's tail. None when the block has no tail behind its text, or when the
// count claims more entries than the block holds: a cut or foreign block is never read past
// its end.
std::optional<QList<ExerciseEntry>> copiedEntries(QByteArrayView block);

// The day that pasting the entries makes: entries of items that no longer exist are left out,
// those computed from minutes get the current Af and weight, the others keep their energy. A
// basal metabolism entry becomes the day's basal metabolism, as it does when the day is loaded;
// entries beyond 30 are left out.
ExerciseDay pastedExerciseDay(const QList<ExerciseEntry> &entries, const ExerciseItemLookup &items,
                              const EnergyBasis &basis);

}  // namespace dalmain

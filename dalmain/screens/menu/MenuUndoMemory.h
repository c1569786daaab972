#pragma once

#include "dalmain/screens/menu/MenuDayEdit.h"

#include <QUndoStack>

// The menu screen's undo memory: before every edit the whole day is recorded, and undo and
// redo put a recorded day back. The rows of a day are shared between the day and its
// snapshots until one of them changes, so a snapshot costs little more than the meal an edit
// touches.
namespace dalmain {

inline const QString kUndoErrorTitle = QStringLiteral("エラー");
inline const QString kUndoGrowFailedMessage = QStringLiteral("献立アンドゥ用メモリのリサイズ失敗");

// The day as it was, with where the grid stood.
struct MenuSnapshot {
    MenuDayEdit day;
    int meal = Breakfast;
    int currentLine = 0;
    int topLine = 0;  // the first line the grid showed
};

// The steps are kept as position P and count N (0 <= P <= N): undo goes back from P, redo
// forward, and an edit after undos drops the steps above P. The day after the last edit is
// recorded by the first undo, so that redo can bring it back.
class MenuUndoMemory
{
public:
    MenuUndoMemory();
    ~MenuUndoMemory();
    MenuUndoMemory(const MenuUndoMemory &) = delete;
    MenuUndoMemory &operator=(const MenuUndoMemory &) = delete;

    // Empties the memory (P = N = 0); the day as it is counts as unmodified.
    void prepare();

    // Records the day before an edit. false when the memory could not grow: the edit is then
    // made without a step to undo it, and the day counts as modified until it is stored.
    bool record(const MenuSnapshot &before);

    bool canUndo() const;
    bool canRedo() const;
    // Goes one step back; current is the day as it is now. Only when canUndo().
    MenuSnapshot undo(const MenuSnapshot &current);
    // Goes one step forward again. Only when canRedo().
    MenuSnapshot redo();

    int position() const;  // P
    int count() const;     // N: the recorded days, the one kept for redo included

    // Whether the day is as it was when it was loaded or last stored.
    bool isModified() const;
    void setUnmodified();
    // The day differs from the stored one in a way no step records.
    void setModified();

private:
    class Step;
    Step *step(int index) const;

    QUndoStack m_stack;
    MenuSnapshot m_restored;
    bool m_modifiedUnrecorded = false;
};

}  // namespace dalmain

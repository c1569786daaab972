#include "dalmain/shell/MenuCommandRules.h"

#include "dalmain/shell/CommandIds.h"

namespace dalmain {

bool menuCommandAllowed(int id, const MenuEditState &s)
{
    const bool room = s.currentMealRows < kMaxMealRows;
    switch (id) {
    case cmd::Paste:
        return s.clipboardHasRows && room;
    case cmd::PasteDay:
        return s.clipboardHasDay;
    case cmd::Cut:
    case cmd::Copy:
    case cmd::Delete:
    case cmd::ConvertAmount:
    case cmd::SaveDish:
        return s.selectedRows > 0;
    case cmd::FoodInput:
    case cmd::DishInput:
        return room;
    case cmd::DishNameInput:
        return room && s.dayDishNames < kMaxDishNames;
    case cmd::CopyDay:
    case cmd::PrintMenu:
        return s.dayHasRows;
    case cmd::SelectAll:
        return s.currentMealRows > 0;
    case cmd::Undo:
        return s.canUndo;
    case cmd::Redo:
        return s.canRedo;
    default:
        return true;
    }
}

}  // namespace dalmain

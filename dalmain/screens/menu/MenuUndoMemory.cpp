#include "dalmain/screens/menu/MenuUndoMemory.h"

#include <QUndoCommand>

#include <new>
#include <optional>

namespace dalmain {

// One edit: the day before it, and the day after it once that is known (the next edit's day
// before, or the day at the first undo of the last edit).
class MenuUndoMemory::Step : public QUndoCommand
{
public:
    Step(const MenuSnapshot &before, MenuSnapshot *restored)
        : m_before(before)
        , m_restored(restored)
    {
    }

    void undo() override { *m_restored = m_before; }
    void redo() override
    {
        // The stack runs every pushed step once; the edit itself is the screen's.
        if (!m_pushed) {
            m_pushed = true;
            return;
        }
        *m_restored = *m_after;
    }

    bool hasAfter() const { return m_after.has_value(); }
    void setAfter(const MenuSnapshot &after) { m_after = after; }

private:
    MenuSnapshot m_before;
    std::optional<MenuSnapshot> m_after;
    MenuSnapshot *m_restored;
    bool m_pushed = false;
};

MenuUndoMemory::MenuUndoMemory() = default;
MenuUndoMemory::~MenuUndoMemory() = default;

MenuUndoMemory::Step *MenuUndoMemory::step(int index) const
{
    return static_cast<Step *>(const_cast<QUndoCommand *>(m_stack.command(index)));
}

void MenuUndoMemory::prepare()
{
    m_stack.clear();
    m_restored = MenuSnapshot();
    m_modifiedUnrecorded = false;
}

bool MenuUndoMemory::record(const MenuSnapshot &before)
{
    try {
        auto *s = new Step(before, &m_restored);
        // The previous edit ended in the day this one starts from.
        if (m_stack.index() > 0)
            step(m_stack.index() - 1)->setAfter(before);
        m_stack.push(s);  // drops the steps above P
        return true;
    } catch (const std::bad_alloc &) {
        m_modifiedUnrecorded = true;
        return false;
    }
}

bool MenuUndoMemory::canUndo() const
{
    return m_stack.canUndo();
}

bool MenuUndoMemory::canRedo() const
{
    return m_stack.canRedo();
}

MenuSnapshot MenuUndoMemory::undo(const MenuSnapshot &current)
{
    Step *last = step(m_stack.index() - 1);
    if (m_stack.index() == m_stack.count() && !last->hasAfter())
        last->setAfter(current);
    m_stack.undo();
    return m_restored;
}

MenuSnapshot MenuUndoMemory::redo()
{
    m_stack.redo();
    return m_restored;
}

int MenuUndoMemory::position() const
{
    return m_stack.index();
}

int MenuUndoMemory::count() const
{
    const int n = m_stack.count();
    return n > 0 && step(n - 1)->hasAfter() ? n + 1 : n;
}

bool MenuUndoMemory::isModified() const
{
    return m_modifiedUnrecorded || !m_stack.isClean();
}

void MenuUndoMemory::setUnmodified()
{
    m_modifiedUnrecorded = false;
    m_stack.setClean();
}

void MenuUndoMemory::setModified()
{
    m_modifiedUnrecorded = true;
}

}  // namespace dalmain

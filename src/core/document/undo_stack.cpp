#include "document/undo_stack.h"

namespace hxv5 {

UndoStack::UndoStack(QObject *parent) : QObject(parent) {}

UndoStack::~UndoStack() = default;

QString UndoStack::text(int index) const
{
    return index >= 0 && index < count() ? m_steps[static_cast<size_t>(index)]->text() : QString();
}

QString UndoStack::undoText() const
{
    return text(m_index - 1);
}

QString UndoStack::redoText() const
{
    return canRedo() ? text(m_index) : QString();
}

void UndoStack::setUndoLimit(int limit)
{
    m_limit = qMax(1, limit);
}

void UndoStack::setByteLimit(qsizetype bytes)
{
    m_byteLimit = qMax<qsizetype>(0, bytes);
}

bool UndoStack::overLimit() const
{
    if (count() > m_limit)
        return true;
    if (count() <= 1)
        return false;
    qsizetype bytes = 0;
    for (const std::unique_ptr<UndoCommand> &step : m_steps)
        bytes += step->byteSize();
    return bytes > m_byteLimit;
}

void UndoStack::dropOldest()
{
    m_steps.erase(m_steps.begin());
    --m_index;
    // The saved state fell off the front: nothing reaches it any more.
    m_cleanIndex = m_cleanIndex > 0 ? m_cleanIndex - 1 : -1;
}

void UndoStack::changed(bool wasClean)
{
    Q_EMIT indexChanged(m_index);
    if (wasClean != isClean())
        Q_EMIT cleanChanged(isClean());
}

void UndoStack::push(std::unique_ptr<UndoCommand> step)
{
    if (!step)
        return;
    const bool wasClean = isClean();
    m_steps.erase(m_steps.begin() + m_index, m_steps.end());
    if (m_cleanIndex > m_index)
        m_cleanIndex = -1;

    UndoCommand *last = m_index > 0 ? m_steps.back().get() : nullptr;
    if (last && step->id() >= 0 && last->id() == step->id() && m_cleanIndex != m_index &&
        last->mergeWith(*step)) {
        if (last->isObsolete()) {
            m_steps.pop_back();
            --m_index;
        }
        changed(wasClean);
        return;
    }

    m_steps.push_back(std::move(step));
    ++m_index;
    while (overLimit())
        dropOldest();
    changed(wasClean);
}

void UndoStack::undo()
{
    if (!canUndo())
        return;
    const bool wasClean = isClean();
    --m_index;
    m_steps[static_cast<size_t>(m_index)]->undo();
    changed(wasClean);
}

void UndoStack::redo()
{
    if (!canRedo())
        return;
    const bool wasClean = isClean();
    m_steps[static_cast<size_t>(m_index)]->redo();
    ++m_index;
    changed(wasClean);
}

void UndoStack::setClean()
{
    const bool wasClean = isClean();
    m_cleanIndex = m_index;
    if (!wasClean)
        Q_EMIT cleanChanged(true);
}

void UndoStack::resetClean()
{
    const bool wasClean = isClean();
    m_cleanIndex = -1;
    if (wasClean)
        Q_EMIT cleanChanged(false);
}

void UndoStack::clear(bool clean)
{
    const bool wasClean = isClean();
    m_steps.clear();
    m_index = 0;
    m_cleanIndex = clean ? 0 : -1;
    changed(wasClean);
}

} // namespace hxv5

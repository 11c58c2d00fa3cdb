#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

namespace hxv5 {

// One step of the user's changes, able to take itself back and to make itself again.
class UndoCommand
{
public:
    explicit UndoCommand(QString text) : m_text(std::move(text)) {}
    virtual ~UndoCommand() = default;

    virtual void undo() = 0;
    virtual void redo() = 0;
    // Two steps with the same id may be joined into one (a slider drag); -1 joins with nothing.
    virtual int id() const { return -1; }
    // Takes the later step into this one; false when they cannot be joined.
    virtual bool mergeWith(const UndoCommand &later)
    {
        (void)later;
        return false;
    }
    // A step that, after a merge, changes nothing any more; the stack drops it.
    virtual bool isObsolete() const { return false; }
    // About how many bytes of memory the step holds, for the history's bound in bytes.
    virtual qsizetype byteSize() const { return 0; }

    const QString &text() const { return m_text; }

private:
    QString m_text;
};

// The history of the user's changes, shaped like the toolkit's undo stack (which lives in its
// GUI module, out of the core's reach): an index between the steps, a clean index where the
// document was last saved, and the texts the Edit menu shows. No macros: a change that touches
// much is one step.
//
// Unlike the toolkit's stack, push() does not run the step: the change has been made already
// when it is recorded.
class UndoStack : public QObject
{
    Q_OBJECT
public:
    explicit UndoStack(QObject *parent = nullptr);
    ~UndoStack() override;

    int count() const { return static_cast<int>(m_steps.size()); }
    int index() const { return m_index; }
    // -1 when the saved state can no longer be reached by undo or redo.
    int cleanIndex() const { return m_cleanIndex; }
    bool isClean() const { return m_index == m_cleanIndex; }
    bool canUndo() const { return m_index > 0; }
    bool canRedo() const { return m_index < count(); }
    QString undoText() const;
    QString redoText() const;
    QString text(int index) const;

    // The oldest steps beyond this many are forgotten.
    void setUndoLimit(int limit);
    int undoLimit() const { return m_limit; }
    // So are the oldest steps while all steps together hold more than this many bytes (their
    // byteSize); the newest step stays whatever its size.
    static constexpr qsizetype kDefaultByteLimit = 64 * 1024 * 1024;
    void setByteLimit(qsizetype bytes);
    qsizetype byteLimit() const { return m_byteLimit; }

    // Records a step that has been made; the steps that could have been redone are gone. A step
    // with the same id as the one before joins it, unless the one before is where the document
    // was saved.
    void push(std::unique_ptr<UndoCommand> step);
    void undo();
    void redo();
    // The state now is the saved one.
    void setClean();
    // The saved state is no longer in the history (the document changed outside it).
    void resetClean();
    // No steps; the state now counts as saved when clean is true.
    void clear(bool clean = true);

Q_SIGNALS:
    // After every push, undo, redo and clear, and after a change of the clean index.
    void indexChanged(int index);
    void cleanChanged(bool clean);

private:
    void changed(bool wasClean);
    bool overLimit() const;
    void dropOldest();

    std::vector<std::unique_ptr<UndoCommand>> m_steps;
    int m_index = 0;
    int m_cleanIndex = 0;
    int m_limit = 100;
    qsizetype m_byteLimit = kDefaultByteLimit;
};

} // namespace hxv5

#include "document/undo_stack.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace hxv5;

namespace {

// A step on one number: the value before and after it.
class SetValue : public UndoCommand
{
public:
    SetValue(int &target, int before, int after, int id = -1, qsizetype bytes = 0)
        : UndoCommand(QStringLiteral("Set %1").arg(after)), m_target(target), m_before(before),
          m_after(after), m_id(id), m_bytes(bytes)
    {
    }
    void undo() override { m_target = m_before; }
    void redo() override { m_target = m_after; }
    int id() const override { return m_id; }
    bool mergeWith(const UndoCommand &later) override
    {
        m_after = static_cast<const SetValue &>(later).m_after;
        return true;
    }
    bool isObsolete() const override { return m_before == m_after; }
    qsizetype byteSize() const override { return m_bytes; }

private:
    int &m_target;
    int m_before;
    int m_after;
    int m_id;
    qsizetype m_bytes;
};

// Sets the value and records the step, as the document does.
void change(UndoStack &stack, int &value, int to, int id = -1, qsizetype bytes = 0)
{
    const int before = value;
    value = to;
    stack.push(std::make_unique<SetValue>(value, before, to, id, bytes));
}

} // namespace

class TestUndoStack : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void walksBackAndForth();
    void newStepDropsTheRedoSide();
    void cleanIndex_data();
    void cleanIndex();
    void merging_data();
    void merging();
    void limitForgetsTheOldest_data();
    void limitForgetsTheOldest();
};

void TestUndoStack::walksBackAndForth()
{
    UndoStack stack;
    int value = 0;
    change(stack, value, 1);
    change(stack, value, 2);
    change(stack, value, 3);
    QCOMPARE(stack.count(), 3);
    QCOMPARE(stack.undoText(), QStringLiteral("Set 3"));
    QVERIFY(!stack.canRedo());

    stack.undo();
    stack.undo();
    QCOMPARE(value, 1);
    QCOMPARE(stack.index(), 1);
    QCOMPARE(stack.undoText(), QStringLiteral("Set 1"));
    QCOMPARE(stack.redoText(), QStringLiteral("Set 2"));
    stack.undo();
    stack.undo(); // nothing left: no harm
    QCOMPARE(value, 0);
    QVERIFY(!stack.canUndo());
    QVERIFY(stack.undoText().isEmpty());

    stack.redo();
    stack.redo();
    stack.redo();
    stack.redo();
    QCOMPARE(value, 3);
    QCOMPARE(stack.index(), 3);
}

void TestUndoStack::newStepDropsTheRedoSide()
{
    UndoStack stack;
    int value = 0;
    change(stack, value, 1);
    change(stack, value, 2);
    stack.undo();
    change(stack, value, 5);
    QCOMPARE(stack.count(), 2);
    QVERIFY(!stack.canRedo());
    stack.undo();
    QCOMPARE(value, 1);
}

void TestUndoStack::cleanIndex_data()
{
    QTest::addColumn<QString>("script"); // c change, u undo, r redo, s saved, x saved lost
    QTest::addColumn<int>("cleanIndex");
    QTest::addColumn<bool>("clean");

    QTest::newRow("fresh") << "" << 0 << true;
    QTest::newRow("changed") << "c" << 0 << false;
    QTest::newRow("changed and undone") << "cu" << 0 << true;
    QTest::newRow("saved after two") << "ccs" << 2 << true;
    QTest::newRow("saved, undone") << "ccsu" << 2 << false;
    QTest::newRow("saved, undone, redone") << "ccsur" << 2 << true;
    // Once a new step replaces the one after the saved state, nothing leads back to it.
    QTest::newRow("saved, undone, changed") << "ccsuc" << -1 << false;
    QTest::newRow("saved, undone, changed, undone") << "ccsucu" << -1 << false;
    QTest::newRow("saved state lost") << "csx" << -1 << false;
    QTest::newRow("saved state lost, undone") << "csxu" << -1 << false;
}

void TestUndoStack::cleanIndex()
{
    QFETCH(QString, script);
    QFETCH(int, cleanIndex);
    QFETCH(bool, clean);

    UndoStack stack;
    QSignalSpy cleanSpy(&stack, &UndoStack::cleanChanged);
    int value = 0;
    bool shownClean = true;
    connect(&stack, &UndoStack::cleanChanged, this, [&](bool c) { shownClean = c; });
    for (QChar step : script) {
        switch (step.toLatin1()) {
        case 'c':
            change(stack, value, value + 1);
            break;
        case 'u':
            stack.undo();
            break;
        case 'r':
            stack.redo();
            break;
        case 's':
            stack.setClean();
            break;
        case 'x':
            stack.resetClean();
            break;
        }
    }
    QCOMPARE(stack.cleanIndex(), cleanIndex);
    QCOMPARE(stack.isClean(), clean);
    // The signal told every change of it: what it said last is the truth.
    QCOMPARE(shownClean, clean);
}

void TestUndoStack::merging_data()
{
    QTest::addColumn<int>("firstId");
    QTest::addColumn<int>("secondId");
    QTest::addColumn<int>("secondValue");
    QTest::addColumn<bool>("savedBetween");
    QTest::addColumn<int>("count");

    QTest::newRow("same id: one step") << 7 << 7 << 2 << false << 1;
    QTest::newRow("other ids: two steps") << 7 << 8 << 2 << false << 2;
    QTest::newRow("no id: two steps") << -1 << -1 << 2 << false << 2;
    // A drag that ends where it began leaves nothing to undo.
    QTest::newRow("same id, back to the start") << 7 << 7 << 0 << false << 0;
    // The saved state must stay reachable.
    QTest::newRow("same id across a save") << 7 << 7 << 2 << true << 2;
}

void TestUndoStack::merging()
{
    QFETCH(int, firstId);
    QFETCH(int, secondId);
    QFETCH(int, secondValue);
    QFETCH(bool, savedBetween);
    QFETCH(int, count);

    UndoStack stack;
    int value = 0;
    change(stack, value, 1, firstId);
    if (savedBetween)
        stack.setClean();
    change(stack, value, secondValue, secondId);
    QCOMPARE(stack.count(), count);
    QCOMPARE(stack.index(), count);
    while (stack.canUndo())
        stack.undo();
    QCOMPARE(value, 0);
}

void TestUndoStack::limitForgetsTheOldest_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<qsizetype>("bytes"); // of each step
    QTest::addColumn<int>("count");       // of the five steps, kept

    constexpr qsizetype mb = 1024 * 1024;
    QTest::newRow("three steps") << 3 << qsizetype(0) << 3;
    QTest::newRow("within both limits") << 100 << 12 * mb << 5;
    QTest::newRow("64 MB: two steps of 30 MB") << 100 << 30 * mb << 2;
    QTest::newRow("the newest step stays, however large") << 100 << 100 * mb << 1;
}

void TestUndoStack::limitForgetsTheOldest()
{
    QFETCH(int, limit);
    QFETCH(qsizetype, bytes);
    QFETCH(int, count);
    UndoStack stack;
    stack.setUndoLimit(limit);
    int value = 0;
    change(stack, value, 1, -1, bytes);
    stack.setClean();
    for (int to = 2; to <= 5; ++to)
        change(stack, value, to, -1, bytes);
    QCOMPARE(stack.count(), count);
    // Unless every step was kept, the saved state (value 1) fell off the front.
    QCOMPARE(stack.cleanIndex(), count == 5 ? 1 : -1);
    while (stack.canUndo())
        stack.undo();
    QCOMPARE(value, 5 - count);
    QVERIFY(!stack.isClean());
}

QTEST_GUILESS_MAIN(TestUndoStack)
#include "tst_undo_stack.moc"

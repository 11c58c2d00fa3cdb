#include "document/document.h"
#include "document_fixtures.h"
#include "editing/edit_session.h"
#include "editing/list_operations.h"
#include "files/clone_file.h"
#include "files/file_commands.h"
#include "files/row_clipboard.h"
#include "scripted_interaction.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace hxv5;
using namespace hxv5::testing;

namespace {

struct Env
{
    Document &doc;
    QTemporaryDir &dir;
};

bool yes(const QString &, const QString &)
{
    return true;
}

bool editSlot(Document &doc, int slot, const QString &frequency)
{
    EditSession session;
    if (!session.openSlot(doc, slot))
        return false;
    session.frequencyText = frequency;
    session.noteText = QStringLiteral("edited");
    session.enableChecked = !doc.channels().isEnabled(slot);
    return session.accept(doc);
}

bool listOperation(Document &doc, const std::function<bool(ChannelListOperations &)> &run)
{
    ChannelListOperations ops(doc, yes);
    return run(ops);
}

bool setting(Document &doc, const char *name, const std::function<void(SettingsModel &)> &change)
{
    return doc.recordStep(QLatin1String("Change ") + QLatin1String(name), [&] {
        change(doc.settings());
        return true;
    });
}

struct Operation
{
    const char *name;
    const char *stepText;
    std::function<bool(Env &)> run;
    // An import leaves no file behind the document: the saved state is out of reach.
    bool changedAfterUndo = false;
};

const QList<Operation> &operations()
{
    using Ops = ChannelListOperations;
    static const QList<Operation> all = {
        {"edit dialog, channel", "Edit Channel 12",
         [](Env &e) { return editSlot(e.doc, 12, QStringLiteral("146.52000")); }},
        {"edit dialog, special row", "Edit P2B",
         [](Env &e) { return editSlot(e.doc, 205, QStringLiteral("145.00000")); }},
        {"edit dialog, VFO", "Edit VFO VHF",
         [](Env &e) {
             EditSession session;
             if (!session.openVfo(e.doc, 4))
                 return false;
             session.noteText = QStringLiteral("vfo note");
             session.mode = session.mode == 0 ? 1 : 0;
             return session.accept(e.doc);
         }},
        {"Clear", "Clear",
         [](Env &e) { return listOperation(e.doc, [](Ops &o) { return o.Clear(3); }); }},
        {"Clear, several rows", "Clear",
         [](Env &e) {
             return listOperation(e.doc, [](Ops &o) { return o.ClearRows({1, 2, 206}); });
         }},
        {"Clear All", "Clear All",
         [](Env &e) { return listOperation(e.doc, [](Ops &o) { return o.ClearAll(); }); }},
        {"Delete", "Delete",
         [](Env &e) { return listOperation(e.doc, [](Ops &o) { return o.Delete(0); }); }},
        {"Delete, several rows", "Delete",
         [](Env &e) {
             return listOperation(e.doc, [](Ops &o) { return o.DeleteRows({7, 3, 199}); });
         }},
        {"Insert", "Insert",
         [](Env &e) { return listOperation(e.doc, [](Ops &o) { return o.Insert(5); }); }},
        {"Disable", "Disable",
         [](Env &e) {
             return listOperation(e.doc, [](Ops &o) { return o.DisableRows({0, 1, 2}); });
         }},
        {"Disable All", "Disable All",
         [](Env &e) { return listOperation(e.doc, [](Ops &o) { return o.DisableAll(); }); }},
        {"Enable", "Enable",
         [](Env &e) {
             return listOperation(e.doc, [](Ops &o) { return o.EnableRows({0, 1, 2}); });
         }},
        {"Enable All", "Enable All",
         [](Env &e) { return listOperation(e.doc, [](Ops &o) { return o.EnableAll(); }); }},
        {"Move Up", "Move Up",
         [](Env &e) { return listOperation(e.doc, [](Ops &o) {
                          return o.MoveUp({5, 6});
                      }); }},
        {"Move Down", "Move Down",
         [](Env &e) { return listOperation(e.doc, [](Ops &o) { return o.MoveDown({198}); }); }},
        {"Cut", "Cut",
         [](Env &e) {
             return listOperation(e.doc, [](Ops &o) { return o.ClearRowsWithoutAsking({9, 10}); });
         }},
        {"slider", "Change Volume",
         [](Env &e) {
             return setting(e.doc, "Volume",
                            [](SettingsModel &s) { s.setVolume(s.volume() == 30 ? 0 : 30); });
         }},
        // The variant's rules move the band off AM and lock bands: all of it comes back.
        {"model variant", "Change Model",
         [](Env &e) { return setting(e.doc, "Model", [](SettingsModel &s) { s.setModel(5); }); }},
        {"paste", "Paste",
         [](Env &e) {
             CsvImportReport report;
             return pasteRows(e.doc, QStringLiteral("145.1\tAM\n145.2\tFM\n"), 30, yes, report);
         }},
        {"CSV import", "Import",
         [](Env &e) {
             const QString path = e.dir.filePath(QStringLiteral("in.csv"));
             QFile file(path);
             if (!file.open(QIODevice::WriteOnly))
                 return false;
             file.write("\"HX-V5\",\"MEMORY\",\"4\",\"145.50000\",\"AM\",\"5KHz\",\"None\","
                        "\"88.5Hz\",\"88.5Hz\",\"None\",\".00000\",\"csv\",#TRUE#\r\n");
             file.close();
             ScriptedInteraction user;
             user.openPath = path;
             FileCommands files(e.doc, user);
             return files.Import();
         },
         true},
    };
    return all;
}

// A document with something in every slot and row, as if just saved.
void prepare(Document &doc)
{
    fillRandomly(doc, 11, {.receivable = true, .model = 0});
    doc.settings().setBand(0); // AM, which variant 5 lacks
    doc.setChanged(false);
    doc.startFreshHistory();
}

} // namespace

class TestDocumentHistory : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void undoAndRedoRestoreEverything_data();
    void undoAndRedoRestoreEverything();
    void changedFlagFollowsTheSavedState();
    void freshHistory_data();
    void freshHistory();
    void refusedWhileBusy();
    void stepsWithOneMergeIdAreOne();
    void cancelledOrEmptyChangesLeaveNoStep();
    void historyIsBoundInBytes();
};

void TestDocumentHistory::undoAndRedoRestoreEverything_data()
{
    QTest::addColumn<int>("operation");
    for (int i = 0; i < operations().size(); ++i)
        QTest::newRow(operations().at(i).name) << i;
}

void TestDocumentHistory::undoAndRedoRestoreEverything()
{
    QFETCH(int, operation);
    const Operation &op = operations().at(operation);
    QTemporaryDir dir;
    Document doc;
    prepare(doc);
    Env env{doc, dir};

    const DocumentContent before = doc.state();
    QVERIFY(op.run(env));
    const DocumentContent after = doc.state();
    QVERIFY(!(after == before));
    QVERIFY(doc.isChanged());
    QCOMPARE(doc.history().count(), 1);
    QCOMPARE(doc.history().undoText(), QLatin1String(op.stepText));

    QVERIFY(doc.undo());
    QVERIFY(doc.state() == before);
    QCOMPARE(doc.isChanged(), op.changedAfterUndo);
    QCOMPARE(doc.history().redoText(), QLatin1String(op.stepText));

    QVERIFY(doc.redo());
    QVERIFY(doc.state() == after);
    QVERIFY(doc.isChanged());
    QVERIFY(!doc.redo());
}

void TestDocumentHistory::changedFlagFollowsTheSavedState()
{
    Document doc;
    prepare(doc);
    ChannelListOperations ops(doc, yes);
    QVERIFY(ops.Clear(1));
    QVERIFY(ops.Clear(2));
    doc.setChanged(false); // what Save does
    QVERIFY(doc.undo());
    QVERIFY(doc.isChanged());
    QVERIFY(doc.undo());
    QVERIFY(doc.isChanged());
    QVERIFY(doc.redo());
    QVERIFY(doc.redo());
    QVERIFY(!doc.isChanged());
    // Save keeps the history.
    QCOMPARE(doc.history().count(), 2);
}

void TestDocumentHistory::freshHistory_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("fresh");
    QTest::addColumn<bool>("changed");

    QTest::newRow("New") << "new" << true << false;
    QTest::newRow("Open") << "open" << true << false;
    QTest::newRow("read from the radio") << "read" << true << true;
    // A write rebuilds the record and the blocks, which is no change of the user's.
    QTest::newRow("write to the radio") << "write" << false << true;
    QTest::newRow("Save") << "save" << false << false;
}

void TestDocumentHistory::freshHistory()
{
    QFETCH(QString, how);
    QFETCH(bool, fresh);
    QFETCH(bool, changed);

    QTemporaryDir dir;
    const QString clonePath = dir.filePath(QStringLiteral("a.TV5"));
    {
        Document other;
        fillRandomly(other, 5);
        QCOMPARE(writeCloneFile(clonePath, other), FileError::None);
    }
    Document doc;
    prepare(doc);
    ChannelListOperations ops(doc, yes);
    QVERIFY(ops.Clear(1));
    ScriptedInteraction user;
    user.saveAnswer = UserInteraction::Answer::No;
    user.openPath = clonePath;
    user.savePath = dir.filePath(QStringLiteral("b.TV5"));
    FileCommands files(doc, user);

    if (how == QLatin1String("new")) {
        QVERIFY(files.New());
    } else if (how == QLatin1String("open")) {
        QVERIFY(files.Open());
    } else if (how == QLatin1String("save")) {
        QVERIFY(files.Save());
    } else {
        doc.setBusy(true);
        if (how == QLatin1String("read")) {
            doc.channels().setSlot(100, TableRow(), true);
            doc.setChanged(true);
        } else {
            doc.EncodeSettingsRecord();
            doc.FlagsToBitmap();
        }
        doc.setBusy(false);
    }
    QCOMPARE(doc.history().count(), fresh ? 0 : 1);
    QCOMPARE(doc.isChanged(), changed);
    // After a read the data is in no file: no undo leads to a saved state.
    QVERIFY(setting(doc, "Volume", [](SettingsModel &s) { s.setVolume(s.volume() ^ 1); }));
    QVERIFY(doc.undo());
    QCOMPARE(doc.isChanged(), changed);
}

void TestDocumentHistory::refusedWhileBusy()
{
    Document doc;
    prepare(doc);
    ChannelListOperations ops(doc, yes);
    QVERIFY(ops.Clear(1));
    QVERIFY(doc.undo());
    doc.setBusy(true);
    const DocumentContent before = doc.state();
    QVERIFY(!doc.redo());
    QVERIFY(!doc.undo());
    bool ran = false;
    QVERIFY(!doc.recordStep(QStringLiteral("x"), [&] { return ran = true; }));
    QVERIFY(!ran);
    QVERIFY(doc.state() == before);
    QCOMPARE(doc.history().index(), 0);
    doc.setBusy(false);
    QVERIFY(doc.redo());
}

void TestDocumentHistory::stepsWithOneMergeIdAreOne()
{
    Document doc;
    prepare(doc);
    const int start = doc.settings().volume();
    for (int v : {3, 9, 21})
        doc.recordStep(
            QStringLiteral("Change Volume"),
            [&] {
                doc.settings().setVolume(v);
                return true;
            },
            1);
    doc.recordStep(QStringLiteral("Change Volume"), [&] {
        doc.settings().setVolume(22);
        return true;
    });
    QCOMPARE(doc.history().count(), 2);
    QVERIFY(doc.undo());
    QCOMPARE(doc.settings().volume(), 21);
    QVERIFY(doc.undo());
    QCOMPARE(doc.settings().volume(), start);
    QVERIFY(!doc.isChanged());
}

void TestDocumentHistory::cancelledOrEmptyChangesLeaveNoStep()
{
    Document doc;
    prepare(doc);
    ChannelListOperations cancelled(doc, [](const QString &, const QString &) { return false; });
    QVERIFY(!cancelled.ClearAll());
    ChannelListOperations ops(doc, yes);
    // Insert on a special row only sets the changed flag.
    QVERIFY(ops.Insert(205));
    QCOMPARE(doc.history().count(), 0);
    QVERIFY(doc.isChanged());
    // Nothing moves past channel 0, and the special rows never move.
    QVERIFY(!ops.MoveUp({0, 1}));
    QVERIFY(!ops.MoveDown({199}));
    QVERIFY(!ops.MoveDown({5, 205}));
    QCOMPARE(doc.history().count(), 0);
}

// Pastes of 5 MB notes: each step holds the note before and after it, about 10 MB, so the 64 MB
// the history keeps hold the last six.
void TestDocumentHistory::historyIsBoundInBytes()
{
    Document doc;
    for (int i = 0; i < 10; ++i) {
        CsvImportReport report;
        const QString note(2'500'000, QChar(u'a' + i));
        QVERIFY(pasteRows(doc, QStringLiteral("Frequency\tNotes\n145.5\t") + note, 0, yes, report));
    }
    QCOMPARE(doc.history().count(), 6);
    while (doc.undo()) {
    }
    QCOMPARE(doc.channels().text(0, kColNotes).front(), QChar(u'd'));
}

QTEST_GUILESS_MAIN(TestDocumentHistory)
#include "tst_document_history.moc"

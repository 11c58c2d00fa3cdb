#include "app/main_window.h"
#include "app/splash_window.h"
#include "app/translations.h"
#include "document/document.h"
#include "editing/channel_grid.h"
#include "editing/grid_cell_editor.h"
#include "fake_radio.h"
#include "files/clone_file.h"
#include "image/channel_codec.h"
#include "link/transfers.h"
#include "test_home.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QTextEdit>

#include <functional>
#include <memory>

using namespace hxv5;
using namespace hxv5::testing;

namespace {

// What may stay as it is in Japanese: port names, units, model names and the maker, the radio's
// own abbreviations and slot names, file types and paths, the language menu's "English", "OK",
// and the paper sizes as Qt's Japanese catalogue keeps them.
const QRegularExpression kAllowed(QStringLiteral(
    "^(JIS |ANSI |ARCH |PRC |Super )?[A-E]?\\d*K?( Extra| Plus| Small)?$|\\d+x\\d+|\\d+in\\b|"
    "COM *\\d+|\\b(MHz|KHz|kHz|Hz)\\b|\\d(MHz|KHz|Hz)\\b|HX-V5( [A-Z])?|V5 [AB] (PRO|K)|Tormel|"
    "\\b(FM|AM|WFM|SW|VHF|[LH]-UHF|VFO|TSQ|OK|CSV|CHIRP|TV5|English)\\b|P ?\\d[AB]|PS-\\d[AB]|"
    "AP [LH]|A-[LH]|\\bPri\\b|\\d+Ch|\\*\\.\\w+|(^|\\s)/\\S*"));

bool isJapanese(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x3040 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) ||
           (u >= 0xFF66 && u <= 0xFF9F);
}

// A line a user would read as English: letters left once the allowed words are taken out and no
// Japanese in it, or English words side by side (an untranslated part of a composed message).
bool readsAsEnglish(QString text)
{
    text.remove(kAllowed);
    return (std::none_of(text.cbegin(), text.cend(), isJapanese) &&
            text.contains(QRegularExpression(QStringLiteral("[A-Za-z]")))) ||
           text.contains(QRegularExpression(QStringLiteral("\\b[A-Za-z]{2,} +[A-Za-z]{2,}\\b")));
}

// The help is a document with commands and file names in it: it only has to be Japanese.
enum class Reading { ByLine, Document };

// The texts a user sees in a window: captions, labels, buttons, frames, list entries, tabs,
// headings, table cells, tool tips and menu items, shown or not yet shown.
struct Walk
{
    int seen = 0;
    QStringList english;

    void add(const QObject *where, QString text, Reading reading = Reading::ByLine)
    {
        if (text.trimmed().isEmpty())
            return;
        ++seen;
        text.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&(?=.)")));
        if (Qt::mightBeRichText(text))
            text = QTextDocumentFragment::fromHtml(text).toPlainText();
        const QStringList lines = text.split(QLatin1Char('\n'));
        const bool english =
            reading == Reading::Document
                ? std::none_of(text.cbegin(), text.cend(), isJapanese)
                : std::any_of(lines.cbegin(), lines.cend(), [](const QString &line) {
                      // Indented lines are commands to type, as the port's advice gives them.
                      return !line.startsWith(QLatin1String("    ")) && readsAsEnglish(line);
                  });
        if (english)
            this->english << where->objectName() + QLatin1String(" [") +
                                 where->metaObject()->className() + QLatin1String("]: ") + text;
    }

    void walkTable(QTableView *table)
    {
        const QAbstractItemModel *model = table->model();
        for (int c = 0; model && c < model->columnCount(); ++c) {
            add(table, model->headerData(c, Qt::Horizontal).toString());
            for (int r = 0; r < model->rowCount(); ++r)
                add(table, model->index(r, c).data().toString());
        }
        for (int r = 0; model && r < model->rowCount(); ++r)
            add(table, model->headerData(r, Qt::Vertical).toString());
    }

    void walk(QWidget *window)
    {
        QList<QWidget *> widgets = window->findChildren<QWidget *>();
        widgets.prepend(window);
        for (QWidget *w : std::as_const(widgets)) {
            add(w, w->toolTip());
            if (w->isWindow() || qobject_cast<QDockWidget *>(w))
                add(w, w->windowTitle());
            if (auto *label = qobject_cast<QLabel *>(w))
                add(w, label->text());
            else if (auto *button = qobject_cast<QAbstractButton *>(w))
                add(w, button->text());
            else if (auto *frame = qobject_cast<QGroupBox *>(w))
                add(w, frame->title());
            else if (auto *edit = qobject_cast<QLineEdit *>(w))
                add(w, edit->placeholderText());
            else if (auto *help = qobject_cast<QTextBrowser *>(w))
                add(w, help->toPlainText(), Reading::Document);
            else if (auto *text = qobject_cast<QTextEdit *>(w))
                add(w, text->toPlainText());
            else if (auto *table = qobject_cast<QTableView *>(w))
                walkTable(table);
            if (auto *list = qobject_cast<QComboBox *>(w)) {
                add(w, list->placeholderText());
                for (int i = 0; i < list->count(); ++i)
                    add(w, list->itemText(i));
            }
            if (auto *tabs = qobject_cast<QTabBar *>(w)) {
                for (int i = 0; i < tabs->count(); ++i) {
                    add(w, tabs->tabText(i));
                    add(w, tabs->tabToolTip(i));
                }
            }
            if (auto *bar = qobject_cast<QStatusBar *>(w))
                add(w, bar->currentMessage());
            for (const QAction *action : w->actions()) {
                add(action, action->text());
                add(action, action->toolTip());
            }
        }
    }
};

// Walks each modal window as it comes up in the scene, and then closes it as the scene says.
class ModalWalker : public QObject
{
public:
    using Respond = std::function<void(QWidget &)>;
    ModalWalker(Walk &walk, Respond respond) : m_walk(walk), m_respond(std::move(respond))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *w = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Show && w && w->isWindow() && w->isModal()) {
            // Once its own event loop runs.
            QMetaObject::invokeMethod(
                this,
                [this, window = QPointer<QWidget>(w)] {
                    if (!window)
                        return;
                    m_walk.walk(window);
                    m_respond(*window);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    Walk &m_walk;
    Respond m_respond;
};

void reject(QWidget &window)
{
    if (auto *dialog = qobject_cast<QDialog *>(&window))
        dialog->reject();
}

// Clicks the named button of the dialog that has it, closes the others.
ModalWalker::Respond click(const char *button)
{
    return [button](QWidget &window) {
        if (auto *b = window.findChild<QAbstractButton *>(QLatin1String(button)))
            b->click();
        reject(window);
    };
}

// Chooses the file in a file chooser (and the CHIRP layout when asked), closes the others.
ModalWalker::Respond choose(const QString &path, bool chirp = false)
{
    return [path, chirp](QWidget &window) {
        if (auto *chooser = qobject_cast<QFileDialog *>(&window)) {
            if (chirp)
                chooser->selectNameFilter(chooser->nameFilters().value(1));
            chooser->selectFile(path);
            static_cast<QDialog *>(chooser)->accept();
            return;
        }
        reject(window);
    };
}

struct Scene
{
    const char *name;
    std::function<void(MainWindow &, FakeRadio &, Walk &)> run;
    ModalWalker::Respond respond = reject;
    // The file a file chooser of the scene takes, from the test's folder.
    const char *chosenFile = nullptr;
    bool chirp = false;
};

TableRow channel(double mhz, int shift)
{
    return channelRow({mhz, 0, 8, 0, 8, 8, shift, 0.6}, QStringLiteral("湘南"));
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The files the scenes choose: a clone file to compare with, one that is none, and CSV rows of
// which one is taken as it was read and one is skipped.
bool writeFiles(const QString &folder)
{
    Document doc;
    doc.channels().setSlot(0, channel(145.5, 0), true);
    return writeCloneFile(folder + QStringLiteral("/other.TV5"), doc) == FileError::None &&
           writeFile(folder + QStringLiteral("/bad.TV5"), "no clone file\r\n") &&
           writeFile(folder + QStringLiteral("/rows.csv"),
                     "MODEL,BANK,CHANNEL,FREQUENCY,MODE,STEP,TONE,TXTONE,RXTONE,SHIFT,SHIFT "
                     "FREQUENCY,NOTES,ENABLE\r\n"
                     "HX-V5,MEMORY,7,145.5abc,FM,20KHz,None,88.5Hz,88.5Hz,None,.6,あ,#TRUE#\r\n"
                     "HX-V5,MEMORY,8,145.5,XM,20KHz,None,88.5Hz,88.5Hz,None,.6,い,#TRUE#\r\n");
}

void waitForTransfer(MainWindow &window)
{
    QTRY_VERIFY(!window.transfers().isRunning());
}

const Scene kScenes[] = {
    {"main window: tabs, menus, toolbar, status bar, test panel", [](auto &, auto &, auto &) {}},
    {"splash window",
     [](auto &, auto &, Walk &walk) {
         SplashWindow splash;
         walk.walk(&splash);
     }},
    {"edit dialog, memory channel",
     [](MainWindow &w, auto &, auto &) {
         w.selectTab(3);
         w.mnuEditUndo_Click();
     }},
    {"edit dialog, VFO row", [](MainWindow &w, auto &, auto &) { w.mnuEditUndo_Click(); }},
    {"port dialog", [](MainWindow &w, auto &, auto &) { w.mnuToolsOptions_Click(); }},
    {"about box", [](MainWindow &w, auto &, auto &) { w.mnuHelpAbout_Click(); }},
    {"help window", [](MainWindow &w, auto &, auto &) { w.mnuHelpContents_Click(); }},
    {"print selection and print dialog",
     [](MainWindow &w, auto &, auto &) { w.mnuFilePrint_Click(); }, click("OKButton")},
    {"print preview", [](MainWindow &w, auto &, auto &) { w.mnuFilePrint_Click(); },
     click("cmbPreview")},
    {"printer and page set-up", [](MainWindow &w, auto &, auto &) { w.mnuFilePageSetup_Click(); },
     click("cmbPageSetup")},
    {"compare chooser and dialog", [](MainWindow &w, auto &, auto &) { w.mnuFileCompare_Click(); },
     reject, "other.TV5"},
    {"open chooser and data error", [](MainWindow &w, auto &, auto &) { w.mnuFileOpen_Click(); },
     reject, "bad.TV5"},
    {"save changes prompt",
     [](MainWindow &w, auto &, auto &) {
         w.document().setChanged(true);
         w.mnuFileNew_Click();
     }},
    {"CSV import report", [](MainWindow &w, auto &, auto &) { w.mnuImport_Click(); }, reject,
     "rows.csv"},
    {"CHIRP export report", [](MainWindow &w, auto &, auto &) { w.mnuExport_Click(); }, reject,
     "out.csv", true},
    {"clear confirmation and paste report",
     [](MainWindow &w, auto &, auto &) {
         w.selectTab(3);
         w.findChild<QAbstractButton *>(QStringLiteral("cmbClAll"))->click();
         QGuiApplication::clipboard()->setText(QStringLiteral("145.5\tXM\n"));
         w.mnuEditPaste_Click();
     }},
    {"grid cell editor and its refusal",
     [](MainWindow &w, auto &, Walk &walk) {
         w.selectTab(3);
         auto *grid = w.findChild<ChannelGrid *>();
         GridCellEditor *editor = grid->cellEditor();
         grid->edit(grid->model()->index(1, kColShift));
         auto *shifts = grid->findChild<QComboBox *>(QStringLiteral("cellList"));
         QVERIFY(shifts);
         walk.walk(shifts);
         Q_EMIT editor->closeEditor(shifts, QAbstractItemDelegate::RevertModelCache);
         grid->edit(grid->model()->index(1, kColFrequency));
         auto *field = grid->findChild<QLineEdit *>(QStringLiteral("txtFreq"));
         QVERIFY(field);
         field->setText(QStringLiteral("0"));
         Q_EMIT editor->commitData(field); // refused in the status bar
     }},
    {"edit selected channels and its report",
     [](MainWindow &w, auto &, auto &) {
         w.selectTab(3);
         w.findChild<ChannelGrid *>()->selectSlots({0, 1}, 1);
         w.mnuEditSelected_Click();
     },
     [](QWidget &window) {
         // An offset the radio cannot hold is refused on the channel and reported.
         if (auto *offset = window.findChild<QCheckBox *>(QStringLiteral("chkOffset"))) {
             offset->setChecked(true);
             window.findChild<QLineEdit *>(QStringLiteral("txtShift"))->setText("150");
             static_cast<QDialog &>(window).accept();
             return;
         }
         reject(window);
     }},
    {"sort channels",
     [](MainWindow &w, auto &, auto &) {
         w.selectTab(3);
         w.mnuEditSort_Click();
         w.mnuEditSort_Click(); // in that order already, says the status bar
     },
     [](QWidget &window) { static_cast<QDialog &>(window).accept(); }},
    {"port error",
     [](MainWindow &w, FakeRadio &radio, auto &) {
         radio.openFails = true;
         w.cmbRxData_Click();
         waitForTransfer(w);
     }},
    {"write that would clear channels, and a stopped write",
     [](MainWindow &w, FakeRadio &radio, auto &) {
         radio.blocks[0] = encodeRecord(channel(145.5, 0));
         w.cmbTxData_Click(); // asks, and is told No
         waitForTransfer(w);
         w.session().setWriteChangesOnly(false);
         radio.faults.insert(3, {FakeRadio::Fault::BadFrame, -1, true});
         w.cmbTxData_Click();
         waitForTransfer(w);
     }},
};

} // namespace

// In Japanese, no window, dialog, menu or message box of the program shows a text that is still
// English, apart from the allowed names, units and abbreviations.
class TestJapaneseTexts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void nothingLeftInEnglish_data();
    void nothingLeftInEnglish();

private:
    TestHome m_home;
};

void TestJapaneseTexts::initTestCase()
{
    QVERIFY(m_home.enter());
    QVERIFY2(installTranslations(Language::Japanese),
             "the program's catalogue or Qt's qtbase_ja.qm (qt6-translations-l10n) is missing");
}

void TestJapaneseTexts::nothingLeftInEnglish_data()
{
    QTest::addColumn<int>("scene");
    for (int i = 0; i < int(std::size(kScenes)); ++i)
        QTest::newRow(kScenes[i].name) << i;
}

void TestJapaneseTexts::nothingLeftInEnglish()
{
    QFETCH(int, scene);
    const Scene &s = kScenes[scene];
    QTemporaryDir folder;
    QVERIFY(writeFiles(folder.path()));

    FakeRadio radio;
    MainWindowOptions options;
    options.language = Language::Japanese;
    options.startupPause = std::chrono::milliseconds::zero();
    options.port = &radio;
    MainWindow window(options);
    window.Form_Load();
    // A channel with the radio's "Split" shift, which CHIRP's layout has no column for.
    window.document().channels().setSlot(1, channel(145.6, 3), true);

    Walk walk;
    {
        const ModalWalker walker(
            walk, s.chosenFile ? choose(folder.filePath(QLatin1String(s.chosenFile)), s.chirp)
                               : s.respond);
        s.run(window, radio, walk);
    }
    walk.walk(&window);
    QVERIFY(walk.seen > 0);
    walk.english.removeDuplicates(); // a dialog is walked when it comes up, and with its owner
    for (const QString &text : std::as_const(walk.english))
        qWarning("still English: %s", qPrintable(text));
    QVERIFY2(walk.english.isEmpty(), "texts are still English, listed above");
}

QTEST_MAIN(TestJapaneseTexts)
#include "tst_japanese_texts.moc"

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

#include <QtTest>
#include <QtWidgets>

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

// Kana, kanji and the half-width kana of the string table.
const QRegularExpression
    kJapanese(QStringLiteral("[\\x{3040}-\\x{30FF}\\x{4E00}-\\x{9FFF}\\x{FF66}-\\x{FF9F}]"));

// A line a user would read as English: letters left once the allowed words are taken out and no
// Japanese in it, or English words side by side (an untranslated part of a composed message).
bool readsAsEnglish(QString text)
{
    text.remove(kAllowed);
    return (!text.contains(kJapanese) &&
            text.contains(QRegularExpression(QStringLiteral("[A-Za-z]")))) ||
           text.contains(QRegularExpression(QStringLiteral("\\b[A-Za-z]{2,} +[A-Za-z]{2,}\\b")));
}

// The texts a user sees in a window: captions, labels, buttons, frames, list entries, tabs,
// headings, table cells, tool tips, menu items and the status bar, shown or not yet shown.
struct Walk
{
    int seen = 0;
    QStringList english;

    // The help is a document with commands and file names in it: it only has to be Japanese.
    void add(const QObject *where, QString text, bool document = false)
    {
        if (text.trimmed().isEmpty())
            return;
        ++seen;
        text.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&(?=.)")));
        if (Qt::mightBeRichText(text))
            text = QTextDocumentFragment::fromHtml(text).toPlainText();
        const QStringList lines = text.split(QLatin1Char('\n'));
        // Indented lines are commands to type, as the port's advice gives them.
        if (document ? !text.contains(kJapanese)
                     : std::any_of(lines.cbegin(), lines.cend(), [](const QString &line) {
                           return !line.startsWith(QLatin1String("    ")) && readsAsEnglish(line);
                       }))
            english << where->objectName() + QLatin1String(" [") +
                           where->metaObject()->className() + QLatin1String("]: ") + text;
    }

    void walk(QWidget *window)
    {
        QList<QWidget *> widgets = window->findChildren<QWidget *>();
        widgets.prepend(window);
        for (QWidget *w : std::as_const(widgets)) {
            for (const char *property : {"toolTip", "windowTitle", "title", "placeholderText"})
                add(w, w->property(property).toString());
            // What a field or a spin box holds is the user's value.
            if (!qobject_cast<QLineEdit *>(w) && !qobject_cast<QAbstractSpinBox *>(w))
                add(w, w->property("text").toString());
            if (auto *text = qobject_cast<QTextEdit *>(w))
                add(w, text->toPlainText(), qobject_cast<QTextBrowser *>(w));
            if (auto *bar = qobject_cast<QStatusBar *>(w))
                add(w, bar->currentMessage());
            const auto *list = qobject_cast<QComboBox *>(w);
            for (int i = 0; list && i < list->count(); ++i)
                add(w, list->itemText(i));
            const auto *tabs = qobject_cast<QTabBar *>(w);
            for (int i = 0; tabs && i < tabs->count(); ++i)
                add(w, tabs->tabText(i) + QLatin1Char('\n') + tabs->tabToolTip(i));
            const auto *table = qobject_cast<QTableView *>(w);
            const QAbstractItemModel *cells = table ? table->model() : nullptr;
            for (int c = 0; cells && c < cells->columnCount(); ++c) {
                add(w, cells->headerData(c, Qt::Horizontal).toString());
                for (int r = 0; r < cells->rowCount(); ++r)
                    add(w, cells->index(r, c).data().toString() + QLatin1Char('\n') +
                               cells->headerData(r, Qt::Vertical).toString());
            }
            for (const QAction *action : w->actions())
                add(action, action->text() + QLatin1Char('\n') + action->toolTip());
        }
    }
};

// Walks each modal window once its own event loop runs, and then closes it as the scene says.
struct ModalWalker : QObject
{
    using Respond = std::function<void(QWidget &)>;
    ModalWalker(Walk &walk, Respond respond) : walk(walk), respond(std::move(respond))
    {
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *w = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Show && w && w->isWindow() && w->isModal())
            QMetaObject::invokeMethod(
                this, [this, w = QPointer<QWidget>(w)] { answer(w); }, Qt::QueuedConnection);
        return false;
    }
    void answer(QWidget *window)
    {
        if (window) {
            walk.walk(window);
            respond(*window);
        }
    }
    Walk &walk;
    Respond respond;
};

const auto reject = [](QWidget &window) { QMetaObject::invokeMethod(&window, "reject"); };
const auto accept = [](QWidget &window) { QMetaObject::invokeMethod(&window, "accept"); };

// Clicks the named button of the dialog that has it, closes the others.
ModalWalker::Respond click(const char *button)
{
    return [button](QWidget &window) {
        if (auto *b = window.findChild<QAbstractButton *>(QLatin1String(button)))
            b->click();
        reject(window);
    };
}

// The folder of the files the scenes choose.
QString folder;

// Chooses the file of the folder in a file chooser (in the CHIRP layout when asked), closes the
// others.
ModalWalker::Respond choose(const char *file, bool chirp = false)
{
    return [file, chirp](QWidget &window) {
        auto *chooser = qobject_cast<QFileDialog *>(&window);
        if (!chooser)
            return reject(window);
        if (chirp)
            chooser->selectNameFilter(chooser->nameFilters().value(1));
        chooser->selectFile(folder + QLatin1Char('/') + QLatin1String(file));
        accept(window);
    };
}

// A scene brings its tab to the front, does what run says and runs its command, and answers each
// modal window as respond says.
struct Scene
{
    const char *name;
    int tab = 1;
    void (MainWindow::*command)() = nullptr;
    ModalWalker::Respond respond = reject;
    std::function<void(MainWindow &, FakeRadio &, Walk &)> run = nullptr;
};

MainWindowOptions options(FakeRadio &radio)
{
    return {Language::Japanese, std::chrono::milliseconds::zero(), &radio, nullptr, {}};
}

TableRow channel(double mhz, int shift)
{
    return channelRow({mhz, 0, 8, 0, 8, 8, shift, 0.6}, QStringLiteral("湘南"));
}

// The files the scenes choose: a clone file to compare with, one that is none, and CSV rows of
// which one is taken as it was read and one is skipped.
bool writeFiles()
{
    const auto write = [](const char *name, const QByteArray &bytes) {
        QFile file(folder + QLatin1Char('/') + QLatin1String(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    Document doc;
    doc.channels().setSlot(0, channel(145.5, 0), true);
    return writeCloneFile(folder + QStringLiteral("/other.TV5"), doc) == FileError::None &&
           write("bad.TV5", "no clone file\r\n") &&
           write("rows.csv",
                 "MODEL,BANK,CHANNEL,FREQUENCY,MODE,STEP,TONE,TXTONE,RXTONE,SHIFT,SHIFT "
                 "FREQUENCY,NOTES,ENABLE\r\n"
                 "HX-V5,MEMORY,7,145.5abc,FM,20KHz,None,88.5Hz,88.5Hz,None,.6,あ,1\r\n"
                 "HX-V5,MEMORY,8,145.5,XM,20KHz,None,88.5Hz,88.5Hz,None,.6,い,1\r\n");
}

const Scene kScenes[] = {
    {"main window: tabs, menus, toolbar, status bar, test panel"},
    {"splash window", 1, nullptr, reject,
     [](auto &, auto &, Walk &walk) { walk.walk(std::make_unique<SplashWindow>().get()); }},
    {"edit dialog, memory channel", 3, &MainWindow::mnuEditUndo_Click},
    {"edit dialog, VFO row", 1, &MainWindow::mnuEditUndo_Click},
    {"port dialog", 1, &MainWindow::mnuToolsOptions_Click},
    {"about box", 1, &MainWindow::mnuHelpAbout_Click},
    {"help window", 1, &MainWindow::mnuHelpGuide_Click},
    {"print selection and print dialog", 1, &MainWindow::mnuFilePrint_Click, click("OKButton")},
    {"print preview", 1, &MainWindow::mnuFilePrint_Click, click("cmbPreview")},
    {"printer and page set-up", 1, &MainWindow::mnuFilePageSetup_Click, click("cmbPageSetup")},
    {"compare chooser and dialog", 1, &MainWindow::mnuFileCompare_Click, choose("other.TV5")},
    {"open chooser and data error", 1, &MainWindow::mnuFileOpen_Click, choose("bad.TV5")},
    {"CSV import report", 1, &MainWindow::mnuImport_Click, choose("rows.csv")},
    {"CHIRP export report", 1, &MainWindow::mnuExport_Click, choose("out.csv", true)},
    {"save changes prompt", 1, &MainWindow::mnuFileNew_Click, reject,
     [](MainWindow &w, auto &, auto &) { w.document().setChanged(true); }},
    {"clear confirmation and paste report", 3, &MainWindow::mnuEditPaste_Click, reject,
     [](MainWindow &w, auto &, auto &) {
         w.findChild<QAbstractButton *>(QStringLiteral("cmbClAll"))->click();
         QGuiApplication::clipboard()->setText(QStringLiteral("145.5\tXM\n"));
     }},
    // A frequency refused in the status bar, and the list of the shifts left open.
    {"grid cell editor and its refusal", 3, nullptr, reject,
     [](MainWindow &w, auto &, auto &) {
         auto *grid = w.findChild<ChannelGrid *>();
         grid->edit(grid->model()->index(1, kColFrequency));
         auto *field = grid->findChild<QLineEdit *>(QStringLiteral("txtFreq"));
         QVERIFY(field);
         field->setText(QStringLiteral("0"));
         Q_EMIT grid->cellEditor()->commitData(field);
         Q_EMIT grid->cellEditor()->closeEditor(field);
         grid->edit(grid->model()->index(1, kColShift));
         QVERIFY(grid->findChild<QComboBox *>(QStringLiteral("cellList")));
     }},
    // An offset the radio cannot hold is refused on the channel and reported.
    {"edit selected channels and its report", 3, &MainWindow::mnuEditSelected_Click,
     [](QWidget &window) {
         auto *offset = window.findChild<QCheckBox *>(QStringLiteral("chkOffset"));
         if (!offset)
             return reject(window);
         offset->setChecked(true);
         window.findChild<QLineEdit *>(QStringLiteral("txtShift"))->setText("150");
         accept(window);
     },
     [](MainWindow &w, auto &, auto &) {
         w.findChild<ChannelGrid *>()->selectSlots({0, 1}, 1);
     }},
    // Sorted, then in that order already, says the status bar.
    {"sort channels", 3, &MainWindow::mnuEditSort_Click, accept,
     [](MainWindow &w, auto &, auto &) { w.mnuEditSort_Click(); }},
    // The language is kept for the next start, which the status bar says, and ticked there.
    {"language chosen for the next start", 1, nullptr, reject,
     [](MainWindow &w, auto &radio, auto &) {
         w.findChild<QAction *>(QStringLiteral("mnuViewLanguageEnglish"))->trigger();
         QCOMPARE(chosenLanguage(), Language::English);
         QVERIFY(!w.statusBar()->currentMessage().isEmpty());
         QVERIFY(MainWindow(options(radio))
                     .findChild<QAction *>(QStringLiteral("mnuViewLanguageEnglish"))
                     ->isChecked());
     }},
    {"find bar and its count", 1, &MainWindow::mnuViewFind_Click, reject,
     [](MainWindow &w, auto &, auto &) {
         w.findChild<QLineEdit *>(QStringLiteral("txtFind"))->setText(QStringLiteral("145"));
     }},
    // A channel that does not exist, refused in the status bar.
    {"go to channel", 1, &MainWindow::mnuViewGoTo_Click,
     [](QWidget &window) {
         static_cast<QInputDialog &>(window).setTextValue(QStringLiteral("999"));
         accept(window);
     }},
    {"a read stopped by the user", 1, &MainWindow::cmbRxData_Click, reject,
     [](MainWindow &w, auto &, auto &) {
         QTimer::singleShot(0, w.findChild<QPushButton *>(QStringLiteral("cmdStop")),
                            &QPushButton::click);
     }},
    {"port error", 1, &MainWindow::cmbRxData_Click, reject,
     [](auto &, FakeRadio &radio, auto &) { radio.openFails = true; }},
    {"write that would clear channels, and a stopped write", 1, nullptr, reject,
     [](MainWindow &w, FakeRadio &radio, auto &) {
         radio.blocks[0] = encodeRecord(channel(145.5, 0));
         w.cmbTxData_Click(); // asks, and is told No
         QTRY_VERIFY(!w.transfers().isRunning());
         w.session().setWriteChangesOnly(false);
         radio.faults.insert(3, {FakeRadio::Fault::BadFrame, -1, true});
         w.cmbTxData_Click();
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
};

void TestJapaneseTexts::initTestCase()
{
    static TestHome home;
    QVERIFY(home.enter());
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
    QTemporaryDir files;
    folder = files.path();
    QVERIFY(writeFiles());

    FakeRadio radio;
    MainWindow window(options(radio));
    window.Form_Load();
    // A channel with the radio's "Split" shift, which CHIRP's layout has no column for.
    window.document().channels().setSlot(1, channel(145.6, 3), true);

    Walk walk;
    {
        const ModalWalker walker(walk, s.respond);
        window.selectTab(s.tab);
        if (s.run)
            s.run(window, radio, walk);
        if (s.command)
            (window.*s.command)();
        QTRY_VERIFY(!window.transfers().isRunning());
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

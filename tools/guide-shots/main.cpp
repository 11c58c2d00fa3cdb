// Takes the user guide's pictures from the program itself: the main window on a sample document,
// each of its tabs, its menus and its dialogs, drawn offscreen and saved as PNG files.
//
// Usage: hxv5-guide-shots --language en|ja --sample FILE.csv --out FOLDER
// Run with QT_QPA_PLATFORM=offscreen. Nothing of the user's is read or written: the program's
// per-user folders are a temporary folder's.

#include "app/compare_dialog.h"
#include "app/main_panels.h"
#include "app/main_window.h"
#include "app/translations.h"
#include "base/table_row.h"
#include "base/user_interaction.h"
#include "document/document.h"
#include "editing/channel_grid.h"
#include "files/csv_exchange.h"
#include "files/file_commands.h"
#include "files/image_compare.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>

using namespace hxv5;

namespace {

// A picture: the window on a tab, with one of its menus open, or after a command: of the dialog
// the command opens, or else of the window, with a text typed where the command put the focus.
struct Shot
{
    const char *file;
    int tab;
    void (MainWindow::*command)() = nullptr;
    const char *menu = nullptr;
    const char *typed = nullptr;
};

constexpr Shot kShots[] = {
    {"main-settings1", kTabSettings1},
    {"main-settings2", kTabSettings2},
    {"main-memory", kTabMemory},
    {"menu-file", kTabMemory, nullptr, "mnuFile"},
    {"menu-edit", kTabMemory, nullptr, "mnuEdit"},
    {"menu-tools", kTabMemory, nullptr, "mnuTools"},
    {"edit-dialog", kTabMemory, &MainWindow::mnuEditUndo_Click},
    {"vfo-edit-dialog", kTabSettings1, &MainWindow::mnuEditUndo_Click},
    {"port-dialog", kTabMemory, &MainWindow::mnuToolsOptions_Click},
    {"print-dialog", kTabMemory, &MainWindow::mnuFilePrint_Click},
    {"edit-selected-dialog", kTabMemory, &MainWindow::mnuEditSelected_Click},
    {"sort-dialog", kTabMemory, &MainWindow::mnuEditSort_Click},
    // Last: the find bar stays open.
    {"find-bar", kTabMemory, &MainWindow::mnuViewFind_Click, nullptr, "43"},
};

// The channels selected for the pictures, and the one the edit dialog's picture shows: one with
// a tone and a shift.
const QList<int> kSelectedSlots = {2, 3, 4};
constexpr int kEditedSlot = 3;

// No question is asked and nothing is chosen; a message would mean the sample is broken.
class SilentUser : public UserInteraction
{
public:
    void showError(const QString &text) override { failures.append(text); }
    Answer askSaveChanges() override { return Answer::No; }
    QString chooseOpenFile(FileKind) override { return {}; }
    QString chooseSaveFile(FileKind) override { return {}; }

    QStringList failures;
};

void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

bool save(QWidget &widget, const QDir &out, const char *file)
{
    settle();
    const QString path = out.filePath(QLatin1String(file) + QStringLiteral(".png"));
    if (widget.grab().save(path, "PNG"))
        return true;
    std::fprintf(stderr, "hxv5-guide-shots: cannot write %s\n", qPrintable(path));
    return false;
}

struct Arguments
{
    Language language = Language::English;
    QString sample;
    QDir out;
};

std::optional<Arguments> parseArguments()
{
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("language"), QStringLiteral("en or ja"),
                      QStringLiteral("language"), QStringLiteral("en")});
    parser.addOption({QStringLiteral("sample"), QStringLiteral("The sample channels (CSV)."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("out"), QStringLiteral("The folder for the pictures."),
                      QStringLiteral("folder")});
    parser.process(*QCoreApplication::instance());
    const QString language = parser.value(QStringLiteral("language"));
    if ((language != QLatin1String("en") && language != QLatin1String("ja")) ||
        !parser.isSet(QStringLiteral("sample")) || !parser.isSet(QStringLiteral("out"))) {
        std::fputs("usage: hxv5-guide-shots --language en|ja --sample FILE.csv --out FOLDER\n",
                   stderr);
        return std::nullopt;
    }
    Arguments arguments;
    arguments.language = language == QLatin1String("ja") ? Language::Japanese : Language::English;
    arguments.sample = parser.value(QStringLiteral("sample"));
    arguments.out = QDir(parser.value(QStringLiteral("out")));
    return arguments;
}

// The comparison with a copy of the sample in which one channel and one setting differ.
bool saveComparison(const Document &sample, QWidget &window, const QDir &out)
{
    Document other;
    other.restoreState(sample.state());
    TableRow changed = other.channels().row(1);
    changed.number[kColFrequency] = 145.525;
    changed.text[kColFrequency] = formatMHz(145.525);
    other.channels().setRow(1, changed);
    other.settings().setVolume(sample.settings().volume() + 5);
    CompareDialog dialog(compareDocuments(sample, other), &window);
    dialog.show();
    return save(dialog, out, "compare-dialog");
}

bool takeShots(const Arguments &arguments)
{
    SilentUser user;
    // Each dialog the window would run modally is drawn instead, and closed as Cancel would.
    const char *dialogShot = nullptr;
    bool saved = true;
    MainWindowOptions options;
    options.language = arguments.language;
    options.startupPause = std::chrono::milliseconds::zero();
    options.interaction = &user;
    options.execDialog = [&](QDialog &dialog) {
        dialog.show();
        saved = dialogShot && save(dialog, arguments.out, dialogShot) && saved;
        dialogShot = nullptr;
        dialog.reject();
    };
    MainWindow window(options);
    window.Form_Load();
    window.show();
    if (!window.fileCommands().ImportFile(arguments.sample, CsvFormat::Own) ||
        !user.failures.isEmpty()) {
        std::fprintf(stderr, "hxv5-guide-shots: the sample %s does not import: %s\n",
                     qPrintable(arguments.sample), qPrintable(user.failures.join(u' ')));
        return false;
    }
    window.findChild<ChannelGrid *>()->selectSlots(kSelectedSlots, kEditedSlot);
    for (const Shot &shot : kShots) {
        window.selectTab(shot.tab);
        if (shot.command) {
            dialogShot = shot.file;
            (window.*shot.command)();
            if (auto *field = qobject_cast<QLineEdit *>(window.focusWidget()); field && shot.typed)
                field->setText(QLatin1String(shot.typed));
            if (dialogShot)
                saved = save(window, arguments.out, shot.file) && saved;
            dialogShot = nullptr;
        } else if (shot.menu) {
            auto *menu = window.findChild<QMenu *>(QLatin1String(shot.menu));
            menu->popup(window.mapToGlobal(QPoint(0, 0)));
            saved = save(*menu, arguments.out, shot.file) && saved;
            menu->hide();
        } else {
            saved = save(window, arguments.out, shot.file) && saved;
        }
    }
    return saveComparison(window.document(), window, arguments.out) && saved;
}

// The offscreen platform says on every window that it lacks what a desktop has; that is no news.
QtMessageHandler g_usualHandler = nullptr;

void quietOffscreen(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.startsWith(QLatin1String("This plugin does not support")))
        g_usualHandler(type, context, message);
}

} // namespace

int main(int argc, char *argv[])
{
    // The window reads the port number and the write options from the per-user folders: those
    // of an empty home, so that every picture shows the program as it first starts.
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    for (const char *variable :
         {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"})
        qputenv(variable, QFile::encodeName(home.path()));
    g_usualHandler = qInstallMessageHandler(quietOffscreen);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("HX-V5 Clone"));
    QApplication::setOrganizationName(QStringLiteral("Tormel"));
    const std::optional<Arguments> arguments = parseArguments();
    if (!arguments)
        return 2;
    if (!arguments->out.mkpath(QStringLiteral(".")) || !installTranslations(arguments->language))
        return 1;
    return takeShots(*arguments) ? 0 : 1;
}

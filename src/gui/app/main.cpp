#include "app/app_pictures.h"
#include "app/file_arrival.h"
#include "app/startup.h"
#include "app/translations.h"
#include "app/window_options.h"
#include "files/file_platform.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char *argv[])
{
    hxv5::failWritesPastFileSizeLimit(); // a save past the limit fails with its message
    if (const auto status = hxv5::answerInformationOptions(argc, argv))
        return *status;
    QApplication app(argc, argv);
    if (const auto status = hxv5::rejectUnknownOptions())
        return *status;
    // The names under which the window placement is stored.
    QApplication::setApplicationName(QStringLiteral("HX-V5 Clone"));
    QApplication::setOrganizationName(QStringLiteral("Tormel"));
    QApplication::setWindowIcon(hxv5::programIcon());
    // The desktop entry and the icons the installation puts in place carry this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.hxv5.Clone"));
    // Before any window is made: its texts are taken in the chosen language as they are built.
    hxv5::MainWindowOptions options;
    options.language = hxv5::chosenLanguage();
    hxv5::installTranslations(options.language);
    const auto window = hxv5::Main(std::move(options));
    // The desktop's "Open With" names one clone file; QApplication has taken its own options out
    // of argv by now.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    hxv5::openCommandLineFile(window->fileCommands(), arguments);
    return QApplication::exec();
}

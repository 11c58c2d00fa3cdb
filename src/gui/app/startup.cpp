#include "app/startup.h"

#include "app/splash_window.h"
#include "base/reference_tables.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

namespace hxv5 {

namespace {

// The reference tables are built on their first reading; reading each once here builds them all
// before the main window loads, in the order titles, slot tables, column widths.
void buildReferenceTables()
{
    (void)applicationTitle();
    (void)startMarker();
    (void)stepList();
    (void)toneList();
    (void)dialogLabel(0);
    (void)scanName(0);
    (void)bandPlan(0, 1);
    (void)columnWidths();
}

} // namespace

std::unique_ptr<MainWindow> Main(MainWindowOptions options)
{
    // Owned here, not deleted on close: a user who closes it during the pause only hides it.
    const auto splash = std::make_unique<SplashWindow>();
    splash->adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        splash->move(screen->availableGeometry().center() - splash->rect().center());
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents(); // on screen before start-up goes on

    auto window = std::make_unique<MainWindow>(std::move(options));
    buildReferenceTables();
    window->Form_Load();
    splash->close();
    window->loadEditDialog();
    window->show();
    return window;
}

} // namespace hxv5

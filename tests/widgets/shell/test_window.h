#pragma once

// The window as the window tests open it.

#include "app/main_window.h"

#include <QAction>
#include <QDialog>

#include <chrono>
#include <functional>
#include <memory>

namespace hxv5::testing {

// Loaded without the start-up pause, talking to the scripted line and user instead of the real
// port and message boxes; each dialog it would run modally goes to execDialog, which by default
// closes it at once as Cancel would.
inline std::unique_ptr<MainWindow> openTestWindow(
    SerialPort &port, UserInteraction &user, Language language = Language::English,
    std::function<void(QDialog &)> execDialog = [](QDialog &dialog) { dialog.reject(); })
{
    MainWindowOptions options;
    options.language = language;
    options.startupPause = std::chrono::milliseconds::zero();
    options.port = &port;
    options.interaction = &user;
    options.execDialog = std::move(execDialog);
    auto window = std::make_unique<MainWindow>(options);
    window->Form_Load();
    return window;
}

// Ticks or unticks a checkable menu item as the user would, by choosing it when it is otherwise.
inline void chooseMenuItem(MainWindow &window, const char *name, bool checked)
{
    auto *item = window.findChild<QAction *>(QLatin1String(name));
    if (item && item->isChecked() != checked)
        item->trigger();
}

} // namespace hxv5::testing

#pragma once

#include "app/main_window.h"

#include <memory>

namespace hxv5 {

// The program's start: shows the splash window, creates the main window, builds the reference
// tables, loads the main window (its start-up pause keeps the splash up), closes the splash
// window, loads the edit dialog hidden and shows the main window. The caller runs the event loop.
std::unique_ptr<MainWindow> Main(MainWindowOptions options = {});

} // namespace hxv5

#pragma once

#include <QWidget>

namespace hxv5 {

// The window shown while the program starts ("frmSplash"): the radio, the program's title and
// version. It takes no input; start-up closes it once the main window is loaded. Closing it
// earlier (its close button, the window manager) only hides it: start-up owns it and goes on.
class SplashWindow : public QWidget
{
    Q_OBJECT
public:
    explicit SplashWindow(QWidget *parent = nullptr);
};

} // namespace hxv5

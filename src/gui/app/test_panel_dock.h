#pragma once

#include <QDockWidget>

class QMainWindow;

namespace hxv5 {

class Document;
class PrintController;
class Transfers;

// The dock "TestPanel" that holds the panel for trying the line by hand, with the printing's
// Command3 beside its own commands. It stays out of normal use: hidden until Ctrl+Shift+F12 shows
// it beside the window's panels.
class TestPanelDock : public QDockWidget
{
    Q_OBJECT
public:
    // Docks itself, hidden, on the window's right.
    TestPanelDock(Transfers &transfers, Document &document, PrintController &print,
                  QMainWindow &window);
};

} // namespace hxv5

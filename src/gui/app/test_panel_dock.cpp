#include "app/test_panel_dock.h"

#include "link/link_test_panel.h"
#include "print/dlg_print.h"
#include "print/print_controller.h"

#include <QAction>
#include <QMainWindow>
#include <QPushButton>

namespace hxv5 {

TestPanelDock::TestPanelDock(Transfers &transfers, Document &document, PrintController &print,
                             QMainWindow &window)
    : QDockWidget(tr("Test"), &window)
{
    setObjectName(QStringLiteral("TestPanel"));
    auto *panel = new LinkTestPanel(transfers, document, this);
    // Command3 runs the printer's page set-up alone; its report goes to Text2.
    auto *command3 = new QPushButton(tr("Page"));
    command3->setObjectName(QStringLiteral("Command3"));
    panel->addCommand(command3);
    connect(command3, &QPushButton::clicked, &print, &PrintController::setUpPage);
    connect(&print, &PrintController::pageSetupReported, panel, &LinkTestPanel::setText2);
    setWidget(panel);
    window.addDockWidget(Qt::RightDockWidgetArea, this);
    hide();

    // On the window, not on the dock: a hidden dock takes no shortcuts.
    auto *toggle = new QAction(&window);
    toggle->setObjectName(QStringLiteral("TestPanelToggle"));
    toggle->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F12));
    connect(toggle, &QAction::triggered, this, [this] { setVisible(isHidden()); });
    window.addAction(toggle);
}

} // namespace hxv5

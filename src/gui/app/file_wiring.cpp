#include "app/file_wiring.h"

#include "app/main_panels.h"
#include "editing/channel_grid.h"
#include "editing/vfo_grid.h"
#include "files/file_commands.h"

#include <QWidget>

namespace hxv5 {

FileWiring::FileWiring(QWidget &window, FileCommands &files, MainPanels &panels) : QObject(&window)
{
    connect(&files, &FileCommands::captionChanged, &window, &QWidget::setWindowTitle);
    connect(&files, &FileCommands::tablesReplaced, this, [&panels] {
        panels.vfoGrid()->UpdateVFOData();
        panels.channelGrid()->RedrawChannelTable();
        panels.channelGrid()->setCurrentSlot(0);
    });
}

} // namespace hxv5

#include "app/widgets/file_wiring.h"

#include "app/widgets/main_panels.h"
#include "editing/widgets/channel_grid.h"
#include "editing/widgets/vfo_grid.h"
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

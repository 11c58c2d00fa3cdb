#pragma once

#include <QObject>

class QWidget;

namespace hxv5 {

class FileCommands;
class MainPanels;

// Ties the file commands to the window: the caption follows the current file, and after New, Open
// or Import the grids are drawn anew with the first channel selected.
class FileWiring : public QObject
{
    Q_OBJECT
public:
    FileWiring(QWidget &window, FileCommands &files, MainPanels &panels);
};

} // namespace hxv5

#pragma once

#include <QMainWindow>

namespace hxv5 {

class Document;

// The program's one window. For now it shows the document's title; the panels, grids, menus and
// toolbar join it as they are built.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);

private:
    Document *m_document;
};

} // namespace hxv5

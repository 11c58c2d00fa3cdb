#include "app/widgets/main_window.h"

#include "app/document.h"
#include "app/reference_tables.h"

#include <QLabel>

namespace hxv5 {

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), m_document(new Document(this))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(applicationTitle());
    auto *label = new QLabel(applicationTitle(), this);
    label->setAlignment(Qt::AlignCenter);
    setCentralWidget(label);
    resize(574, 527); // 8610 x 7905 twips at 15 twips per pixel
}

} // namespace hxv5

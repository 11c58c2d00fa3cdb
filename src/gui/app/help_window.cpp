#include "app/help_window.h"

#include "base/help_text.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace hxv5 {

HelpWindow::HelpWindow(Language language, QWidget *parent)
    : QDialog(parent), m_text(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(tr("Help"));
    setModal(false);
    m_text->setObjectName(QStringLiteral("txtHelp"));
    m_text->setReadOnly(true);
    m_text->setOpenExternalLinks(true);
    m_text->setMarkdown(userPartOfReadme(builtInReadme(language)));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addWidget(buttons);
    resize(640, 560);
}

QString HelpWindow::builtInReadme(Language language)
{
    QFile file(QStringLiteral(":/help/README.md"));
    if (language == Language::Japanese && QFile::exists(QStringLiteral(":/help/README.ja.md")))
        file.setFileName(QStringLiteral(":/help/README.ja.md"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace hxv5

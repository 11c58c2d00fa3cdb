#include "app/help_window.h"

#include "base/help_text.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace hxv5 {

HelpWindow::HelpWindow(Language language, QWidget *parent)
    : QDialog(parent), m_text(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(tr("User Guide"));
    setModal(false);
    m_text->setObjectName(QStringLiteral("txtHelp"));
    m_text->setAccessibleName(tr("User guide text"));
    m_text->setReadOnly(true);
    // Pages of the guide open in place; a link to a web page opens in the desktop's browser.
    m_text->setOpenExternalLinks(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addWidget(buttons);
    resize(760, 640);
    showGuide(language);
}

void HelpWindow::showGuide(Language language)
{
    const QString page = guidePage(language);
    if (page.isEmpty()) {
        m_text->setMarkdown(userPartOfReadme(builtInReadme(language)));
        return;
    }
    m_text->setSource(QUrl::fromLocalFile(page));
}

QString HelpWindow::guideFolder()
{
    const QDir program(QCoreApplication::applicationDirPath());
    const QString folder =
        QDir::cleanPath(program.filePath(QStringLiteral(HXV5_GUIDE_FROM_PROGRAM)));
    return QFileInfo(folder).isDir() ? folder : QString();
}

QString HelpWindow::guidePage(Language language)
{
    const QString folder = guideFolder();
    if (folder.isEmpty())
        return {};
    const QString page =
        folder + (language == Language::Japanese ? QStringLiteral("/ja") : QStringLiteral("/en")) +
        QStringLiteral("/index.html");
    return QFileInfo(page).isFile() ? page : QString();
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

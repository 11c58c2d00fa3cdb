#include "app/about_box.h"

#include "app/app_pictures.h"
#include "app/program_texts.h"
#include "app/system_info.h"
#include "base/reference_tables.h"
#include "base/shown_text.h"

#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace hxv5 {

QString systemInfoUnavailableText()
{
    return QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません");
}

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent), m_systemInfoPrograms(systemInformationPrograms()),
      m_showMessage([](QWidget *owner, const QString &text) {
          QMessageBox::information(owner, shownText(kProgramTexts, applicationTitle()), text);
      })
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About Tormel Clone Utility"));
    setModal(true);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(radioPicture(120));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(radioPicture(40));

    auto *title = new QLabel(shownText(kProgramTexts, applicationTitle()), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    title->setFont(titleFont);

    auto *version = new QLabel(versionText(), this);
    version->setObjectName(QStringLiteral("lblVersion"));

    auto *description = new QLabel(
        tr("Reads the memory channels and settings of %1 hand-held radios over the serial cable, "
           "lets you edit them, and writes them back.")
            .arg(companyName() + QStringLiteral(" HX-V5")),
        this);
    description->setObjectName(QStringLiteral("lblDescription"));
    description->setWordWrap(true);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto *disclaimer = new QLabel(
        tr("Warning: this program is provided as is, without warranty of any kind. Writing to "
           "the radio replaces its channels and settings; save a copy of them to a file first."),
        this);
    disclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    disclaimer->setWordWrap(true);

    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto *sysInfo = new QPushButton(QStringLiteral("ｼｽﾃﾑ情報(&S)..."), this);
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(ok, &QPushButton::clicked, this, &AboutBox::cmdOK_Click);
    connect(sysInfo, &QPushButton::clicked, this, &AboutBox::StartSysInfo);

    auto *heading = new QHBoxLayout;
    heading->setSpacing(12);
    heading->addWidget(icon, 0, Qt::AlignTop);
    auto *headingTexts = new QVBoxLayout;
    headingTexts->addWidget(title);
    headingTexts->addWidget(version);
    heading->addLayout(headingTexts, 1);

    auto *texts = new QVBoxLayout;
    texts->addLayout(heading);
    texts->addSpacing(8);
    texts->addWidget(description);
    texts->addStretch();

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);
    buttons->addStretch();

    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(16);
    grid->addWidget(picture, 0, 0, 3, 1);
    grid->addLayout(texts, 0, 1);
    grid->addWidget(line, 1, 1, 1, 2);
    grid->addWidget(disclaimer, 2, 1);
    grid->addLayout(buttons, 2, 2);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(480);
}

void AboutBox::cmdOK_Click()
{
    accept();
}

QString AboutBox::findSystemInfoProgram() const
{
    for (const QString &program : m_systemInfoPrograms) {
        const QFileInfo info(program);
        if (info.isAbsolute()) {
            if (info.isFile() && info.isExecutable())
                return program;
            continue;
        }
        const QString found = QStandardPaths::findExecutable(program);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

void AboutBox::StartSysInfo()
{
    const QString program = findSystemInfoProgram();
    // The program runs on its own and outlives the About box; only a failure to start it is ours.
    if (program.isEmpty() || !QProcess::startDetached(program, {}))
        m_showMessage(this, systemInfoUnavailableText());
}

} // namespace hxv5

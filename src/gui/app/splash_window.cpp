#include "app/splash_window.h"

#include "app/app_pictures.h"
#include "app/program_texts.h"
#include "base/reference_tables.h"
#include "base/shown_text.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace hxv5 {

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(shownText(kProgramTexts, applicationTitle()));

    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(2);

    auto *picture = new QLabel(frame);
    picture->setPixmap(radioPicture(160));

    auto *company = new QLabel(companyName(), frame);
    auto *title = new QLabel(shownText(kProgramTexts, applicationTitle()), frame);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto *version = new QLabel(versionText(), frame);
    auto *loading = new QLabel(tr("Loading..."), frame);

    auto *texts = new QVBoxLayout;
    texts->addStretch();
    texts->addWidget(company);
    texts->addWidget(title);
    texts->addWidget(version);
    texts->addStretch();
    texts->addWidget(loading);

    auto *inner = new QHBoxLayout(frame);
    inner->setContentsMargins(24, 18, 32, 18);
    inner->setSpacing(24);
    inner->addWidget(picture);
    inner->addLayout(texts);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
}

} // namespace hxv5

#include "app/main_status_bar.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QTimer>

namespace hxv5 {

namespace {

// How long a status-bar message stays up.
constexpr int kStatusMessageMs = 5000;

} // namespace

MainStatusBar::MainStatusBar(QWidget *parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("sbStatusBar"));
    m_statusText = new QLabel(this);
    m_statusText->setObjectName(QStringLiteral("sbStatusBar_Panel1"));
    m_statusDate = new QLabel(this);
    m_statusDate->setObjectName(QStringLiteral("sbStatusBar_Panel2"));
    m_statusTime = new QLabel(this);
    m_statusTime->setObjectName(QStringLiteral("sbStatusBar_Panel3"));
    for (QLabel *panel : {m_statusDate, m_statusTime}) {
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setAlignment(Qt::AlignCenter);
        panel->setContentsMargins(6, 0, 6, 0);
    }
    addWidget(m_statusText, 1);
    addPermanentWidget(m_statusDate);
    addPermanentWidget(m_statusTime);

    // A lasting notice's tool tip goes with it.
    connect(this, &QStatusBar::messageChanged, this, [this](const QString &message) {
        if (message != toolTip())
            setToolTip(QString());
    });

    m_clock = new QTimer(this);
    m_clock->setSingleShot(true);
    connect(m_clock, &QTimer::timeout, this, &MainStatusBar::updateClock);
    updateClock();
}

void MainStatusBar::showNotice(const QString &text)
{
    showMessage(text, kStatusMessageMs);
}

void MainStatusBar::showLastingNotice(const QString &text)
{
    setToolTip(text);
    showMessage(text);
}

void MainStatusBar::updateClock()
{
    const QLocale locale;
    const QDateTime now = QDateTime::currentDateTime();
    m_statusDate->setText(locale.toString(now.date(), QLocale::ShortFormat));
    // The panels show minutes (some locales' short format carries seconds, which a clock that
    // wakes once a minute would show stale): wake up just after the next minute begins.
    QString timeFormat = locale.timeFormat(QLocale::ShortFormat);
    timeFormat.remove(QRegularExpression(QStringLiteral("[:.]s+")));
    m_statusTime->setText(locale.toString(now.time(), timeFormat));
    const int msToNextMinute = 60000 - (now.time().second() * 1000 + now.time().msec());
    m_clock->start(msToNextMinute + 50);
}

} // namespace hxv5

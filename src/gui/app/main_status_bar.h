#pragma once

#include <QStatusBar>

class QLabel;
class QTimer;

namespace hxv5 {

// The main window's status bar "sbStatusBar": a text panel the program leaves empty, the current
// date and the current time, kept by a clock that wakes once a minute. Short notices (a finished
// transfer, a refused close) show over the text panel for a few seconds.
class MainStatusBar : public QStatusBar
{
    Q_OBJECT
public:
    explicit MainStatusBar(QWidget *parent = nullptr);

    // Shows the notice for a few seconds.
    void showNotice(const QString &text);
    // Shows the notice until the next one, the whole of it also as the tool tip (a stopped
    // transfer's account may be longer than the bar).
    void showLastingNotice(const QString &text);

private:
    void updateClock();

    QLabel *m_statusText = nullptr;
    QLabel *m_statusDate = nullptr;
    QLabel *m_statusTime = nullptr;
    QTimer *m_clock = nullptr;
};

} // namespace hxv5

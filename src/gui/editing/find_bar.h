#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace hxv5 {

class ChannelGrid;

// The find bar over the channel grid (Ctrl+F): a text that matches frequencies, notes and tones
// (ChannelFilter), Enter for the next match and Shift+Enter for the one before it, "Only matching
// rows" to hide the others, and how many rows match. Typing moves to the first match from the
// current row on when the current row does not match. Esc or "Close" puts the bar away, and the
// rows it hid show again.
class FindBar : public QWidget
{
    Q_OBJECT
public:
    explicit FindBar(ChannelGrid &grid, QWidget *parent = nullptr);

    // Shows the bar with its text selected, ready for typing, and finds with it again.
    void open();
    void close();

    // Makes the slot a row label names current ("57", "P2A", "Pri"); what went wrong, for the
    // status bar, or an empty text.
    QString goTo(const QString &label);

public Q_SLOTS:
    void findNext();
    void findPrevious();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The text and the check box into the grid's filter; the count follows.
    void applyText();

    ChannelGrid &m_grid;
    QLineEdit *m_text = nullptr;
    QCheckBox *m_onlyMatches = nullptr;
    QLabel *m_count = nullptr;
};

} // namespace hxv5

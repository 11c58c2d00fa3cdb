#pragma once

#include <QWidget>

class QHBoxLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace hxv5 {

class Document;
class Transfers;

// The panel for trying the line by hand: read one block at the address in Text1 and see the raw
// reply in Text2 (Command1), empty Text2 (Command2), and follow the block number every transfer
// is at in Text3. Text2 also shows the enable-flag blocks each time they are rebuilt. The window
// keeps the panel out of the way of normal use.
class LinkTestPanel : public QWidget
{
    Q_OBJECT
public:
    LinkTestPanel(Transfers &transfers, Document &document, QWidget *parent = nullptr);

    // A further command of the panel beside Command1 and Command2 (the printing's Command3).
    void addCommand(QPushButton *command);

public Q_SLOTS:
    // Replaces the text of Text2, the panel's one output box.
    void setText2(const QString &text);
    void Command1_Click();
    void Command2_Click();

private:
    Transfers &m_transfers;
    QLineEdit *m_text1;
    QHBoxLayout *m_commands;
    QPushButton *m_command1;
    QPlainTextEdit *m_text2;
    QLineEdit *m_text3;
};

} // namespace hxv5

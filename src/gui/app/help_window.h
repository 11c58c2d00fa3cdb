#pragma once

#include <QDialog>

class QTextBrowser;

namespace hxv5 {

// Help (F1): the users' part of the read-me, built into the program, in a read-only window that
// stays open beside the main window.
class HelpWindow : public QDialog
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    QTextBrowser *text() const { return m_text; }

    // The read-me as it was built into the program; empty when it is missing.
    static QString builtInReadme();

private:
    QTextBrowser *m_text;
};

} // namespace hxv5

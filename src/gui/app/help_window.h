#pragma once

#include "base/string_table.h"

#include <QDialog>

class QTextBrowser;

namespace hxv5 {

// Help (F1): the users' part of the read-me, built into the program, in a read-only window that
// stays open beside the main window. In Japanese it is the Japanese read-me's.
class HelpWindow : public QDialog
{
    Q_OBJECT
public:
    explicit HelpWindow(Language language = Language::English, QWidget *parent = nullptr);

    QTextBrowser *text() const { return m_text; }

    // The read-me in the language as it was built into the program, the English one when there
    // is none in the language; empty when it is missing.
    static QString builtInReadme(Language language = Language::English);

private:
    QTextBrowser *m_text;
};

} // namespace hxv5

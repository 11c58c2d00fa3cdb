#pragma once

#include "base/string_table.h"

#include <QDialog>

class QTextBrowser;

namespace hxv5 {

// Help (F1, Help ▸ "User Guide"): the user guide installed with the program, in the language the
// window is shown in, in a read-only browser that stays open beside the main window. The guide
// is a folder of HTML pages and pictures read from disk, so it opens without a network. Where no
// guide lies beside the program (a program copied on its own), the users' part of the read-me
// built into the program stands in for it (the Japanese read-me's in Japanese).
class HelpWindow : public QDialog
{
    Q_OBJECT
public:
    explicit HelpWindow(Language language, QWidget *parent = nullptr);

    QTextBrowser *text() const { return m_text; }

    // Shows the guide's first page in that language, or the read-me when there is no guide.
    void showGuide(Language language);

    // The guide's first page in a language: <guide folder>/<en|ja>/index.html; empty when the
    // guide is not there. The guide folder lies at the same place relative to the program in the
    // build folder and in an installation.
    static QString guidePage(Language language);
    static QString guideFolder();

    // The read-me in the language as it was built into the program, the English one when there
    // is none in the language; empty when it is missing.
    static QString builtInReadme(Language language = Language::English);

private:
    QTextBrowser *m_text;
};

} // namespace hxv5

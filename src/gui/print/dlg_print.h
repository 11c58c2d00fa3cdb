#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QPushButton;

namespace hxv5 {

class PrintSelection;

// The print selection dialog: which of the four reports to print. A view of a PrintSelection:
// ticking a box ticks the report there, OK asks for the print and hides the dialog (the ticks
// stay for the next print), closing through the window frame unloads it (the next print starts
// with all four ticked). The preview button asks for a preview of the ticked reports instead.
class DlgPrint : public QDialog
{
    Q_OBJECT
public:
    explicit DlgPrint(PrintSelection &selection, QWidget *parent = nullptr);

    // chkSelect(0) "Settings1" .. chkSelect(3) "Memory".
    QCheckBox *chkSelect(int index) const;
    QPushButton *okButton() const { return m_okButton; }
    QPushButton *previewButton() const { return m_previewButton; }

    // Shows the ticks the selection holds.
    void syncFromSelection();

    // True once the dialog was closed through its frame; its owner then deletes it.
    bool isUnloaded() const { return m_unloaded; }

public Q_SLOTS:
    void OKButton_Click();
    void cmbPreview_Click();
    void chkSelect_Click(int index);

Q_SIGNALS:
    void unloaded();

protected:
    void closeEvent(QCloseEvent *event) override;
    void done(int result) override;

private:
    // The width the dialog needs for its title bar to show the whole title.
    int titleBarWidth() const;

    PrintSelection &m_selection;
    std::array<QCheckBox *, 4> m_chkSelect{};
    QPushButton *m_okButton;
    QPushButton *m_previewButton;
    bool m_inDone = false;
    bool m_unloaded = false;
};

} // namespace hxv5

#pragma once

#include "editing/edit_session.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace hxv5 {

class Document;
class FieldLimit;

// The edit dialog ("dlgModify") for one memory slot or one VFO band: a view of an EditSession.
// It is created once and shown again for every edit, each opening setting all its controls anew.
class EditDialog : public QDialog
{
    Q_OBJECT
public:
    explicit EditDialog(QWidget *parent = nullptr);

    // Set the dialog up for a slot or a VFO row without showing it; false when the edit is
    // refused (a band the model variant lacks, or a transfer running).
    bool prepareSlot(Document &document, int slot);
    bool prepareVfo(Document &document, int vfoRow);

    // Prepare and show modally; true when OK wrote the row back.
    bool editSlot(Document &document, int slot);
    bool editVfo(Document &document, int vfoRow);

    const EditSession &session() const { return m_session; }

public Q_SLOTS:
    void OKButton_Click();
    void CancelButton_Click();
    void chkAuto_Click();
    void txtFreq_LostFocus();
    void txtShift_LostFocus();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void nameForScreenReaders();
    // Session -> controls, and controls -> session.
    void showSession();
    void takeControls();
    void showGroupStates();

    Document *m_document = nullptr;
    EditSession m_session;

    QLabel *m_lblMode;
    QLabel *m_lblCH;
    QLineEdit *m_txtFreq;
    QLabel *m_lblMHz;
    QLineEdit *m_txtNote;
    QCheckBox *m_chkEnable;
    QCheckBox *m_chkAuto;
    QGroupBox *m_modeFrame;
    QGroupBox *m_stepFrame;
    QButtonGroup *m_opbWave;
    QButtonGroup *m_opbStep;
    QButtonGroup *m_opbTone;
    QButtonGroup *m_opbSift;
    QComboBox *m_cbbTxTone;
    QComboBox *m_cbbRxTone;
    QLineEdit *m_txtShift;
    // What the user may type into the three text fields.
    FieldLimit *m_freqLimit;
    FieldLimit *m_noteLimit;
    FieldLimit *m_shiftLimit;
};

} // namespace hxv5

#pragma once

#include <QWidget>

class QPushButton;

namespace hxv5 {

class Document;
class SettingsBinder;
class VfoGrid;

// The panel "Settings 1": the settings buttons, the check boxes and groups of the radio's general
// settings, the model variant, squelch and volume, and the VFO table beneath them. Every control
// carries its objectName; the buttons of an option group are named after the group and their
// index ("opbModel_5") and sit in a QButtonGroup of the group's name with the index as id.
class SettingsPage1 : public QWidget
{
    Q_OBJECT
public:
    explicit SettingsPage1(Document &document, QWidget *parent = nullptr);

    VfoGrid *vfoGrid() const { return m_vfoGrid; }
    QPushButton *readButton() const { return m_readButton; }   // cmbRxData1
    QPushButton *writeButton() const { return m_writeButton; } // cmbTxData1

private:
    SettingsBinder *m_binder;
    QPushButton *m_writeButton = nullptr;
    QPushButton *m_readButton = nullptr;
    VfoGrid *m_vfoGrid = nullptr;
};

// The panel "Settings2": the operating mode with its sub-mode, bug level, memory channel and
// band, the settings buttons, tone burst and scan.
class SettingsPage2 : public QWidget
{
    Q_OBJECT
public:
    explicit SettingsPage2(Document &document, QWidget *parent = nullptr);

    QPushButton *readButton() const { return m_readButton; }   // cmbRxData2
    QPushButton *writeButton() const { return m_writeButton; } // cmbTxData2

private:
    SettingsBinder *m_binder;
    QPushButton *m_readButton = nullptr;
    QPushButton *m_writeButton = nullptr;
};

} // namespace hxv5

#pragma once

#include "settings/settings_model.h"

#include <QObject>
#include <QVector>

#include <functional>

class QAbstractButton;
class QBoxLayout;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QSlider;
class QWidget;

namespace hxv5 {

class Document;

// Keeps the controls of a settings page and the document's settings model in step, both ways.
// A user's change of a control calls the model's setter (which marks the document changed); a
// change of the model (a decoding, the model variant rules) sets the controls without being taken
// for a user's change. Each user's change is one step of the document's history, a slider drag
// as a whole. While a transfer runs the setting controls are disabled, and a change that
// slips through anyway is undone from the model.
class SettingsBinder : public QObject
{
    Q_OBJECT
public:
    using Control = SettingsModel::Control;

    SettingsBinder(Document &document, QObject *parent);

    // An option group: the button with id i is the model's value i.
    void bindOptions(QButtonGroup *group, Control control, int (SettingsModel::*get)() const,
                     void (SettingsModel::*set)(int));
    void bindCheck(QCheckBox *box, Control control, int index,
                   std::function<bool(const SettingsModel &)> get,
                   std::function<void(SettingsModel &, bool)> set);
    void bindCheck(QCheckBox *box, Control control, bool (SettingsModel::*get)() const,
                   void (SettingsModel::*set)(bool));
    // A slider with the label that shows its value.
    void bindSlider(QSlider *slider, QLabel *label, Control control,
                    int (SettingsModel::*get)() const, void (SettingsModel::*set)(int));
    // A list whose entries come from the model.
    void bindList(QComboBox *list, const QStringList &entries, Control control,
                  int (SettingsModel::*get)() const, void (SettingsModel::*set)(int));

    // Something that follows the band availability and group visibility of the model variant.
    void followAvailability(std::function<void(const SettingsModel &)> apply);
    // A control (or frame) that takes no change while a transfer runs.
    void addSettingControl(QWidget *widget);

    // Sets every bound control from the model.
    void refreshAll();

private:
    struct Binding
    {
        Control control;
        int index; // the element of a control array, -1 for "any"
        std::function<void()> refresh;
    };

    void addBinding(Control control, int index, std::function<void()> refresh);
    // Runs a user's change, as one step of the document's history, unless a transfer forbids it
    // or the change is the binder's own echo.
    void userChange(Control control, const std::function<void(SettingsModel &)> &change,
                    int mergeId = -1);
    void onValueChanged(Control control, int index);
    void refreshAvailability();
    void followBusy(bool busy);

    Document &m_document;
    SettingsModel &m_settings;
    QVector<Binding> m_bindings;
    QVector<std::function<void(const SettingsModel &)>> m_availability;
    QVector<QWidget *> m_settingControls;
    bool m_syncing = false;
    int m_dragSerial = 0;
};

// Checks the button of an option group with the given id, or none when there is no such button
// (the model's -1 before the first decoding).
void checkOption(QButtonGroup *group, int id);

} // namespace hxv5

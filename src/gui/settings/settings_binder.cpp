#include "settings/settings_binder.h"

#include "base/shown_text.h"
#include "document/document.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

#include <utility>

namespace hxv5 {

void checkOption(QButtonGroup *group, int id)
{
    if (QAbstractButton *button = group->button(id)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group keeps its last checked button; it lets go only while not exclusive.
    if (QAbstractButton *checked = group->checkedButton()) {
        group->setExclusive(false);
        checked->setChecked(false);
        group->setExclusive(true);
    }
}

SettingsBinder::SettingsBinder(Document &document, QObject *parent)
    : QObject(parent), m_document(document), m_settings(document.settings())
{
    connect(&m_settings, &SettingsModel::valueChanged, this, &SettingsBinder::onValueChanged);
    connect(&m_settings, &SettingsModel::availabilityChanged, this,
            &SettingsBinder::refreshAvailability);
    connect(&m_document, &Document::busyChanged, this, &SettingsBinder::followBusy);
}

void SettingsBinder::addBinding(Control control, int index, std::function<void()> refresh)
{
    m_bindings.append({control, index, refresh});
    const bool syncing = std::exchange(m_syncing, true);
    refresh();
    m_syncing = syncing;
}

void SettingsBinder::userChange(Control control, const std::function<void(SettingsModel &)> &change,
                                int mergeId)
{
    if (m_syncing)
        return;
    if (m_document.isBusy()) {
        refreshAll();
        return;
    }
    m_document.recordStep(
        tr("Change %1").arg(shownText(kSettingsTexts, SettingsModel::controlName(control))),
        [this, &change] {
            change(m_settings);
            return true;
        },
        mergeId);
}

void SettingsBinder::bindOptions(QButtonGroup *group, Control control,
                                 int (SettingsModel::*get)() const, void (SettingsModel::*set)(int))
{
    // idToggled rather than idClicked: arrow keys move the choice inside a group as well.
    connect(group, &QButtonGroup::idToggled, this, [this, control, set](int id, bool checked) {
        if (checked)
            userChange(control, [set, id](SettingsModel &s) { (s.*set)(id); });
    });
    addBinding(control, -1, [this, group, get] { checkOption(group, (m_settings.*get)()); });
}

void SettingsBinder::bindCheck(QCheckBox *box, Control control, int index,
                               std::function<bool(const SettingsModel &)> get,
                               std::function<void(SettingsModel &, bool)> set)
{
    connect(box, &QCheckBox::toggled, this, [this, control, set](bool on) {
        userChange(control, [set, on](SettingsModel &s) { set(s, on); });
    });
    addBinding(control, index, [this, box, get] { box->setChecked(get(m_settings)); });
}

void SettingsBinder::bindCheck(QCheckBox *box, Control control, bool (SettingsModel::*get)() const,
                               void (SettingsModel::*set)(bool))
{
    bindCheck(
        box, control, -1, [get](const SettingsModel &s) { return (s.*get)(); },
        [set](SettingsModel &s, bool on) { (s.*set)(on); });
}

void SettingsBinder::bindSlider(QSlider *slider, QLabel *label, Control control,
                                int (SettingsModel::*get)() const, void (SettingsModel::*set)(int))
{
    // A drag is one step: every value on the way shares the press's merge id.
    connect(slider, &QSlider::sliderPressed, this, [this] { ++m_dragSerial; });
    connect(slider, &QSlider::valueChanged, this, [this, slider, control, set](int value) {
        userChange(
            control, [set, value](SettingsModel &s) { (s.*set)(value); },
            slider->isSliderDown() ? m_dragSerial : -1);
    });
    addBinding(control, -1, [this, slider, label, get] {
        const int value = (m_settings.*get)();
        slider->setValue(value);
        label->setText(QString::number(value));
    });
}

void SettingsBinder::bindList(QComboBox *list, const QStringList &entries, Control control,
                              int (SettingsModel::*get)() const, void (SettingsModel::*set)(int))
{
    {
        const QSignalBlocker blocker(list);
        for (const QString &entry : entries)
            list->addItem(shownText(kSettingsTexts, entry));
    }
    connect(list, &QComboBox::currentIndexChanged, this, [this, control, set](int index) {
        userChange(control, [set, index](SettingsModel &s) { (s.*set)(index); });
    });
    addBinding(control, -1, [this, list, get] { list->setCurrentIndex((m_settings.*get)()); });
}

void SettingsBinder::followAvailability(std::function<void(const SettingsModel &)> apply)
{
    m_availability.append(apply);
    apply(m_settings);
}

void SettingsBinder::addSettingControl(QWidget *widget)
{
    m_settingControls.append(widget);
    widget->setEnabled(!m_document.isBusy());
}

void SettingsBinder::refreshAll()
{
    const bool syncing = std::exchange(m_syncing, true);
    for (const Binding &binding : std::as_const(m_bindings))
        binding.refresh();
    m_syncing = syncing;
    refreshAvailability();
}

void SettingsBinder::onValueChanged(Control control, int index)
{
    const bool syncing = std::exchange(m_syncing, true);
    for (const Binding &binding : std::as_const(m_bindings)) {
        if (binding.control == control && (binding.index < 0 || binding.index == index))
            binding.refresh();
    }
    m_syncing = syncing;
}

void SettingsBinder::refreshAvailability()
{
    for (const auto &apply : std::as_const(m_availability))
        apply(m_settings);
}

void SettingsBinder::followBusy(bool busy)
{
    for (QWidget *widget : std::as_const(m_settingControls))
        widget->setEnabled(!busy);
}

} // namespace hxv5

#include "settings/settings_model.h"

#include "base/reference_tables.h"
#include "base/table_row.h"

#include <QCoreApplication>

#include <algorithm>
#include <initializer_list>
#include <iterator>

namespace hxv5 {

namespace {
constexpr int kVhf = 4;
} // namespace

// The captions, the controls' names and the lists' entries are also those of the printed
// reports; the settings pages show them translated (base/shown_text.h).
QString SettingsModel::optionCaption(Control group, int index)
{
    auto pick = [index](std::initializer_list<const char *> captions) {
        if (index < 0 || index >= static_cast<int>(captions.size()))
            return QString();
        return QString::fromLatin1(captions.begin()[index]);
    };
    switch (group) {
    case Control::Model:
        return modelCaption(index);
    case Control::Band:
        return vfoRowLabel(index);
    case Control::OperatingMode:
        return pick({QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "VFO"),
                     QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Memory"),
                     QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Bug"),
                     QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Priority")});
    case Control::PriorityMode:
        return pick({QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "VFO"),
                     QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Memory")});
    case Control::AutoPowerOff:
        return pick({QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Off"), "30", "60", "90"});
    case Control::BugLevel:
        return pick({"1", "2", "3", "4", "5"});
    case Control::ToneBurst:
        return pick({"1750Hz", "2100Hz", "1000Hz", "1450Hz"});
    case Control::ScanResume:
        return pick({QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Busy Scan"),
                     QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Timer Scan")});
    case Control::FunctionFlag:
        return pick({QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Keylock"),
                     QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Write Protect"),
                     QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Battery Save"),
                     QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Earphone Antenna"),
                     QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Beep"),
                     QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "DoReMi"),
                     QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "None"),
                     QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Bell")});
    default:
        return {};
    }
}

QString SettingsModel::controlName(Control control)
{
    static const char *const names[] = {QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Model"),
                                        QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Volume"),
                                        QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Squelch"),
                                        QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Band"),
                                        QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Memory Channel"),
                                        QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Operating Mode"),
                                        QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Scan"),
                                        QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Priority Mode"),
                                        QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Scan Mode"),
                                        QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Auto Power Off"),
                                        QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Bug Level"),
                                        QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Tone Burst"),
                                        QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Function Flag"),
                                        QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Auto Program"),
                                        QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Auto Step"),
                                        QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Lo Volume"),
                                        QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "TX Extension"),
                                        QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Scan Resume")};
    const auto i = static_cast<size_t>(control);
    return i < std::size(names) ? QString::fromLatin1(names[i]) : QString();
}

SettingsModel::SettingsModel(QObject *parent) : QObject(parent)
{
    m_bandEnabled.fill(true);
}

void SettingsModel::FillSettingsLists()
{
    QStringList memory;
    memory.reserve(213);
    for (int i = 0; i < 200; ++i)
        memory << QString::number(i);
    memory << QStringLiteral("PS-0A") << QStringLiteral("PS-0B") << QStringLiteral("PS-1A")
           << QStringLiteral("PS-1B") << QStringLiteral("PS-2A") << QStringLiteral("PS-2B")
           << QStringLiteral("PS-3A") << QStringLiteral("PS-3B") << QStringLiteral("PS-4A")
           << QStringLiteral("PS-4B") << QStringLiteral("A-L") << QStringLiteral("A-H")
           << QString::fromLatin1(QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Priority"));
    m_memoryList = memory;
    m_scanModeList = {QString::fromLatin1(QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "VFO")),
                      QString::fromLatin1(QT_TRANSLATE_NOOP("hxv5::SettingsTexts", "Tone")),
                      QStringLiteral("PS-0A"),
                      QStringLiteral("PS-0B"),
                      QStringLiteral("PS-1A"),
                      QStringLiteral("PS-1B"),
                      QStringLiteral("PS-2A"),
                      QStringLiteral("PS-2B"),
                      QStringLiteral("PS-3A"),
                      QStringLiteral("PS-3B"),
                      QStringLiteral("PS-4A"),
                      QStringLiteral("PS-4B")};
    setMemoryChannel(0);
    setScanMode(0);
}

bool SettingsModel::functionFlag(int index) const
{
    return index >= 0 && index < kFlagCount && m_flags[static_cast<size_t>(index)];
}

bool SettingsModel::bandEnabled(int band) const
{
    return band >= 0 && band < kBandCount && m_bandEnabled[static_cast<size_t>(band)];
}

void SettingsModel::changed(Control control, int index)
{
    Q_EMIT valueChanged(control, index);
    Q_EMIT modified();
}

bool SettingsModel::setOption(int &member, int index, int count, Control control)
{
    if (index < 0 || index >= count || member == index)
        return false;
    member = index;
    changed(control);
    return true;
}

void SettingsModel::setCheck(bool &member, bool on, Control control, int index)
{
    if (member == on)
        return;
    member = on;
    changed(control, index);
}

void SettingsModel::setModel(int index)
{
    if (index < 0 || index >= 6)
        return;
    // Selecting a model variant always runs its handler, also when the same button is chosen
    // again: the rules for variants 1 to 3 depend on what came before, so they are re-applied.
    m_model = index;
    changed(Control::Model);
    applyModelRules(index);
    Q_EMIT modelChanged(index);
}

void SettingsModel::applyModelRules(int index)
{
    if (index == 0) {
        setVisibility(false, true, true);
        for (int b = 0; b < kBandCount; ++b)
            setBandEnabled(b, true);
        return;
    }
    setVisibility(true, false, false);
    if (m_operatingMode == 2)
        setOperatingMode(0);
    for (int b : {0, 1}) {
        setBandEnabled(b, false);
        if (m_band == b)
            setBand(kVhf);
    }
    if (index == 4) {
        for (int b = 2; b <= 6; ++b)
            setBandEnabled(b, true);
    } else if (index == 5) {
        for (int b : {2, 4, 6})
            setBandEnabled(b, true);
        for (int b : {3, 5}) {
            setBandEnabled(b, false);
            if (m_band == b)
                setBand(kVhf);
        }
    }
    // Variants 1 to 3: FM to H-UHF keep the state the previous variant left them in.
}

void SettingsModel::setBandEnabled(int band, bool enabled)
{
    bool &flag = m_bandEnabled[static_cast<size_t>(band)];
    if (flag == enabled)
        return;
    flag = enabled;
    Q_EMIT availabilityChanged();
}

void SettingsModel::setVisibility(bool toneBurst, bool bugLevel, bool bugMode)
{
    if (m_toneBurstVisible == toneBurst && m_bugLevelVisible == bugLevel &&
        m_bugModeVisible == bugMode)
        return;
    m_toneBurstVisible = toneBurst;
    m_bugLevelVisible = bugLevel;
    m_bugModeVisible = bugMode;
    Q_EMIT availabilityChanged();
}

void SettingsModel::setVolume(int value)
{
    value = std::clamp(value, 0, kVolumeMax);
    if (m_volume == value)
        return;
    m_volume = value;
    changed(Control::Volume);
}

void SettingsModel::setSquelch(int value)
{
    value = std::clamp(value, 0, kSquelchMax);
    if (m_squelch == value)
        return;
    m_squelch = value;
    changed(Control::Squelch);
}

void SettingsModel::setBand(int index)
{
    setOption(m_band, index, kBandCount, Control::Band);
}

void SettingsModel::setMemoryChannel(int index)
{
    setOption(m_memoryChannel, index, static_cast<int>(m_memoryList.size()),
              Control::MemoryChannel);
}

void SettingsModel::setOperatingMode(int index)
{
    setOption(m_operatingMode, index, 4, Control::OperatingMode);
}

void SettingsModel::setScanOn(bool on)
{
    setCheck(m_scanOn, on, Control::ScanOn);
}

void SettingsModel::setPriorityMode(int index)
{
    setOption(m_priorityMode, index, 2, Control::PriorityMode);
}

void SettingsModel::setScanMode(int index)
{
    setOption(m_scanMode, index, static_cast<int>(m_scanModeList.size()), Control::ScanMode);
}

void SettingsModel::setAutoPowerOff(int index)
{
    setOption(m_autoPowerOff, index, 4, Control::AutoPowerOff);
}

void SettingsModel::setBugLevel(int index)
{
    setOption(m_bugLevel, index, 5, Control::BugLevel);
}

void SettingsModel::setToneBurst(int index)
{
    setOption(m_toneBurst, index, 4, Control::ToneBurst);
}

void SettingsModel::setFunctionFlag(int index, bool on)
{
    if (index < 0 || index >= kFlagCount)
        return;
    setCheck(m_flags[static_cast<size_t>(index)], on, Control::FunctionFlag, index);
}

void SettingsModel::setAutoProgram(bool on)
{
    setCheck(m_autoProgram, on, Control::AutoProgram);
}

void SettingsModel::setAutoStep(bool on)
{
    setCheck(m_autoStep, on, Control::AutoStep);
}

void SettingsModel::setLoVolume(bool on)
{
    setCheck(m_loVolume, on, Control::LoVolume);
}

void SettingsModel::setTxExtension(bool on)
{
    setCheck(m_txExtension, on, Control::TxExtension);
}

void SettingsModel::setScanResume(int index)
{
    setOption(m_scanResume, index, 2, Control::ScanResume);
}

SettingsModel::State SettingsModel::state() const
{
    return {m_model,           m_volume,        m_squelch,      m_band,        m_memoryChannel,
            m_operatingMode,   m_scanOn,        m_priorityMode, m_scanMode,    m_autoPowerOff,
            m_bugLevel,        m_toneBurst,     m_flags,        m_autoProgram, m_autoStep,
            m_loVolume,        m_txExtension,   m_scanResume,   m_bandEnabled, m_toneBurstVisible,
            m_bugLevelVisible, m_bugModeVisible};
}

void SettingsModel::restoreState(const State &s)
{
    if (s == state())
        return;
    const bool modelMoved = s.model != m_model;
    m_model = s.model;
    m_volume = s.volume;
    m_squelch = s.squelch;
    m_band = s.band;
    m_memoryChannel = s.memoryChannel;
    m_operatingMode = s.operatingMode;
    m_scanOn = s.scanOn;
    m_priorityMode = s.priorityMode;
    m_scanMode = s.scanMode;
    m_autoPowerOff = s.autoPowerOff;
    m_bugLevel = s.bugLevel;
    m_toneBurst = s.toneBurst;
    m_flags = s.flags;
    m_autoProgram = s.autoProgram;
    m_autoStep = s.autoStep;
    m_loVolume = s.loVolume;
    m_txExtension = s.txExtension;
    m_scanResume = s.scanResume;
    m_bandEnabled = s.bandEnabled;
    m_toneBurstVisible = s.toneBurstVisible;
    m_bugLevelVisible = s.bugLevelVisible;
    m_bugModeVisible = s.bugModeVisible;

    for (int c = 0; c <= static_cast<int>(Control::ScanResume); ++c) {
        const auto control = static_cast<Control>(c);
        if (control == Control::FunctionFlag) {
            for (int i = 0; i < kFlagCount; ++i)
                Q_EMIT valueChanged(control, i);
        } else {
            Q_EMIT valueChanged(control, 0);
        }
    }
    Q_EMIT availabilityChanged();
    if (modelMoved)
        Q_EMIT modelChanged(m_model);
}

} // namespace hxv5

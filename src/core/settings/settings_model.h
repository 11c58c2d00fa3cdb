#pragma once

#include "base/settings_values.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

namespace hxv5 {

// The radio's general settings as the settings panel holds them: one member per control, option
// groups as the index of the selected button (-1 when none is selected), check boxes as booleans,
// the two sliders with their value labels and the two lists.
//
// Every change, whether the user's or the decoder's, behaves like the control's change event: it
// reports modified() (the document sets its changed flag) and valueChanged(). Choosing a model
// variant also applies the model variant rules (which bands can be chosen, which groups are
// shown) and reports modelChanged() so that the VFO table can be redrawn. A selection the rules
// move counts as a change of that group too.
class SettingsModel : public QObject
{
    Q_OBJECT
public:
    enum class Control {
        Model,         // opbModel
        Volume,        // Slider1 / lblVol
        Squelch,       // Slider2 / lblSql
        Band,          // opbBand
        MemoryChannel, // cbbMemory
        OperatingMode, // opbOpMode
        ScanOn,        // chkScan
        PriorityMode,  // opbPri0
        ScanMode,      // cbbScanMode
        AutoPowerOff,  // opbAPO
        BugLevel,      // opbBug
        ToneBurst,     // opbBurst
        FunctionFlag,  // chkFlg1 (index 0..7)
        AutoProgram,   // chkAutoProg
        AutoStep,      // chkAutoStep
        LoVolume,      // chkLoVolume
        TxExtension,   // chkTxEx
        ScanResume,    // opbScanMode
    };
    Q_ENUM(Control)

    static constexpr int kVolumeMax = SettingsValues::kVolumeMax;
    static constexpr int kSquelchMax = SettingsValues::kSquelchMax;
    static constexpr int kBandCount = 7;
    static constexpr int kFlagCount = SettingsValues::kFlagCount;

    explicit SettingsModel(QObject *parent = nullptr);

    // Adds the entries of the memory-channel list and the scan-mode list and selects entry 0 of
    // each. Called once, before the first decoding.
    void FillSettingsLists();
    const QStringList &memoryList() const { return m_memoryList; }
    const QStringList &scanModeList() const { return m_scanModeList; }

    int model() const { return m_model; }
    int volume() const { return m_volume; }
    QString volumeLabel() const { return QString::number(m_volume); }
    int squelch() const { return m_squelch; }
    QString squelchLabel() const { return QString::number(m_squelch); }
    int band() const { return m_band; }
    int memoryChannel() const { return m_memoryChannel; }
    int operatingMode() const { return m_operatingMode; }
    bool scanOn() const { return m_scanOn; }
    int priorityMode() const { return m_priorityMode; }
    int scanMode() const { return m_scanMode; }
    int autoPowerOff() const { return m_autoPowerOff; }
    int bugLevel() const { return m_bugLevel; }
    int toneBurst() const { return m_toneBurst; }
    bool functionFlag(int index) const;
    bool autoProgram() const { return m_autoProgram; }
    bool autoStep() const { return m_autoStep; }
    bool loVolume() const { return m_loVolume; }
    bool txExtension() const { return m_txExtension; }
    int scanResume() const { return m_scanResume; }

    // What the model variant rules have made of the panel.
    bool bandEnabled(int band) const;
    bool toneBurstVisible() const { return m_toneBurstVisible; } // Frame12 "Tone Burst"
    bool bugLevelVisible() const { return m_bugLevelVisible; }   // Frame6 "Bug Sencitive Lebel"
    bool bugModeVisible() const { return m_bugModeVisible; }     // opbOpMode(2) "Bug"

    // Caption of option index of an option group (Model, Band, OperatingMode, PriorityMode,
    // AutoPowerOff, BugLevel, ToneBurst, ScanResume), or of function flag index, as the panel
    // labels it; an empty text for another control or an index outside the group.
    static QString optionCaption(Control group, int index);
    // The control's name in the history of changes: "Volume", "Scan Mode", ...
    static QString controlName(Control control);

    // Model variants the user can pick on the panel (0, 4, 5); the others are laid out hidden and
    // only a settings record selects them.
    static bool modelOffered(int model) { return model == 0 || model == 4 || model == 5; }

    // Setters act like the user's change of the control. Values outside a control's range are
    // ignored for option groups and lists and limited for the sliders.
    void setModel(int index);
    void setVolume(int value);
    void setSquelch(int value);
    void setBand(int index);
    void setMemoryChannel(int index);
    void setOperatingMode(int index);
    void setScanOn(bool on);
    void setPriorityMode(int index);
    void setScanMode(int index);
    void setAutoPowerOff(int index);
    void setBugLevel(int index);
    void setToneBurst(int index);
    void setFunctionFlag(int index, bool on);
    void setAutoProgram(bool on);
    void setAutoStep(bool on);
    void setLoVolume(bool on);
    void setTxExtension(bool on);
    void setScanResume(int index);

    // Everything the panel holds, the model variant rules' results included, for the history of
    // the user's changes.
    struct State
    {
        int model, volume, squelch, band, memoryChannel, operatingMode;
        bool scanOn;
        int priorityMode, scanMode, autoPowerOff, bugLevel, toneBurst;
        std::array<bool, kFlagCount> flags;
        bool autoProgram, autoStep, loVolume, txExtension;
        int scanResume;
        std::array<bool, kBandCount> bandEnabled;
        bool toneBurstVisible, bugLevelVisible, bugModeVisible;
        bool operator==(const State &) const = default;
    };
    State state() const;
    // Puts a state back as it was, without running the model variant rules again (they ran when
    // the state was made): every control reports valueChanged, and the panel follows; it is no
    // change event of the user, so modified() stays silent.
    void restoreState(const State &state);

Q_SIGNALS:
    // A control's value changed (index: the element of chkFlg1, otherwise 0).
    void valueChanged(hxv5::SettingsModel::Control control, int index);
    // A change event ran: the document's changed flag is to be set.
    void modified();
    // The enabled state of a band or the visibility of a group changed.
    void availabilityChanged();
    // A model variant was chosen and its rules applied: the VFO table is to be redrawn.
    void modelChanged(int model);

private:
    void applyModelRules(int index);
    void setBandEnabled(int band, bool enabled);
    void setVisibility(bool toneBurst, bool bugLevel, bool bugMode);
    bool setOption(int &member, int index, int count, Control control);
    void setCheck(bool &member, bool on, Control control, int index = 0);
    void changed(Control control, int index = 0);

    QStringList m_memoryList;
    QStringList m_scanModeList;

    int m_model = -1;
    int m_volume = 0;
    int m_squelch = 0;
    int m_band = -1;
    int m_memoryChannel = -1;
    int m_operatingMode = -1;
    bool m_scanOn = false;
    int m_priorityMode = -1;
    int m_scanMode = -1;
    int m_autoPowerOff = -1;
    int m_bugLevel = -1;
    int m_toneBurst = -1;
    std::array<bool, kFlagCount> m_flags{};
    bool m_autoProgram = false;
    bool m_autoStep = false;
    bool m_loVolume = false;
    bool m_txExtension = false;
    int m_scanResume = -1;

    std::array<bool, kBandCount> m_bandEnabled;
    bool m_toneBurstVisible = false; // Frame12 is laid out hidden
    bool m_bugLevelVisible = true;
    bool m_bugModeVisible = true;
};

} // namespace hxv5

#pragma once

#include "editing/channel_table.h"

#include <QChar>
#include <QCoreApplication>
#include <QString>

#include <array>

namespace hxv5 {

class EditTarget;

// What the edit dialog shows and does, without its widgets: the edit context, the value of every
// control and the enabled state of the option groups, the keystroke filter, the checks when a
// field loses the focus, "Auto Mode and Step", and the write-back on OK. The dialog is a view of
// one session, kept between openings like the dialog itself.
class EditSession
{
    Q_DECLARE_TR_FUNCTIONS(hxv5::EditSession)
public:
    enum class Kind { Memory, Vfo };
    static constexpr int kModeCount = 3;
    static constexpr int kStepOptionCount = 14;
    // How many characters the user may type into the frequency, offset and notes fields.
    static constexpr int kFrequencyLength = 9;
    static constexpr int kOffsetLength = 8;
    static constexpr int kNoteLength = 30;

    // Opens the session for a slot (0..212). Refused (false) while a transfer runs.
    bool openSlot(const EditTarget &document, int slot);
    // Opens the session for a VFO row (0..6). Refused when the selected model variant lacks the
    // band (the rows the VFO table draws as "-"), and while a transfer runs.
    bool openVfo(const EditTarget &document, int vfoRow);

    Kind kind() const { return m_kind; }
    int row() const { return m_row; } // slot or VFO row
    int model() const { return m_model; }

    QString caption() const;   // "Modify Memory" / "Modify VFO"
    QString modeLabel() const; // "Memory" / "VFO"
    const QString &channelLabel() const { return m_channelLabel; }
    const QString &rangeCaption() const { return m_rangeCaption; }
    bool enableVisible() const { return m_kind == Kind::Memory; }

    // The fields and options, as the user sees and sets them.
    QString frequencyText;
    QString noteText;
    QString offsetText;
    bool enableChecked = false;
    int mode = 0;
    int step = 0;
    int toneMode = 0;
    int txTone = 0;
    int rxTone = 0;
    int shift = 0;

    bool autoChecked() const { return m_auto; }
    bool modeGroupEnabled() const { return m_modeGroupEnabled; }
    bool modeEnabled(int option) const;
    bool stepGroupEnabled() const { return m_stepGroupEnabled; }
    bool stepEnabled(int option) const;

    // The keystroke filter of both number fields: digits and backspace pass; a point passes only
    // when the field holds none yet (also not inside the selection).
    static bool acceptKey(const QString &fieldText, QChar key);

    // The checks run when a field loses the focus: a value outside the allowed ranges is replaced
    // by the stored one, and the field is written in its fixed format.
    void frequencyLostFocus();
    void offsetLostFocus();
    // The rules behind both checks: whether a value typed into the field may be kept.
    bool frequencyAllowed(double mhz) const;
    static bool offsetAllowed(double mhz) { return mhz >= 0 && mhz < 100; }

    // "Auto Mode and Step": ticking chooses the mode and step once and locks both groups;
    // unticking unlocks them as the opening did and keeps the selections.
    void setAuto(bool on);

    // OK: runs both checks, then writes the values into the table row (and the slot's enable
    // flag) and sets the changed flag. Refused (false) while a transfer runs.
    bool accept(EditTarget &document);
    // The name of OK's step in the history: "Edit Channel 12", "Edit P0A", "Edit VFO AM".
    QString historyText() const;

    // What a cell of a list column shows for an option: the mode, step, tone-mode ("Rev." for
    // reverse, the dialog's own word), tone and shift texts.
    static QString optionText(int column, int option);

    // The row OK writes: base with the nine columns taken from the fields as they stand.
    TableRow rowFromFields(TableRow base) const;

    // A field's text read as a number: blanks skipped, leading digits and one point; anything
    // else ends it, and an empty text reads as 0.
    static double readNumber(const QString &text);

private:
    void writeBack(EditTarget &document);
    void unlockGroups();
    void loadStoredRow();

    Kind m_kind = Kind::Memory;
    int m_row = 0;
    int m_model = 0; // kept from the previous opening while no variant is selected
    TableRow m_stored;
    QString m_channelLabel;
    QString m_rangeCaption;
    bool m_auto = false;
    bool m_modeGroupEnabled = true;
    bool m_stepGroupEnabled = true;
    std::array<bool, kModeCount> m_modeEnabled{};
    std::array<bool, kStepOptionCount> m_stepEnabled{};
};

} // namespace hxv5

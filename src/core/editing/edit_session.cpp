#include "editing/edit_session.h"

#include "base/reference_tables.h"
#include "base/shown_text.h"
#include "editing/auto_mode_step.h"
#include "editing/edit_target.h"
#include "editing/vfo_defaults.h"
#include "image/channel_codec.h"

namespace hxv5 {

namespace {
constexpr int kFm = 0;
constexpr int kAmRow = 0, kSwRow = 1, kFmRow = 2;

// What the dialog offers for an empty slot, and puts back there when a typed value cannot be kept.
QString newSlotFrequency()
{
    return QStringLiteral("145.00000");
}

QString newSlotOffset()
{
    return QStringLiteral(".60000");
}
} // namespace

QString EditSession::caption() const
{
    return m_kind == Kind::Memory ? tr("Modify Memory") : tr("Modify VFO");
}

QString EditSession::modeLabel() const
{
    return m_kind == Kind::Memory ? tr("Memory") : QStringLiteral("VFO");
}

bool EditSession::modeEnabled(int option) const
{
    return option >= 0 && option < kModeCount && m_modeEnabled[static_cast<size_t>(option)];
}

bool EditSession::stepEnabled(int option) const
{
    return option >= 0 && option < kStepOptionCount && m_stepEnabled[static_cast<size_t>(option)];
}

bool EditSession::openSlot(const EditTarget &document, int slot)
{
    if (document.isBusy() || slot < 0 || slot >= kSlotCount)
        return false;
    m_kind = Kind::Memory;
    m_row = slot;
    if (document.model() >= 0)
        m_model = document.model();
    m_stored = document.channels().row(slot);
    m_channelLabel = slotDialogLabel(slot);
    m_rangeCaption.clear();
    m_auto = false;
    unlockGroups();

    if (m_stored.holdsChannel()) {
        loadStoredRow();
        enableChecked = document.channels().isEnabled(slot);
    } else {
        frequencyText = newSlotFrequency();
        noteText.clear();
        mode = kFm;
        step = 7; // 20KHz
        toneMode = 0;
        txTone = 8; // 88.5Hz
        rxTone = 8;
        shift = 0;
        offsetText = newSlotOffset();
        enableChecked = true;
    }
    return true;
}

bool EditSession::openVfo(const EditTarget &document, int vfoRow)
{
    if (document.isBusy() || vfoRow < 0 || vfoRow >= kVfoRowCount)
        return false;
    const int model = document.model() >= 0 ? document.model() : m_model;
    if (vfoRowHidden(model, vfoRow))
        return false;
    m_kind = Kind::Vfo;
    m_row = vfoRow;
    m_model = model;
    m_stored = document.vfo().row(vfoRow);
    m_channelLabel = vfoRowLabel(vfoRow);
    m_rangeCaption = bandPlan(model, vfoRow + 1).caption;
    m_auto = false;
    unlockGroups();

    loadStoredRow();
    enableChecked = false;
    return true;
}

void EditSession::loadStoredRow()
{
    frequencyText = m_stored.text[kColFrequency];
    noteText = m_stored.text[kColNotes];
    mode = static_cast<int>(m_stored.number[kColMode]);
    // A step the option list lacks (the megahertz steps) is kept as it is and written back.
    step = static_cast<int>(m_stored.number[kColStep]);
    toneMode = static_cast<int>(m_stored.number[kColTone]);
    txTone = static_cast<int>(m_stored.number[kColTxTone]);
    rxTone = static_cast<int>(m_stored.number[kColRxTone]);
    shift = static_cast<int>(m_stored.number[kColShift]);
    offsetText = m_stored.text[kColShiftFreq];
}

void EditSession::unlockGroups()
{
    m_modeGroupEnabled = true;
    m_stepGroupEnabled = true;
    if (m_kind == Kind::Memory) {
        m_modeEnabled = {true, true, true};
        m_stepEnabled.fill(true);
        m_stepEnabled[0] = m_model == 0; // "9KHz" only on the variant with 9 kHz AM steps
        return;
    }
    if (m_row == kAmRow || m_row == kSwRow)
        m_modeEnabled = {false, true, false};
    else if (m_row == kFmRow)
        m_modeEnabled = {false, false, true};
    else
        m_modeEnabled = {true, true, false};
    const bool nineOnly = m_model == 0 && m_row == kAmRow;
    m_stepEnabled.fill(!nineOnly);
    m_stepEnabled[0] = nineOnly;
}

bool EditSession::acceptKey(const QString &fieldText, QChar key)
{
    if (key.isDigit() && key.unicode() < 128)
        return true;
    if (key == QChar(0x08))
        return true;
    if (key == QLatin1Char('.'))
        return !fieldText.contains(QLatin1Char('.'));
    return false;
}

double EditSession::readNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    QString number;
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            number += c;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
            number += c;
        } else {
            break;
        }
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok ? value : 0.0;
}

bool EditSession::frequencyAllowed(double f) const
{
    if (m_kind == Kind::Memory)
        return memoryFrequencyValid(f, m_model);
    const BandPlanEntry plan = bandPlan(m_model, m_row + 1);
    return f >= plan.lower && f <= plan.upper;
}

void EditSession::frequencyLostFocus()
{
    const double f = readNumber(frequencyText);
    if (m_kind == Kind::Memory) {
        if (!frequencyAllowed(f)) {
            frequencyText =
                m_stored.holdsChannel() ? m_stored.text[kColFrequency] : newSlotFrequency();
            return;
        }
        frequencyText = formatMHz(f);
        return;
    }
    if (!frequencyAllowed(f))
        frequencyText = m_stored.text[kColFrequency];
    frequencyText = formatMHz(readNumber(frequencyText));
}

void EditSession::offsetLostFocus()
{
    // The radio's record carries at most 99.99999 MHz: a larger offset gives way to the stored
    // one, on a memory slot as on a VFO band, so that what the field shows is what is kept. An
    // empty slot has none and takes the offset the dialog offers it.
    if (!offsetAllowed(readNumber(offsetText))) {
        offsetText = m_kind == Kind::Memory && !m_stored.holdsChannel()
                         ? newSlotOffset()
                         : m_stored.text[kColShiftFreq];
    }
    offsetText = formatMHz(readNumber(offsetText));
}

void EditSession::setAuto(bool on)
{
    m_auto = on;
    if (!on) {
        unlockGroups();
        return;
    }
    m_modeGroupEnabled = false;
    m_stepGroupEnabled = false;
    m_modeEnabled.fill(false);
    m_stepEnabled.fill(false);
    const ModeStep choice = m_kind == Kind::Memory
                                ? autoModeStepForFrequency(readNumber(frequencyText), m_model)
                                : autoModeStepForBand(m_row, m_model);
    mode = choice.mode;
    step = choice.step;
}

QString EditSession::historyText() const
{
    if (m_kind == Kind::Vfo)
        return tr("Edit VFO %1").arg(shownText(kTableTexts, vfoRowLabel(m_row)));
    if (m_row < kChannelCount)
        return tr("Edit Channel %1").arg(m_row);
    return tr("Edit %1").arg(slotRowLabel(m_row));
}

bool EditSession::accept(EditTarget &document)
{
    if (document.isBusy())
        return false;
    return document.recordStep(historyText(), [&] {
        writeBack(document);
        return true;
    });
}

QString EditSession::optionText(int column, int option)
{
    switch (column) {
    case kColMode:
        return modeText(option);
    case kColStep:
        return stepText(option);
    case kColTone:
        // The dialog's own word for reverse tone; the decoder writes "Rev".
        return option == 3 ? QString::fromLatin1(QT_TRANSLATE_NOOP("hxv5::TableTexts", "Rev."))
                           : toneModeText(option);
    case kColTxTone:
    case kColRxTone:
        return toneText(option);
    case kColShift:
        return shiftText(option);
    default:
        return {};
    }
}

TableRow EditSession::rowFromFields(TableRow row) const
{
    const double frequency = readNumber(frequencyText);
    row.number[kColFrequency] = frequency;
    row.text[kColFrequency] = formatMHz(frequency);
    const int options[] = {mode, step, toneMode, txTone, rxTone, shift};
    for (int column = kColMode; column <= kColShift; ++column) {
        const int option = options[column - kColMode];
        row.number[static_cast<size_t>(column)] = option;
        row.text[static_cast<size_t>(column)] = optionText(column, option);
    }
    const double offset = readNumber(offsetText);
    row.number[kColShiftFreq] = offset;
    row.text[kColShiftFreq] = formatMHz(offset);
    row.text[kColNotes] = noteText;
    return row;
}

void EditSession::writeBack(EditTarget &document)
{
    frequencyLostFocus();
    offsetLostFocus();
    const TableRow row = rowFromFields(m_kind == Kind::Memory ? document.channels().row(m_row)
                                                              : document.vfo().row(m_row));
    document.setChanged(true);
    if (m_kind == Kind::Memory)
        document.channels().setSlot(m_row, row, enableChecked);
    else
        document.vfo().setRow(m_row, row);
}

} // namespace hxv5

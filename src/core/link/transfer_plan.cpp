#include "link/transfer_plan.h"

#include "document/document.h"
#include "image/channel_codec.h"

#include <QCoreApplication>
#include <QStringList>

namespace hxv5 {

namespace {

bool holdsChannel(const QString &record)
{
    TableRow row;
    return decodeRecord(record, row);
}

// The question before a write that clears channels; the command line gives it in English, the
// window in the user's language.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(hxv5::TransferPlan)
};

// How many of the channels a write would clear are named in its question.
constexpr qsizetype kNamedClearedChannels = 5;

// "The radio holds 57 channels that this write clears: 0 "145.00000", 1 "145.50000", ..."
QString clearedChannelsNotice(int count, const QStringList &named)
{
    const QString separator = Texts::tr(", ");
    const QString list =
        named.join(separator) + (count > named.size() ? separator + QStringLiteral("...")
                                                      : Texts::tr(".", "the end of a sentence"));
    if (count == 1)
        return Texts::tr("The radio holds 1 channel that this write clears: %1").arg(list);
    return Texts::tr("The radio holds %1 channels that this write clears: %2")
        .arg(QString::number(count), list);
}

// A slot's record into the document; a record that holds no channel leaves the slot without a
// frequency, so that it shows blank.
void decodeSlot(Document &document, int slot, QStringView data)
{
    if (!document.DecodeChannelRecord(data, slot)) {
        TableRow row = document.channels().row(slot);
        row.number[kColFrequency] = 0;
        row.text[kColFrequency].clear();
        document.channels().setRow(slot, row);
    }
}

QList<int> slotsAndBands(QList<int> first, bool slots)
{
    for (int i = 0; i < (slots ? kSlotCount : kVfoRowCount); ++i)
        first.append(slots ? i : vfoBlock(i));
    return first;
}

// The radio already holds planned: the same text, the text the program would send back for what
// it holds, or a slot without a channel whatever else its record holds.
bool radioHolds(const RadioImage &image, const TransferStep &planned)
{
    const auto block = static_cast<size_t>(planned.block);
    if (image.held.at(block) == planned.text || image.asSent.at(block) == planned.text)
        return true;
    return planned.block < kSlotCount && !holdsChannel(planned.text) &&
           !holdsChannel(image.held.at(block));
}

} // namespace

QList<int> imageReadOrder()
{
    return slotsAndBands(
        slotsAndBands({kSettingsBlock}, false) + QList<int>{kEnableBlock0, kEnableBlock1}, true);
}

TransferPlan readPlan(const QList<int> &blocks)
{
    TransferPlan plan;
    for (int block : blocks)
        plan.append({block, false, {}});
    return plan;
}

TransferPlan memoryReadPlan()
{
    return readPlan(slotsAndBands({kEnableBlock0, kEnableBlock1}, true));
}

TransferPlan settingsReadPlan()
{
    return readPlan(slotsAndBands({kSettingsBlock}, false));
}

TransferPlan readBackPlan(const TransferPlan &written)
{
    TransferPlan plan = written;
    for (TransferStep &step : plan)
        step.write = false;
    return plan;
}

TransferPlan memoryWritePlan(Document &document)
{
    document.FlagsToBitmap();
    TransferPlan plan{{kEnableBlock0, true, document.enableBlocks().at(0)},
                      {kEnableBlock1, true, document.enableBlocks().at(1)}};
    for (int slot = 0; slot < kSlotCount; ++slot)
        plan.append({slot, true, document.EncodeChannelRecord(slot)});
    return plan;
}

TransferPlan settingsWritePlan(Document &document)
{
    document.EncodeSettingsRecord();
    TransferPlan plan{{kSettingsBlock, true, document.settingsRecord()}};
    for (int row = 0; row < kVfoRowCount; ++row)
        plan.append({vfoBlock(row), true, document.EncodeVfoRecord(row)});
    return plan;
}

TransferPlan safeWritePlan(WriteHalf half, Document &document, const RadioImage &image,
                           bool changesOnly)
{
    TransferPlan plan;
    if (half == WriteHalf::Settings) {
        document.settings().setTxExtension(txExtensionOf(image.held.at(kSettingsBlock)));
        plan = settingsWritePlan(document);
    } else {
        plan = memoryWritePlan(document);
    }
    if (changesOnly)
        plan.removeIf([&image](const TransferStep &planned) { return radioHolds(image, planned); });
    return plan;
}

void storeReadBlock(Document &document, int block, const QString &data)
{
    if (block < kSlotCount) {
        decodeSlot(document, block, data);
    } else if (block == kSettingsBlock) {
        document.setSettingsRecord(data);
        document.DecodeSettingsRecord();
    } else if (block >= kFirstVfoBlock) {
        document.DecodeVfoRecord(data, block - kFirstVfoBlock);
    } else {
        // Each half of the bitmap is kept the moment it arrives; the flags follow the second.
        document.setEnableBlock(block - kEnableBlock0, data);
        if (block == kEnableBlock1)
            document.BitmapToFlags();
    }
}

// Bit 2 of the low digit of byte 13 of the settings block.
bool txExtensionOf(const QString &settingsData)
{
    return QStringLiteral("4567CDEF").contains(settingsData.at(27));
}

void decodeRadioImage(const BlockTexts &held, Document &radio)
{
    for (int block : imageReadOrder())
        storeReadBlock(radio, block, held.at(static_cast<size_t>(block)));
}

BlockTexts imageAsSent(Document &radio, const BlockTexts &held)
{
    // The radio keeps bits the program does not know of (an erased slot reads as no channel and
    // would go back as a cleared record): a block whose text differs only in those holds what
    // the document holds. A settings write always carries the radio's own TX extension bit.
    radio.settings().setTxExtension(txExtensionOf(held.at(kSettingsBlock)));
    BlockTexts asSent;
    for (const TransferPlan &plan : {settingsWritePlan(radio), memoryWritePlan(radio)}) {
        for (const TransferStep &step : plan)
            asSent.at(static_cast<size_t>(step.block)) = step.text;
    }
    return asSent;
}

QString clearedChannelsQuestion(const Document &document, const BlockTexts &held)
{
    int count = 0;
    QStringList named;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        TableRow heldRow;
        if (!decodeRecord(held.at(static_cast<size_t>(slot)), heldRow) ||
            holdsChannel(document.EncodeChannelRecord(slot)))
            continue;
        if (++count <= kNamedClearedChannels)
            named.append(slotRowLabel(slot) + QStringLiteral(" \"") + heldRow.text[kColFrequency] +
                         QLatin1Char('"'));
    }
    return count == 0 ? QString() : clearedChannelsNotice(count, named);
}

} // namespace hxv5

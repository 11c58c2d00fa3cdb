#pragma once

#include "image/clone_image.h"

#include <QList>
#include <QString>

#include <array>

namespace hxv5 {

class Document;

// One block of a transfer: read it, or write text to it. A read back carries the text it
// should find.
struct TransferStep
{
    int block = 0;
    bool write = false;
    QString text;

    friend bool operator==(const TransferStep &, const TransferStep &) = default;
};

// The blocks of a transfer, in the order they go.
using TransferPlan = QList<TransferStep>;

// A text for every block of the radio, by block number.
using BlockTexts = std::array<QString, kLastBlock + 1>;

// What the radio held when a safe write read it first.
struct RadioImage
{
    BlockTexts held;
    // The same image as the program would write it back.
    BlockTexts asSent;
};

// The blocks of the whole image in the order they are read before a write: the settings
// block, the VFO bands, the enable bitmap, the slots.
QList<int> imageReadOrder();

TransferPlan readPlan(const QList<int> &blocks);
// Read Memory: the enable bitmap, then slots 0..212.
TransferPlan memoryReadPlan();
// Read Settings: the settings block, then the VFO bands.
TransferPlan settingsReadPlan();
// Each block sent, read back in the same order.
TransferPlan readBackPlan(const TransferPlan &written);

// The plain writes, every block with its text encoded from the document (which keeps the
// encoded settings record and enable blocks as its own). The settings write carries the TX
// extension the document holds: set it to the radio's first.
TransferPlan memoryWritePlan(Document &document);
TransferPlan settingsWritePlan(Document &document);

// A write after the radio's image was read: the settings carry the radio's TX extension, and
// when only changes go, the blocks the radio holds already are left out.
enum class WriteHalf { Settings, Memory };
TransferPlan safeWritePlan(WriteHalf half, Document &document, const RadioImage &image,
                           bool changesOnly);

// What a read does with each block's 32 characters as they arrive.
void storeReadBlock(Document &document, int block, const QString &data);
// The radio's TX extension in its settings block.
bool txExtensionOf(const QString &settingsData);

// The image into radio, as a read of everything would have left it in the window.
void decodeRadioImage(const BlockTexts &held, Document &radio);
// What the program would send back for each block of held, decoded into radio.
BlockTexts imageAsSent(Document &radio, const BlockTexts &held);

// The question before a memory write that clears channels the radio holds; empty when it clears
// none.
QString clearedChannelsQuestion(const Document &document, const BlockTexts &held);

} // namespace hxv5

#include "editing/bulk_edit.h"

#include "editing/edit_target.h"

#include <QCoreApplication>
#include <QPair>

#include <algorithm>

namespace hxv5 {

namespace {

// What an edit of many channels tells; the command line gives it in English, the window in the
// user's language.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(hxv5::BulkEdit)
};

// "channel 12", "channels 3, 4, P0A and 17 more".
QString slotsText(const QList<int> &slots)
{
    constexpr int kNamed = 3;
    QStringList named;
    for (int slot : slots.mid(0, kNamed))
        named << slotRowLabel(slot);
    const QString list = named.join(Texts::tr(", "));
    if (slots.size() == 1)
        return Texts::tr("channel %1").arg(list);
    if (slots.size() <= kNamed)
        return Texts::tr("channels %1").arg(list);
    return Texts::tr("channels %1 and %2 more").arg(list, QString::number(slots.size() - kNamed));
}

// one and many hold the count as %1.
QString count(int n, const char *one, const char *many)
{
    return Texts::tr(n == 1 ? one : many).arg(n);
}

} // namespace

bool editChannels(EditTarget &document, const QList<int> &slots, const BulkEdit &edit,
                  BulkEditReport &report)
{
    report = {};
    if (document.isBusy())
        return false;
    QList<int> chosen;
    for (int slot : slots) {
        if (slot >= 0 && slot < kSlotCount && !chosen.contains(slot))
            chosen.append(slot);
    }
    std::sort(chosen.begin(), chosen.end());
    QList<QPair<QString, QList<int>>> refused;
    const auto refuse = [&refused](const QString &reason, int slot) {
        auto it = std::find_if(refused.begin(), refused.end(),
                               [&](const auto &entry) { return entry.first == reason; });
        if (it == refused.end())
            refused.append({reason, {slot}});
        else
            it->second.append(slot);
    };
    ChannelTable &channels = document.channels();
    const bool done = document.recordStep(Texts::tr("Edit Selected Channels"), [&] {
        for (int slot : std::as_const(chosen)) {
            const TableRow stored = channels.row(slot);
            EditSession session;
            if (stored.isEmpty() || !session.openSlot(document, slot)) {
                ++report.empty;
                continue;
            }
            TableRow row = stored;
            for (const FieldValue &value : edit.fields) {
                const QString reason = fieldRefusal(session, value);
                if (reason.isEmpty())
                    putField(row, value);
                else
                    refuse(reason, slot);
            }
            if (edit.autoModeStep)
                putAutoModeStep(row, session);
            const bool enabled = edit.enable.value_or(channels.isEnabled(slot));
            if (row == stored && enabled == channels.isEnabled(slot)) {
                ++report.unchanged;
                continue;
            }
            ++report.changed;
            document.setChanged(true);
            channels.setSlot(slot, row, enabled);
        }
        return report.changed > 0;
    });
    for (const auto &[reason, kept] : std::as_const(refused))
        report.left << Texts::tr("%1: left as it was on %2").arg(reason, slotsText(kept));
    return done;
}

QString bulkEditSummary(const BulkEditReport &report)
{
    QStringList parts{count(report.changed,
                            QT_TRANSLATE_NOOP("hxv5::BulkEdit", "%1 channel changed"),
                            QT_TRANSLATE_NOOP("hxv5::BulkEdit", "%1 channels changed"))};
    if (report.unchanged > 0)
        parts << Texts::tr("%1 unchanged").arg(report.unchanged);
    if (report.empty > 0)
        parts << count(report.empty,
                       QT_TRANSLATE_NOOP("hxv5::BulkEdit", "%1 empty slot passed over"),
                       QT_TRANSLATE_NOOP("hxv5::BulkEdit", "%1 empty slots passed over"));
    return parts.join(Texts::tr(", ")) + Texts::tr(".", "the end of a sentence");
}

} // namespace hxv5

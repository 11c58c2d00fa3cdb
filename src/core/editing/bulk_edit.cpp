#include "editing/bulk_edit.h"

#include "editing/edit_target.h"

#include <QPair>

#include <algorithm>

namespace hxv5 {

namespace {

// "channel 12", "channels 3, 4, P0A and 17 more".
QString slotsText(const QList<int> &slots)
{
    constexpr int kNamed = 3;
    QStringList named;
    for (int slot : slots.mid(0, kNamed))
        named << slotRowLabel(slot);
    QString text = (slots.size() == 1 ? QStringLiteral("channel ") : QStringLiteral("channels ")) +
                   named.join(QLatin1String(", "));
    if (slots.size() > kNamed)
        text += QStringLiteral(" and %1 more").arg(slots.size() - kNamed);
    return text;
}

QString count(int n, const char *one, const char *many)
{
    return QString::number(n) + QLatin1Char(' ') + QLatin1String(n == 1 ? one : many);
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
    const bool done = document.recordStep(QStringLiteral("Edit Selected Channels"), [&] {
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
        report.left << reason + QStringLiteral(": left as it was on ") + slotsText(kept);
    return done;
}

QString bulkEditSummary(const BulkEditReport &report)
{
    QStringList parts{count(report.changed, "channel changed", "channels changed")};
    if (report.unchanged > 0)
        parts << QString::number(report.unchanged) + QStringLiteral(" unchanged");
    if (report.empty > 0)
        parts << count(report.empty, "empty slot passed over", "empty slots passed over");
    return parts.join(QLatin1String(", ")) + QLatin1Char('.');
}

} // namespace hxv5

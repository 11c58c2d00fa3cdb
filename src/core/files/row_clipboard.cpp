#include "files/row_clipboard.h"

#include "base/table_row.h"
#include "document/document.h"
#include "files/note_text.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <array>
#include <optional>

namespace hxv5 {

namespace {

// What a paste asks and tells; the copied rows themselves keep the columns' own names.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(hxv5::RowClipboard)
};

// Our columns: Channel, the nine data columns, Enable.
constexpr int kChannelColumn = -1;
constexpr int kEnableColumn = kColumnCount;
constexpr int kCopiedColumns = kColumnCount + 2;

QStringList headerCells()
{
    QStringList cells = {QStringLiteral("Channel")};
    for (int c = 0; c < kColumnCount; ++c)
        cells.append(columnHeader(c));
    cells.append(QStringLiteral("Enable"));
    return cells;
}

// A text as one cell: line breaks and tabs become blanks, and a text that a spreadsheet would not
// keep as it is (blanks at an end, a quote in front) goes in double quotes as spreadsheets write
// it.
QString oneCell(QString text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|[\t\r\n]"));
    text.replace(breaks, QStringLiteral(" "));
    if (text.startsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char(' ')) ||
        text.startsWith(QLatin1Char('"')))
        return QLatin1Char('"') + text.replace(QLatin1String("\""), QLatin1String("\"\"")) +
               QLatin1Char('"');
    return text;
}

QStringList rowCells(const ChannelTable &channels, int slot)
{
    QStringList cells = {slotRowLabel(slot)};
    for (int c = 0; c < kColumnCount; ++c)
        cells.append(oneCell(channels.text(slot, c)));
    cells.append(channels.isEnabled(slot) ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
    return cells;
}

QList<int> validSlots(const QList<int> &slots)
{
    QList<int> valid;
    for (int slot : slots) {
        if (slot >= 0 && slot < kSlotCount && !valid.contains(slot))
            valid.append(slot);
    }
    std::sort(valid.begin(), valid.end());
    return valid;
}

QString csvField(QString text)
{
    text.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// A column name as it is compared: letters only, in lower case.
QString columnKey(const QString &name)
{
    QString key;
    for (QChar c : name) {
        if (c.isLetter())
            key += c.toLower();
    }
    return key;
}

// Which of our columns a header cell names; nothing for a name we do not know.
std::optional<int> namedColumn(const QString &cell)
{
    const QString key = columnKey(cell);
    if (key.isEmpty())
        return std::nullopt;
    if (key == QLatin1String("channel"))
        return kChannelColumn;
    if (key == QLatin1String("enable") || key == QLatin1String("enabled"))
        return kEnableColumn;
    if (key == QLatin1String("shiftfrequency") || key == QLatin1String("offset"))
        return kColShiftFreq;
    for (int c = 0; c < kColumnCount; ++c) {
        if (key == columnKey(columnHeader(c)))
            return c;
    }
    return std::nullopt;
}

// A cell as a spreadsheet writes it: in double quotes, a quote inside doubled, when it holds a
// quote or blanks at an end; blanks around the quotes do not count.
QString cellText(const QString &cell)
{
    const QString text = cell.trimmed();
    if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
        return text.mid(1, text.size() - 2).replace(QLatin1String("\"\""), QLatin1String("\""));
    return cell;
}

// What a new channel holds in the edit dialog, per data column and Enable.
QString defaultText(int column)
{
    static const char *const defaults[kColumnCount + 1] = {
        "", "FM", "20KHz", "None", "88.5Hz", "88.5Hz", "None", ".60000", "", "TRUE"};
    return QString::fromLatin1(defaults[column]);
}

bool isTrueText(const QString &text)
{
    const QString value = text.trimmed();
    for (const char *word : {"#TRUE#", "TRUE", "1", "-1"}) {
        if (value.compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Where each of our columns (the data columns and Enable) stands in a line: -1 when it lacks it.
using ColumnPlaces = std::array<int, kColumnCount + 1>;

// The columns a header line names, when at least two of its cells are column names.
std::optional<ColumnPlaces> headerColumns(const QStringList &cells)
{
    ColumnPlaces at;
    at.fill(-1);
    int named = 0;
    for (int k = 0; k < cells.size(); ++k) {
        const std::optional<int> column = namedColumn(cellText(cells.at(k)));
        if (!column)
            continue;
        ++named;
        if (*column != kChannelColumn && at[static_cast<size_t>(*column)] < 0)
            at[static_cast<size_t>(*column)] = k;
    }
    if (named < 2)
        return std::nullopt;
    return at;
}

// The columns of a copy, whose first line is data: a first cell with a decimal sign is a
// frequency, so the copy has no Channel column.
ColumnPlaces copyColumns(const QStringList &cells)
{
    const QString first = cellText(cells.first());
    const int start = first.contains(QLatin1Char('.')) || first.contains(QLatin1Char(',')) ? 0 : 1;
    ColumnPlaces at;
    for (int c = 0; c <= kColumnCount; ++c)
        at[static_cast<size_t>(c)] = start + c;
    return at;
}

// One pasted line for the given slot: empty when row holds what it stores, else why it is skipped.
QString readPastedRow(const QStringList &cells, const ColumnPlaces &at, int slot, int model,
                      CsvRow &row)
{
    QStringList texts;
    // Empty as a copy writes an empty slot: a Frequency cell, and no value up to ShiftFreq.
    const int frequencyAt = at[static_cast<size_t>(kColFrequency)];
    bool empty = frequencyAt >= 0 && frequencyAt < cells.size();
    for (int c = 0; c <= kColumnCount; ++c) {
        const int k = at[static_cast<size_t>(c)];
        const bool given = k >= 0 && k < cells.size();
        const QString value = given ? cellText(cells.at(k)) : defaultText(c);
        if (given && c < kColNotes && !value.trimmed().isEmpty())
            empty = false;
        texts.append(value);
    }
    row.index = slot;
    if (!empty)
        return checkSlotFields(texts, slot, model, row);
    // An empty slot, as a copy writes one, with what it held besides.
    row.row.text[kColNotes] = noteForStorage(texts.at(kColNotes));
    const int enable = at[static_cast<size_t>(kEnableColumn)];
    row.enabled = enable >= 0 && enable < cells.size() && isTrueText(cellText(cells.at(enable)));
    return {};
}

} // namespace

QString copiedRowsText(const ChannelTable &channels, const QList<int> &slots)
{
    const QLatin1String end("\r\n");
    QString text = headerCells().join(QLatin1Char('\t')) + end;
    for (int slot : validSlots(slots))
        text += rowCells(channels, slot).join(QLatin1Char('\t')) + end;
    return text;
}

QByteArray copiedRowsCsv(const ChannelTable &channels, const QList<int> &slots)
{
    const auto line = [](const QStringList &cells) {
        QStringList fields;
        for (const QString &cell : cells)
            fields.append(csvField(cell));
        return fields.join(QLatin1Char(',')).toUtf8() + "\r\n";
    };
    QByteArray bytes = line(headerCells());
    for (int slot : validSlots(slots))
        bytes += line(rowCells(channels, slot));
    return bytes;
}

PastedRows readPastedRows(const QString &text, int firstSlot, int model,
                          const std::function<bool(int slot)> &shown)
{
    PastedRows pasted;
    std::optional<ColumnPlaces> columns;
    const auto nextShown = [&shown](int slot) {
        while (shown && slot < kSlotCount && !shown(slot))
            ++slot;
        return slot;
    };
    int slot = nextShown(firstSlot);
    int line = 0;
    // Line by line (CR LF, LF and CR each end one) without splitting the whole text first: once
    // the slots run out, the lines left are only counted, so that a pasted million rows costs
    // no more than a glance at each.
    for (qsizetype start = 0; start <= text.size();) {
        qsizetype end = start;
        while (end < text.size() && text.at(end) != u'\r' && text.at(end) != u'\n')
            ++end;
        const QStringView lineText = QStringView(text).sliced(start, end - start);
        const bool crLf =
            end + 1 < text.size() && text.at(end) == u'\r' && text.at(end + 1) == u'\n';
        start = end + (crLf ? 2 : 1);
        ++line;
        if (lineText.trimmed().isEmpty())
            continue;
        if (slot >= kSlotCount) {
            pasted.report.skip(line, Texts::tr("there is no slot left below Pri"));
            continue;
        }
        const QStringList cells = lineText.toString().split(QLatin1Char('\t'));
        if (!columns) {
            columns = headerColumns(cells);
            if (columns)
                continue; // the header line
            columns = copyColumns(cells);
        }
        CsvRow row;
        if (const QString reason = readPastedRow(cells, *columns, slot, model, row);
            reason.isEmpty())
            pasted.rows.append(row);
        else
            pasted.report.skip(line, reason);
        slot = nextShown(slot + 1);
    }
    pasted.report.taken = static_cast<int>(pasted.rows.size());
    return pasted;
}

QString pasteSummary(const CsvImportReport &report)
{
    return Texts::tr("%1 pasted, %2 skipped.")
        .arg(rowCountText(report.taken), rowCountText(report.skippedCount()));
}

bool pasteRows(Document &doc, const QString &text, int firstSlot,
               const std::function<bool(const QString &title, const QString &text)> &confirm,
               CsvImportReport &report, const std::function<bool(int slot)> &shown)
{
    report = {};
    if (doc.isBusy() || firstSlot < 0 || firstSlot >= kSlotCount)
        return false;
    const PastedRows pasted = readPastedRows(text, firstSlot, doc.model(), shown);
    report = pasted.report;
    if (pasted.rows.isEmpty())
        return false;
    return doc.recordStep(Texts::tr("Paste"), [&] {
        int occupied = 0;
        for (const CsvRow &row : pasted.rows) {
            if (doc.channels().row(row.index).holdsChannel())
                ++occupied;
        }
        if (occupied > 0) {
            QString question =
                (occupied == 1
                     ? Texts::tr("Paste replaces the channel in 1 slot.")
                     : Texts::tr("Paste replaces the channels in %1 slots.").arg(occupied)) +
                QLatin1String("\r\n") + Texts::tr("Are you sure that you want to paste over them?");
            bool passesHidden = false;
            for (int slot = pasted.rows.constFirst().index;
                 shown && slot <= pasted.rows.constLast().index; ++slot)
                passesHidden = passesHidden || !shown(slot);
            if (passesHidden)
                question.prepend(Texts::tr("The rows go to the rows shown; the hidden rows between "
                                           "them stay as they are.") +
                                 QLatin1String("\r\n"));
            if (!confirm || !confirm(Texts::tr("PASTE OK"), question))
                return false;
        }
        doc.setChanged(true);
        applyCsvRows(pasted.rows, doc);
        return true;
    });
}

} // namespace hxv5

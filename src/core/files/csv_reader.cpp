#include "files/csv_reader.h"

namespace hxv5 {

CsvReader::CsvReader(const QString &text, CsvDialect dialect) : m_text(text), m_dialect(dialect) {}

// True when nothing but blanks and line ends is left: the end before a record's first field.
bool CsvReader::atEnd()
{
    while (m_pos < m_text.size() && (isBlank(m_pos) || isLineEnd(m_pos))) {
        if (isLineEnd(m_pos))
            m_afterSeparator = false; // the empty field after a comma is passed over with it
        ++m_pos;
    }
    return m_pos >= m_text.size();
}

// The next field; nothing when the text ends before it.
std::optional<CsvField> CsvReader::next()
{
    Q_ASSERT(m_dialect.quotes == CsvDialect::Quotes::AtFieldStart);
    skipBlanks();
    CsvField field;
    field.start = m_pos;
    field.beginsLine = beginsLine(m_pos);
    const bool afterComma = std::exchange(m_afterSeparator, false);
    if (m_pos >= m_text.size()) {
        if (afterComma)
            return field; // a comma at the very end: one empty field after it
        return std::nullopt;
    }
    if (isLineEnd(m_pos)) {
        skipLineEnd(); // a blank line, or the empty field after a comma: the line end ends it
        return field;
    }
    if (at(m_pos) == u'"') {
        field.quoted = true;
        readQuoted(field);
    } else {
        const qsizetype start = m_pos;
        skipToSeparator();
        field.source = &m_text;
        field.from = start;
        field.length = m_pos - start;
    }
    skipSeparator();
    return field;
}

// Whether the next field begins a line and is exactly "HX-V5": the start of a record.
bool CsvReader::atRecordStart()
{
    if (!beginsLine(skipBlanksFrom(m_pos)))
        return false; // most fields: no need to read it
    const qsizetype pos = m_pos;
    const bool afterComma = m_afterSeparator;
    const std::optional<CsvField> field = next();
    m_pos = pos;
    m_afterSeparator = afterComma;
    return field && field->beginsLine && field->value() == m_dialect.recordMark;
}

// The line of a position, counted from 1 (CR LF, LF and CR each end one).
int CsvReader::lineOf(qsizetype pos)
{
    if (pos < m_counted) {
        m_counted = 0;
        m_line = 1;
    }
    // Plain characters: this runs over every character of a long file.
    const auto *data = reinterpret_cast<const char16_t *>(m_text.constData());
    const qsizetype size = m_text.size();
    for (; m_counted < pos; ++m_counted) {
        const char16_t c = data[m_counted];
        if (c == u'\n' || (c == u'\r' && !(m_counted + 1 < size && data[m_counted + 1] == u'\n')))
            ++m_line;
    }
    return m_line;
}

void CsvReader::seek(Place state, int line)
{
    seek(state);
    m_counted = state.first;
    m_line = line;
}

void CsvReader::skipLinesStartingWith(QChar mark)
{
    while (m_pos < m_text.size() && at(m_pos) == mark) {
        while (m_pos < m_text.size() && !isLineEnd(m_pos))
            ++m_pos;
        if (m_pos < m_text.size())
            skipLineEnd();
    }
}

bool CsvReader::readLineFields(QStringList &fields)
{
    Q_ASSERT(m_dialect.quotes == CsvDialect::Quotes::Anywhere);
    // Plain characters: this runs over every character of a long file.
    const auto *data = reinterpret_cast<const char16_t *>(m_text.constData());
    const qsizetype size = m_text.size();
    const char16_t separator = m_dialect.separator.unicode();
    const auto crLfAt = [data, size](qsizetype i) {
        return data[i] == u'\r' && i + 1 < size && data[i + 1] == u'\n';
    };
    // The line ends are counted on the way, for lineOf when it has counted up to here.
    int lines = 0;
    const auto counted = [this, &lines, from = m_pos] {
        if (m_counted == from) {
            m_counted = m_pos;
            m_line += lines;
        }
    };
    fields.clear();
    QString field;
    bool quoted = false;
    qsizetype run = m_pos; // where the text not yet taken into field starts
    const auto take = [&](qsizetype end) { field.append(QStringView(data + run, end - run)); };
    for (; m_pos < size; ++m_pos) {
        const char16_t c = data[m_pos];
        const bool lineEnd = c == u'\n' || c == u'\r';
        if (lineEnd && !crLfAt(m_pos))
            ++lines;
        if (quoted) {
            if (c != u'"')
                continue;
            take(m_pos);
            if (m_pos + 1 < size && data[m_pos + 1] == u'"') {
                ++m_pos; // a doubled quote stands for one: the second starts the next run
                run = m_pos;
            } else {
                quoted = false;
                run = m_pos + 1;
            }
        } else if (c == u'"' || c == separator) {
            take(m_pos);
            run = m_pos + 1;
            quoted = c == u'"';
            if (c == separator) {
                fields.append(field);
                field.clear();
            }
        } else if (lineEnd) {
            take(m_pos);
            if (crLfAt(m_pos)) {
                ++m_pos;
                ++lines;
            }
            ++m_pos;
            fields.append(field);
            counted();
            return true;
        }
    }
    counted();
    if (quoted)
        return false;
    take(size);
    fields.append(field);
    return true;
}

// A comma or a line end; after a comma one more field follows, even at the end of the text.
void CsvReader::skipSeparator()
{
    if (m_pos >= m_text.size())
        return;
    if (at(m_pos) == m_dialect.separator) {
        ++m_pos;
        m_afterSeparator = true;
        return;
    }
    skipLineEnd();
}

// Whether the line starting at i cannot go on a text in quotes from the line before: it
// begins a field in quotes (a lone quote, or an empty "" field) or a record, or there is no
// line at all.
bool CsvReader::beginsField(qsizetype i) const
{
    i = skipBlanksFrom(i);
    if (i >= m_text.size())
        return true;
    if (at(i) == u'"') {
        if (i + 1 >= m_text.size() || at(i + 1) != u'"')
            return true;
        const qsizetype after = skipBlanksFrom(i + 2);
        return after >= m_text.size() || isSeparator(after);
    }
    const qsizetype end = i + m_dialect.recordMark.size();
    return QStringView(m_text).sliced(i).startsWith(m_dialect.recordMark) &&
           (end >= m_text.size() || isSeparator(end));
}

// From the opening quote: the text up to its closing quote, which the separator must follow,
// a doubled quote read as one; line ends inside while the record goes on.
void CsvReader::readQuoted(CsvField &field)
{
    const qsizetype open = m_pos;
    // While the text holds no doubled quote and no line end it stands in the file as it is.
    bool asIs = true;
    QString text;
    for (qsizetype pos = open + 1;;) {
        qsizetype stop = pos;
        while (stop < m_text.size() && at(stop) != u'"' && !isLineEnd(stop))
            ++stop;
        if (!asIs)
            text += QStringView(m_text).sliced(pos, stop - pos);
        if (stop >= m_text.size())
            break;
        const bool doubled = at(stop) == u'"' && stop + 1 < m_text.size() && at(stop + 1) == u'"';
        if (at(stop) == u'"' && !doubled) {
            // The closing quote; anything between it and the separator is dropped.
            if (asIs) {
                field.source = &m_text;
                field.from = open + 1;
                field.length = stop - open - 1;
            } else {
                field.own = text;
            }
            m_pos = stop + 1;
            skipToSeparator();
            return;
        }
        const qsizetype next = doubled ? stop + 2 : afterLineEnd(stop);
        if (!doubled && beginsField(next))
            break;
        if (std::exchange(asIs, false))
            text = QStringView(m_text).sliced(open + 1, stop - open - 1).toString();
        text +=
            QStringView(m_text).sliced(doubled ? stop + 1 : stop, next - stop - (doubled ? 1 : 0));
        pos = next;
    }

    // Not closed while the record went on. A text written the old way, quotes inside it
    // unchanged, ends at the first quote on its line; with none the line end bounds it.
    qsizetype stop = open + 1;
    while (stop < m_text.size() && at(stop) != u'"' && !isLineEnd(stop))
        ++stop;
    field.source = &m_text;
    field.from = open + 1;
    field.length = stop - open - 1;
    m_pos = stop;
    if (stop < m_text.size() && at(stop) == u'"') {
        ++m_pos;
        skipToSeparator();
    } else {
        field.damaged = true;
    }
}

} // namespace hxv5

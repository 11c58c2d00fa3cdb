#pragma once

#include <QLatin1String>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <utility>

namespace hxv5 {

// One field of a CSV text.
struct CsvField
{
    // The text: a stretch of the reader's text when it stands there as it is, else its own.
    const QString *source = nullptr;
    qsizetype from = 0;
    qsizetype length = 0;
    QString own;
    bool quoted = false;
    bool damaged = false;    // in quotes that are not closed
    bool beginsLine = false; // nothing but blanks before it on its line
    qsizetype start = 0;     // where it starts in the text

    QStringView value() const
    {
        return source ? QStringView(*source).sliced(from, length) : QStringView(own);
    }
    QString text() const { return value().toString(); }
};

// How the fields of a text are written.
struct CsvDialect
{
    QChar separator = u',';
    enum class Quotes {
        // As this program's files have them: blanks around a field do not count, a quote opens
        // a text only at a field's start and must close before the separator; a text in quotes
        // that is not closed is read as the old writer left it (see CsvReader::next).
        AtFieldStart,
        // As spreadsheets write them, read a line at a time (readLineFields): every character
        // counts, a quote anywhere opens a stretch in quotes that may hold separators and line
        // ends, a doubled quote in it is one.
        Anywhere,
    } quotes = Quotes::AtFieldStart;
    // A field that begins a line and reads this starts a record (AtFieldStart only): a text in
    // quotes that is not closed does not run on into such a line.
    QLatin1String recordMark;
};

// A CSV text as one stream of fields, each with its place, that can be read again from a place
// read before. Lines are counted from 1; CR LF, LF and CR each end one.
class CsvReader
{
public:
    CsvReader(const QString &text, CsvDialect dialect);

    // True when nothing but blanks and line ends is left: the end before a record's first field.
    bool atEnd();
    // The next field; nothing when the text ends before it.
    std::optional<CsvField> next();
    // Whether the next field begins a line and is the record mark: the start of a record.
    bool atRecordStart();
    // The fields up to the next line end outside quotes (Quotes::Anywhere); false when a quote is
    // still open at the end of the text.
    bool readLineFields(QStringList &fields);
    // Passes over the lines from here that begin with mark.
    void skipLinesStartingWith(QChar mark);
    bool atTextEnd() const { return m_pos >= m_text.size(); }

    // Where the reader stands, to read on from there later.
    using Place = std::pair<qsizetype, bool>;
    Place state() const { return {m_pos, m_afterSeparator}; }
    void seek(Place state) { std::tie(m_pos, m_afterSeparator) = state; }
    // The same, for a place known to stand on the given line.
    void seek(Place state, int line);

    // The line of a position. Cheap for positions in increasing order.
    int lineOf(qsizetype pos);

private:
    QChar at(qsizetype i) const { return m_text.at(i); }
    bool isBlank(qsizetype i) const { return at(i) == u' ' || at(i) == u'\t'; }
    bool isLineEnd(qsizetype i) const { return at(i) == u'\r' || at(i) == u'\n'; }
    bool isCrLf(qsizetype i) const
    {
        return at(i) == u'\r' && i + 1 < m_text.size() && at(i + 1) == u'\n';
    }
    bool isSeparator(qsizetype i) const { return at(i) == m_dialect.separator || isLineEnd(i); }

    qsizetype skipBlanksFrom(qsizetype i) const
    {
        while (i < m_text.size() && isBlank(i))
            ++i;
        return i;
    }
    void skipBlanks() { m_pos = skipBlanksFrom(m_pos); }
    void skipToSeparator()
    {
        while (m_pos < m_text.size() && !isSeparator(m_pos))
            ++m_pos;
    }
    bool beginsLine(qsizetype i) const
    {
        while (i > 0 && isBlank(i - 1))
            --i;
        return i == 0 || isLineEnd(i - 1);
    }
    // Past the line end at i: CR LF, LF or CR.
    qsizetype afterLineEnd(qsizetype i) const { return i + (isCrLf(i) ? 2 : 1); }
    void skipLineEnd() { m_pos = afterLineEnd(m_pos); }

    void skipSeparator();
    bool beginsField(qsizetype i) const;
    void readQuoted(CsvField &field);

    const QString &m_text;
    CsvDialect m_dialect;
    qsizetype m_pos = 0;
    bool m_afterSeparator = false;
    qsizetype m_counted = 0; // lineOf has counted the line ends before this position
    int m_line = 1;
};

} // namespace hxv5

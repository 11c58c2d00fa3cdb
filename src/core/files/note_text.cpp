#include "files/note_text.h"

#include <QStringDecoder>

namespace hxv5 {

namespace {

// A decoder that reports a truncated or malformed sequence as an error, with nothing carried
// over to the next call: every line is decoded on its own.
bool decodeCleanly(QStringDecoder &&decoder, QByteArrayView bytes, QString &text)
{
    if (!decoder.isValid())
        return false;
    text = decoder.decode(bytes);
    return !decoder.hasError();
}

} // namespace

QString decodeTextLine(QByteArrayView line)
{
    constexpr auto kFlags = QStringDecoder::Flag::Stateless;
    QString text;
    if (decodeCleanly(QStringDecoder(QStringDecoder::Utf8, kFlags), line, text))
        return text;
    if (decodeCleanly(QStringDecoder("Shift_JIS", kFlags), line, text))
        return text;
    if (decodeCleanly(QStringDecoder("windows-1252", kFlags), line, text))
        return text;
    return QStringDecoder(QStringDecoder::Latin1)(line);
}

bool legacyEncodingsAvailable()
{
    return QStringDecoder("Shift_JIS").isValid() && QStringDecoder("windows-1252").isValid();
}

QString noteForStorage(const QString &note)
{
    if (!note.contains(QLatin1Char('\r')) && !note.contains(QLatin1Char('\n')))
        return note;
    QString text = note;
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace hxv5

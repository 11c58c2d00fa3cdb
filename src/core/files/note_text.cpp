#include "files/note_text.h"

#include "files/code_pages.h"

#include <QStringDecoder>

namespace hxv5 {

QString decodeTextLine(QByteArrayView line)
{
    // Every line is decoded on its own: nothing is carried over to the next.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(line);
    if (!utf8.hasError())
        return text;
    for (const CodePage page : {CodePage::ShiftJis, CodePage::Windows1252}) {
        if (std::optional<QString> decoded = decodeCodePage(page, line))
            return *decoded;
    }
    return QStringDecoder(QStringDecoder::Latin1)(line);
}

bool legacyEncodingsAvailable()
{
    return codePageAvailable(CodePage::ShiftJis) && codePageAvailable(CodePage::Windows1252);
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

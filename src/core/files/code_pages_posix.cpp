#include "files/code_pages.h"

#include <QStringDecoder>

namespace hxv5 {

namespace {

const char *decoderName(CodePage page)
{
    return page == CodePage::ShiftJis ? "Shift_JIS" : "windows-1252";
}

} // namespace

std::optional<QString> decodeCodePage(CodePage page, QByteArrayView bytes)
{
    // Stateless: a truncated sequence is an error, nothing is carried over to another call.
    QStringDecoder decoder(decoderName(page), QStringDecoder::Flag::Stateless);
    if (!decoder.isValid())
        return std::nullopt;
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

bool codePageAvailable(CodePage page)
{
    return QStringDecoder(decoderName(page)).isValid();
}

} // namespace hxv5

// Any input as a settings record: decoding must not crash, must leave a 32-character record,
// and what it leaves must encode to a record that decodes and encodes to itself.
#include "settings/settings_model.h"
#include "settings/settings_record.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

using namespace hxv5;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QString record =
        QString::fromLatin1(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    SettingsModel settings;
    settings.FillSettingsLists();
    DecodeSettingsRecord(record, settings);
    if (record.size() != 32)
        std::abort();
    const QString encoded = EncodeSettingsRecord(settings);
    if (encoded.size() != 32)
        std::abort();
    QString again = encoded;
    SettingsModel other;
    other.FillSettingsLists();
    DecodeSettingsRecord(again, other);
    if (again != encoded || EncodeSettingsRecord(other) != encoded)
        std::abort();
    return 0;
}

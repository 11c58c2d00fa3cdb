#pragma once

#include <QString>

namespace hxv5 {

class SettingsModel;

// The settings record and the settings model, through the values the record codec reads and
// writes (image/settings_codec.h has the record's layout).

// Spreads the record over the model, in byte order (so the model variant rules run before the
// band is set). A record without the mark "A5" (or not 32 characters long) is first replaced by
// the default record of the variant selected now. A field above its range takes its fallback
// value, which is also written back into the record, so that the record stays consistent with the
// model.
void DecodeSettingsRecord(QString &record, SettingsModel &settings);

// Builds a new record from the model.
QString EncodeSettingsRecord(const SettingsModel &settings);

} // namespace hxv5

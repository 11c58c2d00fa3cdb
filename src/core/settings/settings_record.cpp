#include "settings/settings_record.h"

#include "image/settings_codec.h"
#include "settings/settings_model.h"

namespace hxv5 {

void DecodeSettingsRecord(QString &record, SettingsModel &s)
{
    const SettingsValues v = decodeSettingsValues(record, s.model());

    // Each setter behaves like the control's change event, and choosing the model variant
    // decides which bands can be chosen: the values go in in the record's byte order.
    s.setModel(v.model);
    s.setVolume(v.volume);
    s.setSquelch(v.squelch);
    s.setBand(v.band);
    s.setMemoryChannel(v.memoryChannel);
    s.setOperatingMode(v.operatingMode);
    s.setScanOn(v.scanOn);
    s.setPriorityMode(v.priorityMode);
    s.setScanMode(v.scanMode);
    s.setAutoPowerOff(v.autoPowerOff);
    s.setBugLevel(v.bugLevel);
    s.setToneBurst(v.toneBurst);
    for (int i = 0; i < SettingsModel::kFlagCount; ++i)
        s.setFunctionFlag(i, v.functionFlags[static_cast<size_t>(i)]);
    s.setAutoProgram(v.autoProgram);
    s.setScanResume(v.scanResume);
    s.setAutoStep(v.autoStep);
    s.setLoVolume(v.loVolume);
    s.setTxExtension(v.txExtension);
}

QString EncodeSettingsRecord(const SettingsModel &s)
{
    SettingsValues v;
    v.model = s.model();
    v.volume = s.volume();
    v.squelch = s.squelch();
    v.band = s.band();
    v.memoryChannel = s.memoryChannel();
    v.operatingMode = s.operatingMode();
    v.scanOn = s.scanOn();
    v.priorityMode = s.priorityMode();
    v.scanMode = s.scanMode();
    v.autoPowerOff = s.autoPowerOff();
    v.bugLevel = s.bugLevel();
    v.toneBurst = s.toneBurst();
    for (int i = 0; i < SettingsModel::kFlagCount; ++i)
        v.functionFlags[static_cast<size_t>(i)] = s.functionFlag(i);
    v.autoProgram = s.autoProgram();
    v.scanResume = s.scanResume();
    v.autoStep = s.autoStep();
    v.loVolume = s.loVolume();
    v.txExtension = s.txExtension();
    return encodeSettingsValues(v);
}

} // namespace hxv5

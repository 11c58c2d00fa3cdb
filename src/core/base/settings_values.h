#pragma once

#include <array>

namespace hxv5 {

// The values the settings record holds, in the record's byte order, as the settings panel holds
// them: option groups and lists as the index of the selected entry (-1 when none is selected),
// check boxes as booleans.
struct SettingsValues
{
    static constexpr int kVolumeMax = 30;
    // The radio's squelch runs 0..10; the control covers the whole range so that a decoded 10 is
    // shown and written back as it came.
    static constexpr int kSquelchMax = 10;
    static constexpr int kFlagCount = 8;

    int model = -1;
    int volume = 0;
    int squelch = 0;
    int band = -1;
    int memoryChannel = -1;
    // The operating mode byte: which of the four modes, whether scan is on, and what the priority
    // and bug modes work on.
    int operatingMode = -1;
    bool scanOn = false;
    int priorityMode = -1;
    int scanMode = -1;
    int autoPowerOff = -1;
    int bugLevel = -1;
    int toneBurst = -1;
    std::array<bool, kFlagCount> functionFlags{};
    bool autoProgram = false;
    int scanResume = -1;
    bool autoStep = false;
    bool loVolume = false;
    bool txExtension = false;
};

} // namespace hxv5

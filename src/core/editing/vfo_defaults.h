#pragma once

#include "editing/channel_table.h"

namespace hxv5 {

// Writes the band defaults of a model variant into rows 0..6 of the VFO table. Notes are never
// touched. For variants 1 to 3 the FM row's frequency and step are left as they are: those
// variants have no FM band plan to take a default from.
void SetVfoDefaults(VfoTable &vfo, int model);

// Whether a model variant lacks a band, so that its VFO row is drawn as "-" in every data cell
// (the row keeps its data and is still written to the radio and to files).
bool vfoRowHidden(int model, int row);

} // namespace hxv5

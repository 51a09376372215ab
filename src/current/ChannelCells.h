#pragma once

#include "current/CurrentBlock.h"
#include "current/CurrentDisplay.h"

namespace vrx {

// Fills the channel cells of the value panel (pulse value, diameter range, heat energy and
// power, volume, flow rate, operating time, temperature, pressure and sensor range) from the
// block: which cells are visible, which show a value and which "----".
void FillChannelCells(const CurrentContext& context, CurrentDisplay& display);

// Texts as wide as the widest a channel cell of the row shows (the row's label, e.g. "lbQ": all
// the digits the block holds); empty for the errors, whose lines wrap.
QStringList WidestChannelTexts(const QString& rowLabel);

// Whether the block says channel k measures flow, and temperature (the presence tests the cells
// share with nothing else).
bool FlowPresent(const CurrentContext& context, int channel);
bool TemperaturePresent(const CurrentContext& context, int channel);

}  // namespace vrx

#pragma once

#include "image/SettingsImage.h"
#include "init/InitWorkspace.h"
#include "link/ConnectionState.h"
#include "link/DeviceLink.h"
#include "link/InstrumentBuffer.h"
#include "model/Messages.h"
#include "stamp/PcTimeConfirmation.h"
#include "stamp/PcTimeStamp.h"

namespace vrx {

// "Провести инициализацию" on the tab "Инициализация VRX". The caller posts a pending cell edit
// of the channel grid first (its setter runs as for any edit).
//
// In this order: validates the tab (ValidateSettings); identifies the instrument and requires
// the type selected in the model list ("Задан неправильный тип прибора") and, on a VRX-L13
// before sub-version 30, a scheme other than the 29th; reads a fresh settings image into
// `buffer`; stamps the PC time into it (the first stamp of the run asks `confirmation`; a
// refusal throws EAbort); encodes the tab into it (EncodeSettingsImage); writes it with command
// 0 when "Стирать архив" (CheckBox1) is checked, else 18, and reads it back. Then, on a VRX-L1,
// offers to leave initialization mode and sends command 3 on "Да"; on the other models reports
// success and warns about a written image the instrument cannot work with.
//
// Nothing is written when validation, identification, reading, the time stamp or the encoding
// fails. Errors propagate: EValidation (with the control to focus), EOwned and EComPort from
// the link, EAbort for the refused time. `state` and `buffer` are the link's, and `state` must
// be the workspace's.
void InitializeDevice(InitWorkspace& workspace, DeviceLink& link, ConnectionState& state,
                      InstrumentBuffer& buffer, PcTimeStamp& stamp,
                      PcTimeConfirmation& confirmation, Messages& messages);

// Encodes the values of the tab into a settings image read from the connected instrument:
// network address, scheme code and cleared counters, then the fields of the old (VRX-L1) or the
// new format. Bytes the tab does not edit keep what the instrument sent. A text that is not a
// number where one is needed (a VRX-L1 cold-water pressure must be an integer) raises EOwned;
// the image is then partly encoded and must not be written.
void EncodeSettingsImage(const InitWorkspace& workspace, SettingsImage& image);

}  // namespace vrx

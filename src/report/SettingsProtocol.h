#pragma once

#include <QDateTime>
#include <cstdint>
#include <functional>

#include "init/InitWorkspace.h"
#include "report/Document.h"

namespace vrx {

// The settings protocol: what the instrument holds, for the acceptance documents of a metering
// unit. It is made from the first tab while the tab shows what was last read from the instrument
// (or written and read back) in this run.

// Throws EOwned with the reason and what to do when there is no such reading, or when the tab
// was edited since.
void RequireInstrumentShown(const InitWorkspace& workspace);

// The picture of a picture number (TSchemeRecord::PictureNumber); throws EOwned when it cannot
// be loaded.
using SchemePictureLoader = std::function<DocumentPicture(uint32_t pictureNumber)>;

// The protocol of the tab's reading made at `madeAt`: the instrument (model, type entry, firmware,
// number and address), the time of its last initialization where its block holds it, the scheme
// with its picture, every setting the tab shows with its label, the channel and circuit tables as
// on screen, the last comparison with a template, and the lines to sign. Checks
// RequireInstrumentShown first.
Document BuildSettingsProtocol(const InitWorkspace& workspace, const QDateTime& madeAt,
                               const SchemePictureLoader& picture);

}  // namespace vrx

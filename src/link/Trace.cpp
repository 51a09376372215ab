#include "link/Trace.h"

namespace vrx {

Q_LOGGING_CATEGORY(lcLink, "vrx.link", QtWarningMsg)

}  // namespace vrx

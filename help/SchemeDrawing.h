#pragma once

#include <QImage>

#include "SchemeSketch.h"

namespace vrx {

// Draws a scheme picture: the models and their scheme numbers on top, then a pipe per measuring
// channel between the heat source and the consumer with the channel's transducers on it, the
// heat circuits each channel counts into, the optional channel and a legend.
QImage DrawScheme(const SchemeSketch& sketch);

}  // namespace vrx

#pragma once

// Planted on purpose: the lower layer reaches up.
#include "high/High.h"

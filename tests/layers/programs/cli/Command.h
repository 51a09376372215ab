#pragma once

// Planted on purpose: the companion takes from the window's folder.
#include "app/Window.h"

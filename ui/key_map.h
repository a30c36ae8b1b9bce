// Which game key a virtual-key code of WM_KEYDOWN is.
#pragma once

#include <cstdint>

#include "flow/turn_cycle.h"

// Tab, Enter, Space and the four arrows; every other key is KEY_OTHER.
GameKey game_key_for(std::uintptr_t virtual_key);

#include "ui/key_map.h"

GameKey game_key_for(std::uintptr_t virtual_key) {
    switch (virtual_key) {
    case 9: // VK_TAB
        return GameKey::KEY_CHEAT;
    case 13: // VK_RETURN
    case 32: // VK_SPACE
        return GameKey::KEY_PLAY;
    case 37: // VK_LEFT
        return GameKey::KEY_LEFT;
    case 38: // VK_UP
        return GameKey::KEY_UP;
    case 39: // VK_RIGHT
        return GameKey::KEY_RIGHT;
    case 40: // VK_DOWN
        return GameKey::KEY_DOWN;
    default:
        return GameKey::KEY_OTHER;
    }
}

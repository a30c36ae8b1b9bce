// The keys of WM_KEYDOWN that the game knows; everything else is KEY_OTHER.
#include <gtest/gtest.h>

#include <cstdint>

#include "ui/key_map.h"

namespace {

TEST(KeyMap, MapsTheSevenGameKeysAndNothingElse) {
    const struct {
        std::uintptr_t key;
        GameKey game_key;
    } mapped[] = {
        {9, GameKey::KEY_CHEAT}, {13, GameKey::KEY_PLAY}, {32, GameKey::KEY_PLAY},
        {37, GameKey::KEY_LEFT}, {38, GameKey::KEY_UP},   {39, GameKey::KEY_RIGHT},
        {40, GameKey::KEY_DOWN},
    };
    for (const auto& m : mapped) {
        EXPECT_EQ(game_key_for(m.key), m.game_key) << "key " << m.key;
    }
    int known = 0;
    for (std::uintptr_t key = 0; key < 256; ++key) {
        known += game_key_for(key) != GameKey::KEY_OTHER;
    }
    EXPECT_EQ(known, 7);
}

// Neighbours of the mapped codes, the keypad's arrows and digits, the accelerator keys and
// codes that agree with a mapped one only in their low bits.
TEST(KeyMap, OtherKeysAreKeyOther) {
    const std::uintptr_t others[] = {
        0,
        8,
        10,
        12,
        14,
        31,
        33,
        36,
        41,
        0x64,
        0x66,
        0x68,
        0x62,
        0x60,
        0x31,
        0x36,
        0x4E,
        0x58,
        0x70,
        0x71,
        0x74,
        0x10,
        0x11,
        0x12,
        0xFF,
        0x109,
        0x125,
        std::uintptr_t{1} << 16 | 40,
        (~std::uintptr_t{0} & ~std::uintptr_t{0xFF}) | 13,
    };
    for (const std::uintptr_t key : others) {
        EXPECT_EQ(game_key_for(key), GameKey::KEY_OTHER) << "key " << key;
    }
}

} // namespace

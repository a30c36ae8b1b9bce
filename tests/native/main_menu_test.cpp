// The menu bar and accelerators as data: the order, commands and texts the window is built from.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "ui/commands.h"
#include "ui/main_menu.h"

namespace {

// Other programs send these numbers; they are fixed.
TEST(Commands, IdentifiersAreTheWindowsInterface) {
    EXPECT_EQ(CMD_NEW_GAME, 101);
    EXPECT_EQ(CMD_EXIT, 109);
    EXPECT_EQ(CMD_RULES, 199);
    EXPECT_EQ(CMD_LEVEL_1, 201);
    EXPECT_EQ(CMD_LEVEL_6, 206);
    EXPECT_EQ(CMD_LANGUAGE, 207);
    EXPECT_EQ(TIMER_MOVE, 1u);
    EXPECT_EQ(TIMER_SOUND, 77u);
    EXPECT_EQ(TIMER_SOUND_PERIOD_MS, 3333u);
}

TEST(Accelerators, TableInOrder) {
    const struct {
        int flags;
        int key;
        int command;
    } expected[] = {
        {9, 0x4E, 101}, {1, 0x71, 101}, {0x11, 0x58, 109}, {1, 0x31, 201}, {1, 0x32, 202},
        {1, 0x33, 203}, {1, 0x34, 204}, {1, 0x35, 205},    {1, 0x36, 206},
    };
    ASSERT_EQ(std::size(ACCELERATORS), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ACCELERATORS[i].flags, expected[i].flags);
        EXPECT_EQ(ACCELERATORS[i].key, expected[i].key);
        EXPECT_EQ(ACCELERATORS[i].command, expected[i].command);
    }
}

struct ExpectedEntry {
    MenuPlace place;
    MenuEntryKind kind;
    int command; // items only
    const char* english;
    const char* german;
};

using P = MenuPlace;
using K = MenuEntryKind;

const ExpectedEntry EXPECTED_MENU[] = {
    {P::BAR, K::POPUP_GAME, 0, "&Game", "&Spiel"},
    {P::GAME_MENU, K::ITEM, 101, "&New Game\tCtrl+N", "&Neues Spiel\tF2"},
    {P::GAME_MENU, K::SEPARATOR, 0, nullptr, nullptr},
    {P::GAME_MENU, K::ITEM, 109, "E&xit\tAlt+X", "&Beenden\tAlt+X"},
    {P::BAR, K::POPUP_OPTIONS, 0, "&Options", "&Optionen"},
    {P::OPTIONS_MENU, K::ITEM, 201, "&Novice\t1", "&Anf\xE4nger\t1"},
    {P::OPTIONS_MENU, K::ITEM, 202, "&Easy\t2", "&Leicht\t2"},
    {P::OPTIONS_MENU, K::ITEM, 203, "&Regular\t3", "&Normal\t3"},
    {P::OPTIONS_MENU, K::ITEM, 204, "&Difficult\t4", "&Schwierig\t4"},
    {P::OPTIONS_MENU, K::ITEM, 205, "&Advanced\t5", "&Raffiniert\t5"},
    {P::OPTIONS_MENU, K::ITEM, 206, "&Professionel\t6", "&Professionell\t6"},
    {P::BAR, K::ITEM, 199, "?", "?"},
};

TEST(MenuTable, OrderCommandsAndTextsInBothLanguages) {
    ASSERT_EQ(std::size(MENU_TABLE), std::size(EXPECTED_MENU));
    for (const bool german : {false, true}) {
        for (std::size_t i = 0; i < std::size(EXPECTED_MENU); ++i) {
            SCOPED_TRACE(testing::Message() << (german ? "german " : "english ") << i);
            const MenuEntry& entry = MENU_TABLE[i];
            const ExpectedEntry& want = EXPECTED_MENU[i];
            EXPECT_EQ(entry.place, want.place);
            EXPECT_EQ(entry.kind, want.kind);
            if (want.kind == K::ITEM) {
                EXPECT_EQ(entry.command, want.command);
            }
            const char* text = menu_entry_text(entry, german);
            const char* want_text = german ? want.german : want.english;
            if (want_text == nullptr) {
                EXPECT_EQ(text, nullptr);
            } else {
                ASSERT_NE(text, nullptr);
                EXPECT_EQ(std::string(text), want_text);
            }
        }
    }
}

} // namespace

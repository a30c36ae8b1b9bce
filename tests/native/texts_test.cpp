#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "flow/play_state.h"
#include "flow/texts.h"

namespace {

std::u16string_view view(const char16_t* text) {
    return std::u16string_view(text);
}

std::vector<std::u16string> split_lines(std::u16string_view text) {
    std::vector<std::u16string> lines(1);
    for (const char16_t c : text) {
        if (c == u'\r') {
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

std::u16string status_line(std::int32_t level, bool german) {
    char16_t out[STATUS_TEXT_UNITS];
    level_status_line(level, german, out, STATUS_TEXT_UNITS);
    return out;
}

bool is_high_surrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

struct NamedPair {
    const char* name;
    TextPair16 pair;
};

const NamedPair ALL_PAIRS[] = {
    {"TXT_LEVEL_PREFIX", TXT_LEVEL_PREFIX},
    {"TXT_MUST_PASS", TXT_MUST_PASS},
    {"TXT_END_OF_GAME", TXT_END_OF_GAME},
    {"TXT_WHITE_WINS", TXT_WHITE_WINS},
    {"TXT_BLACK_WINS", TXT_BLACK_WINS},
    {"TXT_DRAW", TXT_DRAW},
    {"TXT_F2_NEW_GAME", TXT_F2_NEW_GAME},
    {"TXT_LEVEL_NAME[0]", TXT_LEVEL_NAME[0]},
    {"TXT_LEVEL_NAME[1]", TXT_LEVEL_NAME[1]},
    {"TXT_LEVEL_NAME[2]", TXT_LEVEL_NAME[2]},
    {"TXT_LEVEL_NAME[3]", TXT_LEVEL_NAME[3]},
    {"TXT_LEVEL_NAME[4]", TXT_LEVEL_NAME[4]},
    {"TXT_LEVEL_NAME[5]", TXT_LEVEL_NAME[5]},
    {"TXT_NEW_GAME_CAPTION", TXT_NEW_GAME_CAPTION},
    {"TXT_NEW_GAME_QUESTION", TXT_NEW_GAME_QUESTION},
    {"TXT_EXIT_CAPTION", TXT_EXIT_CAPTION},
    {"TXT_EXIT_QUESTION", TXT_EXIT_QUESTION},
    {"TXT_ABOUT_CAPTION", TXT_ABOUT_CAPTION},
    {"TXT_RULES", TXT_RULES},
    {"TXT_UNINSTALL_CAPTION", TXT_UNINSTALL_CAPTION},
    {"TXT_UNINSTALL_QUESTION", TXT_UNINSTALL_QUESTION},
    {"TXT_INSTALL_QUESTION", TXT_INSTALL_QUESTION},
};

const char16_t* const SHARED_TEXTS[] = {TXT_WINDOW_TITLE, TXT_BOARD_TITLE,    TXT_BOARD_TITLE_CHEAT,
                                        TXT_ABOUT_HEADER, TXT_INSTALL_HEADER, TXT_INSTALL_CAPTION};

const MenuTextPair ALL_MENU_PAIRS[] = {MENU_GAME,     MENU_NEW_GAME, MENU_EXIT,     MENU_OPTIONS,
                                       MENU_LEVEL[0], MENU_LEVEL[1], MENU_LEVEL[2], MENU_LEVEL[3],
                                       MENU_LEVEL[4], MENU_LEVEL[5]};

TEST(TextTable, LengthsInUtf16Units) {
    struct Case {
        const char* name;
        std::u16string text;
        std::size_t units;
    };
    const Case cases[] = {
        {"TXT_RULES English", TXT_RULES.english, 268},
        {"TXT_RULES German", TXT_RULES.german, 289},
        {"TXT_BOARD_TITLE_CHEAT", TXT_BOARD_TITLE_CHEAT, 14},
        {"TXT_INSTALL_HEADER", TXT_INSTALL_HEADER, 27},
        {"German level 6 status line", status_line(6, true), 54},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.text.size(), c.units) << c.name;
    }
}

TEST(TextTable, LinesAreSeparatedByCarriageReturnAlone) {
    for (const NamedPair& p : ALL_PAIRS) {
        EXPECT_EQ(view(p.pair.english).find(u'\n'), std::u16string_view::npos) << p.name;
        EXPECT_EQ(view(p.pair.german).find(u'\n'), std::u16string_view::npos) << p.name;
    }
    for (std::size_t i = 0; i < std::size(SHARED_TEXTS); ++i) {
        EXPECT_EQ(view(SHARED_TEXTS[i]).find(u'\n'), std::u16string_view::npos) << "shared " << i;
    }
}

TEST(TextTable, SpellingsThatAreEasyToGetWrong) {
    EXPECT_EQ(view(TXT_ABOUT_CAPTION.english), u"AboutQuandor (Ombrisk)");
    EXPECT_EQ(view(TXT_ABOUT_CAPTION.german), u"\u00DCber Quandor (Ombrisk)");
    EXPECT_EQ(view(TXT_WHITE_WINS.german), u"Wei\u00DF gewinnt!");
    EXPECT_EQ(view(TXT_LEVEL_NAME[0].german), u"Anf\u00E4nger");
    EXPECT_EQ(view(TXT_LEVEL_NAME[5].english), u"Professionel");
    EXPECT_EQ(view(TXT_LEVEL_NAME[5].german), u"Professionell");
    EXPECT_EQ(view(TXT_INSTALL_QUESTION.german), u"F\u00FCr alle Benutzer installieren?");
    EXPECT_EQ(view(TXT_F2_NEW_GAME.english), u"\rF2 = New Game");
    EXPECT_EQ(view(TXT_F2_NEW_GAME.german), u"\rF2 = Neues Spiel");
}

TEST(CheatTitle, IsQuandorInBoldFrakturAsSurrogatePairs) {
    const std::u16string_view title = TXT_BOARD_TITLE_CHEAT;
    const std::string_view word = "Quandor";
    ASSERT_EQ(title.size(), 2 * word.size());
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char16_t high = title[2 * i];
        const char16_t low = title[2 * i + 1];
        ASSERT_TRUE(is_high_surrogate(high)) << i;
        ASSERT_TRUE(low >= 0xDC00 && low <= 0xDFFF) << i;
        const std::uint32_t code = 0x10000 + ((high - 0xD800u) << 10) + (low - 0xDC00u);
        const std::uint32_t expected =
            i == 0 ? 0x1D56C + (word[i] - 'A') : 0x1D586 + (word[i] - 'a');
        EXPECT_EQ(code, expected) << "letter " << word[i];
    }
}

TEST(Rules, FourteenLinesWithEmptyOnesBetweenTheParagraphs) {
    for (const char16_t* rules : {TXT_RULES.english, TXT_RULES.german}) {
        const std::vector<std::u16string> lines = split_lines(rules);
        ASSERT_EQ(lines.size(), 14u);
        for (const int empty : {0, 2, 4, 8, 10, 12}) {
            EXPECT_TRUE(lines[empty].empty()) << "line " << empty;
        }
        for (const int bullet : {3, 5, 9, 11, 13}) {
            EXPECT_EQ(lines[bullet].substr(0, 2), u"\u2022 ") << "line " << bullet;
        }
        for (const int indented : {6, 7}) {
            EXPECT_EQ(lines[indented].substr(0, 2), u"  ") << "line " << indented;
            EXPECT_NE(lines[indented][2], u' ') << "line " << indented;
        }
    }
}

TEST(Rules, LastLineNamesTheCheatKeyWithTheFrakturWord) {
    const std::u16string fraktur = TXT_BOARD_TITLE_CHEAT;
    EXPECT_EQ(split_lines(TXT_RULES.english).back(),
              u"\u2022 " + fraktur + u" Cheat Mode key: [\u21B9]");
    EXPECT_EQ(split_lines(TXT_RULES.german).back(),
              u"\u2022 " + fraktur + u"-Schummelmodus Taste: [\u21B9]");
}

// Lookalikes (a hyphen for the bullet's neighbour, a filled circle of another block) would
// pass a length check; only these characters outside ASCII belong in the rules.
TEST(Rules, NonAsciiCharactersAreOnlyTheNamedOnes) {
    const std::u16string allowed = u"\u2022\u2B24\u25EF\u00B7\u21B9\u00F6\u00FC";
    const std::u16string fraktur = TXT_BOARD_TITLE_CHEAT;
    for (const char16_t* rules : {TXT_RULES.english, TXT_RULES.german}) {
        const std::u16string_view text = rules;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char16_t c = text[i];
            if (c < 0x80) {
                continue;
            }
            if (is_high_surrogate(c)) {
                EXPECT_EQ(text.substr(i, fraktur.size()), fraktur) << "at " << i;
                i += fraktur.size() - 1;
                continue;
            }
            EXPECT_NE(allowed.find(c), std::u16string::npos)
                << "unit " << std::hex << static_cast<unsigned>(c) << " at " << std::dec << i;
        }
    }
}

TEST(AboutHeader, ThreeLinesEachEndedByCarriageReturn) {
    const std::u16string_view header = TXT_ABOUT_HEADER;
    ASSERT_FALSE(header.empty());
    EXPECT_EQ(header.back(), u'\r');
    const std::vector<std::u16string> lines = split_lines(header);
    ASSERT_EQ(lines.size(), 4u); // the fourth is what follows the last carriage return
    EXPECT_EQ(lines[0], u"Quandor \u2013 v1.0.0.0");
    EXPECT_NE(lines[1].find(u"2026"), std::u16string::npos);
    EXPECT_NE(lines[1].find(u"Halvex"), std::u16string::npos);
    EXPECT_EQ(lines[2], std::u16string(20, u'\u2014'));
    EXPECT_TRUE(lines[3].empty());
}

TEST(AboutHeader, RulesBoxTextHasAnEmptyLineAfterTheHeader) {
    for (const char16_t* rules : {TXT_RULES.english, TXT_RULES.german}) {
        const std::u16string box = std::u16string(TXT_ABOUT_HEADER) + rules;
        const std::size_t header_units = view(TXT_ABOUT_HEADER).size();
        EXPECT_EQ(box.substr(header_units - 1, 2), u"\r\r");
    }
}

TEST(InstallHeader, NoBreakSpaceBeforeTheVersion) {
    EXPECT_EQ(view(TXT_INSTALL_HEADER), u"Quandor (Ombrisk)\u00A0v1.0.0.0\r");
}

TEST(MenuTexts, AreCodePage1252Bytes) {
    const std::string_view novice = MENU_LEVEL[0].german;
    ASSERT_EQ(novice.size(), 11u);
    EXPECT_EQ(static_cast<unsigned char>(novice[4]), 0xE4);
    // A UTF-8 "ä" would show up as 0xC3 0xA4.
    for (const MenuTextPair& pair : ALL_MENU_PAIRS) {
        for (const std::string_view text : {pair.english, pair.german}) {
            for (std::size_t i = 0; i + 1 < text.size(); ++i) {
                const auto lead = static_cast<unsigned char>(text[i]);
                const auto next = static_cast<unsigned char>(text[i + 1]);
                EXPECT_FALSE(lead >= 0xC2 && lead <= 0xF4 && (next & 0xC0) == 0x80) << text;
            }
        }
    }
    EXPECT_STREQ(MENU_RULES, "?");
}

// The level menu and the status line name the levels alike: "&" + name + "\t" + digit.
TEST(MenuTexts, LevelItemsMatchTheLevelNames) {
    for (int n = 1; n <= 6; ++n) {
        for (const bool german : {false, true}) {
            std::string expected = "&";
            for (const char16_t c : view(pick_text(TXT_LEVEL_NAME[n - 1], german))) {
                ASSERT_LT(c, 0x100); // Latin-1 is code page 1252 here
                expected += static_cast<char>(c);
            }
            expected += '\t';
            expected += static_cast<char>('0' + n);
            EXPECT_EQ(std::string_view(pick_text(MENU_LEVEL[n - 1], german)), expected)
                << "level " << n << (german ? " German" : " English");
        }
    }
    EXPECT_STREQ(MENU_LEVEL[5].english, "&Professionel\t6");
}

TEST(PickText, ReturnsTheMemberItselfForEitherWidth) {
    for (const NamedPair& p : ALL_PAIRS) {
        EXPECT_EQ(pick_text(p.pair, false), p.pair.english) << p.name;
        EXPECT_EQ(pick_text(p.pair, true), p.pair.german) << p.name;
    }
    for (const MenuTextPair& pair : ALL_MENU_PAIRS) {
        EXPECT_EQ(pick_text(pair, false), pair.english);
        EXPECT_EQ(pick_text(pair, true), pair.german);
    }
}

TEST(Language, OnlyPrimaryLanguageSevenIsGerman) {
    struct Case {
        std::uint16_t id;
        bool german;
    };
    const Case cases[] = {
        {0x0407, true},  {0x0807, true},  {0x0C07, true},  {0x1007, true},  {0x1407, true},
        {0x0007, true},  {0xFC07, true},  {0x0409, false}, {0x040C, false}, {0x0000, false},
        {0x0406, false}, {0x0408, false}, {0x0487, false}, {0x0507, false}, {0xFFFF, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(is_german_language(c.id), c.german) << std::hex << c.id;
    }
}

TEST(LevelStatusLine, PrefixAndLevelNameInTheChosenLanguage) {
    const std::u16string english = u"F1 = Game Rules\rF2 = New Game\rLevel: ";
    const std::u16string german = u"F1 = Spielregeln\rF2 = Neues Spiel\rStufe: ";
    struct Case {
        std::int32_t level;
        bool german;
        std::u16string expected;
    };
    const Case cases[] = {
        {1, false, english + u"Novice"},
        {1, true, german + u"Anf\u00E4nger"},
        {3, false, english + u"Regular"},
        {5, true, german + u"Raffiniert"},
        {6, false, english + u"Professionel"},
        {6, true, german + u"Professionell"},
        {0, false, english},
        {7, false, english},
        {7, true, german},
        {-1, true, german},
        {INT32_MIN, false, english},
        {INT32_MAX, true, german},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(status_line(c.level, c.german), c.expected)
            << "level " << c.level << (c.german ? " German" : " English");
    }
}

// Everything the turn cycle writes into the status line must fit with room to spare.
TEST(LevelStatusLine, EveryStatusTextIsShorterThanSixtyUnits) {
    for (const bool german : {false, true}) {
        for (std::int32_t level = 0; level <= 7; ++level) {
            EXPECT_LT(status_line(level, german).size(), 60u) << level;
        }
        for (const TextPair16& text : {TXT_MUST_PASS, TXT_END_OF_GAME}) {
            EXPECT_LT(view(pick_text(text, german)).size(), 60u);
        }
        for (const TextPair16& result : {TXT_WHITE_WINS, TXT_BLACK_WINS, TXT_DRAW}) {
            EXPECT_LT(view(pick_text(result, german)).size() +
                          view(pick_text(TXT_F2_NEW_GAME, german)).size(),
                      60u);
        }
    }
}

constexpr char16_t SENTINEL = 0xBEEF;

TEST(LevelStatusLine, NeverWritesPastItsBufferAndAlwaysTerminates) {
    const std::u16string full = status_line(6, true);
    for (int units = 0; units <= 60; ++units) {
        std::vector<char16_t> buffer(units + 4, SENTINEL);
        level_status_line(6, true, buffer.data(), units);
        for (int i = units; i < units + 4; ++i) {
            ASSERT_EQ(buffer[i], SENTINEL) << "units " << units << ", written at " << i;
        }
        if (units == 0) {
            continue;
        }
        const std::u16string_view got(buffer.data());
        const std::size_t room = static_cast<std::size_t>(units - 1);
        EXPECT_EQ(got, std::u16string_view(full).substr(0, room)) << "units " << units;
    }
}

TEST(BoundedCopy, AppendsWithinTheBuffer) {
    char16_t buffer[6] = {u'a', u'b', 0, SENTINEL, SENTINEL, SENTINEL};
    append_text(buffer, 4, u"cdef");
    EXPECT_EQ(view(buffer), u"abc");
    EXPECT_EQ(buffer[4], SENTINEL);

    copy_text(buffer, 6, u"xy");
    append_text(buffer, 6, u"");
    EXPECT_EQ(view(buffer), u"xy");
    append_text(buffer, 6, u"z");
    EXPECT_EQ(view(buffer), u"xyz");
}

TEST(BoundedCopy, AnUnterminatedBufferIsTerminatedAtItsEnd) {
    char16_t buffer[5] = {u'p', u'q', u'r', u's', SENTINEL};
    append_text(buffer, 4, u"t");
    EXPECT_EQ(view(buffer), u"pqr");
    EXPECT_EQ(buffer[4], SENTINEL);
}

TEST(BoundedCopy, NoBufferAtAllIsLeftAlone) {
    char16_t buffer[1] = {SENTINEL};
    copy_text(buffer, 0, u"abc");
    append_text(buffer, 0, u"abc");
    copy_text(buffer, -5, u"abc");
    EXPECT_EQ(buffer[0], SENTINEL);
}

TEST(BoundedCopy, NeverCutsASurrogatePair) {
    for (int units = 1; units <= 16; ++units) {
        std::vector<char16_t> buffer(units, SENTINEL);
        copy_text(buffer.data(), units, TXT_BOARD_TITLE_CHEAT);
        const std::u16string_view got(buffer.data());
        const std::size_t whole_pairs = static_cast<std::size_t>((units - 1) / 2);
        EXPECT_EQ(got,
                  view(TXT_BOARD_TITLE_CHEAT).substr(0, std::min<std::size_t>(14, 2 * whole_pairs)))
            << "units " << units;
    }
}

} // namespace

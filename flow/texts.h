// Every text the user sees, in English and German.
#pragma once

#include <cstdint>

// UTF-16 texts are held as char16_t; the Windows layer hands the same units to the ...W calls.
template <typename Char> struct TextPair {
    const Char* english;
    const Char* german;
};
using TextPair16 = TextPair<char16_t>;
using MenuTextPair = TextPair<char>; // code page 1252 bytes

// The German member while german is true; a reference to the constant itself.
const char16_t* pick_text(const TextPair16& pair, bool german);
const char* pick_text(const MenuTextPair& pair, bool german);

// Primary language (id AND 0x3FF) 7 is German.
bool is_german_language(std::uint16_t language_id);

// The picked TXT_LEVEL_PREFIX followed by the picked level name (nothing for a level outside
// 1..6), copied into out (units, terminator included) and always terminated.
void level_status_line(std::int32_t level, bool german, char16_t* out, int units);

// Bounded copies into a buffer of units (terminator included): whatever does not fit is cut
// off and the result is always terminated; a buffer of no units is left alone.
void copy_text(char16_t* out, int units, const char16_t* text);
void append_text(char16_t* out, int units, const char16_t* text);

// The constants follow in this header, in these forms:
//   inline constexpr TextPair16 TXT_MUST_PASS{u"Must pass.", u"Muss passen."};
//   inline constexpr TextPair16 TXT_LEVEL_NAME[6]{...};      // level n at index n - 1
//   inline constexpr MenuTextPair MENU_GAME{"&Game", "&Spiel"};
//   inline constexpr MenuTextPair MENU_LEVEL[6]{...};
//   inline constexpr char16_t TXT_BOARD_TITLE[] = u"QUANDOR"; // same in both languages
//   inline constexpr char MENU_RULES[] = "?";
// Lines within a text are separated by a single carriage return.

// The status line.
inline constexpr TextPair16 TXT_LEVEL_PREFIX{u"F1 = Game Rules\rF2 = New Game\rLevel: ",
                                             u"F1 = Spielregeln\rF2 = Neues Spiel\rStufe: "};
inline constexpr TextPair16 TXT_MUST_PASS{u"Must pass.", u"Muss passen."};
inline constexpr TextPair16 TXT_END_OF_GAME{u"End of game.", u"Spielende."};
inline constexpr TextPair16 TXT_WHITE_WINS{u"White wins!", u"Wei\u00DF gewinnt!"};
inline constexpr TextPair16 TXT_BLACK_WINS{u"Black wins!", u"Schwarz gewinnt!"};
inline constexpr TextPair16 TXT_DRAW{u"Draw!", u"Unentschieden!"};
inline constexpr TextPair16 TXT_F2_NEW_GAME{u"\rF2 = New Game", u"\rF2 = Neues Spiel"};

// Level n at index n - 1; the English level 6 is spelt "Professionel".
inline constexpr TextPair16 TXT_LEVEL_NAME[6]{
    {u"Novice", u"Anf\u00E4nger"}, {u"Easy", u"Leicht"},
    {u"Regular", u"Normal"},       {u"Difficult", u"Schwierig"},
    {u"Advanced", u"Raffiniert"},  {u"Professionel", u"Professionell"},
};

// Message boxes.
inline constexpr TextPair16 TXT_NEW_GAME_CAPTION{u"New Game", u"Neues Spiel"};
inline constexpr TextPair16 TXT_NEW_GAME_QUESTION{u"New Game:\rAbort the current game?",
                                                  u"Neues Spiel:\rLaufendes Spiel abbrechen?"};
inline constexpr TextPair16 TXT_EXIT_CAPTION{u"Exit Quandor", u"Quandor beenden"};
inline constexpr TextPair16 TXT_EXIT_QUESTION{u"Exit Quandor:\rAbort the current game?",
                                              u"Quandor beenden:\rLaufendes Spiel abbrechen?"};
// The English caption has no space after "About".
inline constexpr TextPair16 TXT_ABOUT_CAPTION{u"AboutQuandor (Ombrisk)",
                                              u"\u00DCber Quandor (Ombrisk)"};
inline constexpr TextPair16 TXT_UNINSTALL_CAPTION{u"Uninstall", u"Deinstallation"};
inline constexpr TextPair16 TXT_UNINSTALL_QUESTION{
    u"Remove Quandor (Ombrisk)\rfrom this computer?",
    u"Quandor (Ombrisk)\rvon diesem Computer entfernen?"};
inline constexpr TextPair16 TXT_INSTALL_QUESTION{u"Install for all users?",
                                                 u"F\u00FCr alle Benutzer installieren?"};

// "Quandor" in Mathematical Bold Fraktur (capital Q U+1D57C, small letters from U+1D586 = a),
// a surrogate pair per letter; a macro so that TXT_RULES can splice it into its literal.
#define QUANDOR_FRAKTUR_WORD                                                                       \
    u"\U0001D57C\U0001D59A\U0001D586\U0001D593\U0001D589\U0001D594\U0001D597"

// The rules box: a leading empty line, 14 lines, no carriage return after the last.
inline constexpr TextPair16 TXT_RULES{
    u"\r"
    u"RULES OF THE GAME\r"
    u"\r"
    u"\u2022 Players take turns, you start.\r"
    u"\r"
    u"\u2022 Use your pieces \u2B24 to enclose\r"
    u"  the computer's pieces \u25EF.\r"
    u"  They will flip and turn to \u2B24.\r"
    u"\r"
    u"\u2022 The dots \u00B7 indicate possible moves.\r"
    u"\r"
    u"\u2022 The player with more pieces at the end wins.\r"
    u"\r"
    u"\u2022 " QUANDOR_FRAKTUR_WORD u" Cheat Mode key: [\u21B9]",
    u"\r"
    u"SPIELREGELN\r"
    u"\r"
    u"\u2022 Gespielt wird abwechselnd, du beginnst.\r"
    u"\r"
    u"\u2022 Klemme mit deinen Steinen \u2B24 die Steine\r"
    u"  des Computers \u25EF ein.\r"
    u"  Sie drehen sich und werden dann zu \u2B24.\r"
    u"\r"
    u"\u2022 Die Punkte \u00B7 zeigen dir m\u00F6gliche Z\u00FCge an.\r"
    u"\r"
    u"\u2022 Wer am Ende mehr Steine hat, gewinnt.\r"
    u"\r"
    u"\u2022 " QUANDOR_FRAKTUR_WORD u"-Schummelmodus Taste: [\u21B9]",
};

// The same in both languages.
inline constexpr char16_t TXT_WINDOW_TITLE[] = u"Quandor (Ombrisk)";
inline constexpr char16_t TXT_BOARD_TITLE[] = u"QUANDOR";
inline constexpr char16_t TXT_BOARD_TITLE_CHEAT[] = QUANDOR_FRAKTUR_WORD;
inline constexpr char16_t TXT_ABOUT_HEADER[] = u"Quandor \u2013 v1.0.0.0\r"
                                               u"\u00A9 2026 Halvex\r"
                                               u"\u2014\u2014\u2014\u2014\u2014\u2014\u2014\u2014"
                                               u"\u2014\u2014\u2014\u2014\u2014\u2014\u2014\u2014"
                                               u"\u2014\u2014\u2014\u2014\r";
inline constexpr char16_t TXT_INSTALL_HEADER[] = u"Quandor (Ombrisk)\u00A0v1.0.0.0\r";
inline constexpr char16_t TXT_INSTALL_CAPTION[] = u"Installation";

#undef QUANDOR_FRAKTUR_WORD

// Menu items, code page 1252 bytes: "&" marks the mnemonic, the part after the tab is the key
// hint. Built once with the language of the start.
inline constexpr MenuTextPair MENU_GAME{"&Game", "&Spiel"};
inline constexpr MenuTextPair MENU_NEW_GAME{"&New Game\tCtrl+N", "&Neues Spiel\tF2"};
inline constexpr MenuTextPair MENU_EXIT{"E&xit\tAlt+X", "&Beenden\tAlt+X"};
inline constexpr MenuTextPair MENU_OPTIONS{"&Options", "&Optionen"};
inline constexpr MenuTextPair MENU_LEVEL[6]{
    {"&Novice\t1", "&Anf\xE4nger\t1"},  {"&Easy\t2", "&Leicht\t2"},
    {"&Regular\t3", "&Normal\t3"},      {"&Difficult\t4", "&Schwierig\t4"},
    {"&Advanced\t5", "&Raffiniert\t5"}, {"&Professionel\t6", "&Professionell\t6"},
};
inline constexpr char MENU_RULES[] = "?";

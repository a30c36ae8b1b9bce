// The turn cycle between the human (BLACK) and the computer (WHITE).
#pragma once

#include <cstdint>

#include "flow/game_host.h"
#include "flow/play_state.h"

enum class GameKey { KEY_CHEAT, KEY_PLAY, KEY_LEFT, KEY_UP, KEY_RIGHT, KEY_DOWN, KEY_OTHER };

inline constexpr std::int32_t MOVE_DELAY_MS = 1555;

void new_game(Game& game, GameHost& host);
void play_at(Game& game, GameHost& host, std::int32_t row, std::int32_t col);
void click_cell(Game& game, GameHost& host, std::int32_t row, std::int32_t col);
void press_key(Game& game, GameHost& host, GameKey key);
void cheat_hint(Game& game);
void computer_turn(Game& game, GameHost& host);
void check_result(Game& game, GameHost& host);
void set_level(Game& game, GameHost& host, std::int32_t n);
void toggle_language(Game& game, GameHost& host);

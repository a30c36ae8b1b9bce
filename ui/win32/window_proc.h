// The main window's procedure: every message that matters becomes a turn-cycle operation.
#pragma once

#include <windows.h>

#include "flow/play_state.h"

// The program's one game: the game board beside the PlayState, for the whole run.
Game& program_game();

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// The rules box (command 199); while it is open, F1 does not open it again.
void show_rules_box(HWND window);

// True when the client position has a cell on which the side to move may play.
bool is_legal_cell(HWND window, std::int32_t x, std::int32_t y);

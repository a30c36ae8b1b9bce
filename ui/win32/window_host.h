// The turn cycle's host operations on Windows, bound to the main window.
#pragma once

#include <windows.h>

#include "flow/game_host.h"

// How request_repaint asks for the repaint: a new game invalidates the window as a region,
// everything else as a rectangle; both cover the whole window and erase its background.
enum class RepaintBy { RECTANGLE, REGION };

class WindowHost final : public GameHost {
  public:
    explicit WindowHost(HWND window, RepaintBy repaint = RepaintBy::RECTANGLE)
        : window_(window), repaint_(repaint) {}

    bool confirm(const char16_t* text, const char16_t* caption) override;
    void play_tone(std::int32_t frequency_hz, std::int32_t duration_ms) override;
    void info_beep() override;
    void request_repaint() override;
    void start_move_timer(std::int32_t ms) override;
    void stop_move_timer() override;

  private:
    HWND window_;
    RepaintBy repaint_;
};

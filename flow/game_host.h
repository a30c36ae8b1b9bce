// What the turn cycle needs of the outside world; Windows supplies it, tests record it.
#pragma once

#include <cstdint>

class GameHost {
public:
    // Asks a yes/no question; true only for yes.
    virtual bool confirm(const char16_t* text, const char16_t* caption) = 0;
    // Returns when the tone has ended.
    virtual void play_tone(std::int32_t frequency_hz, std::int32_t duration_ms) = 0;
    // The system's information sound; not waited for.
    virtual void info_beep() = 0;
    // The whole window, background included, is repainted soon after.
    virtual void request_repaint() = 0;
    // computer_turn is called once after ms; restarting a pending timer restarts its time.
    virtual void start_move_timer(std::int32_t ms) = 0;
    virtual void stop_move_timer() = 0;

protected:
    ~GameHost() = default;
};

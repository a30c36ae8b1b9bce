// A GameHost for tests: records every call with its arguments, in order, and answers confirm
// from a script. Firing the move timer is the test's business (call computer_turn).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "flow/game_host.h"

struct HostCall {
    enum class Op {
        confirm,
        play_tone,
        info_beep,
        request_repaint,
        start_move_timer,
        stop_move_timer
    };
    Op op;
    std::u16string text;     // confirm: the question
    std::u16string caption;  // confirm: the caption
    std::int32_t first = 0;  // play_tone: Hz; start_move_timer: ms
    std::int32_t second = 0; // play_tone: ms
    bool answer = false;     // confirm: the answer it got
    friend bool operator==(const HostCall&, const HostCall&) = default;
};

inline HostCall confirm_call(std::u16string text, std::u16string caption, bool answer) {
    return {HostCall::Op::confirm, std::move(text), std::move(caption), 0, 0, answer};
}
inline HostCall tone_call(std::int32_t hz, std::int32_t ms) {
    return {HostCall::Op::play_tone, {}, {}, hz, ms, false};
}
inline HostCall beep_call() {
    return {HostCall::Op::info_beep, {}, {}, 0, 0, false};
}
inline HostCall repaint_call() {
    return {HostCall::Op::request_repaint, {}, {}, 0, 0, false};
}
inline HostCall timer_start_call(std::int32_t ms) {
    return {HostCall::Op::start_move_timer, {}, {}, ms, 0, false};
}
inline HostCall timer_stop_call() {
    return {HostCall::Op::stop_move_timer, {}, {}, 0, 0, false};
}

// ASCII as it is, everything else (the carriage return included) as an escape.
inline std::string printable(const std::u16string& text) {
    std::string out;
    for (const char16_t c : text) {
        if (c == u'\r') {
            out += "\\r";
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
            out += escape;
        }
    }
    return out;
}

inline void PrintTo(const HostCall& call, std::ostream* os) {
    switch (call.op) {
    case HostCall::Op::confirm:
        *os << "confirm(\"" << printable(call.text) << "\", \"" << printable(call.caption)
            << "\") -> " << (call.answer ? "yes" : "no");
        break;
    case HostCall::Op::play_tone:
        *os << "play_tone(" << call.first << ", " << call.second << ")";
        break;
    case HostCall::Op::info_beep:
        *os << "info_beep()";
        break;
    case HostCall::Op::request_repaint:
        *os << "request_repaint()";
        break;
    case HostCall::Op::start_move_timer:
        *os << "start_move_timer(" << call.first << ")";
        break;
    case HostCall::Op::stop_move_timer:
        *os << "stop_move_timer()";
        break;
    }
}

class RecordingHost final : public GameHost {
  public:
    std::vector<HostCall> calls;
    // The answers of the coming questions, in order; a question beyond the script fails the
    // test and gets no.
    std::deque<bool> answers;
    // Runs inside confirm before it answers, as a modal box's message loop would run timer and
    // paint messages. It may record calls but must not take() them.
    std::function<void()> while_confirming;
    // The move timer as Windows keeps it: one pending call at most.
    bool timer_pending = false;
    std::int32_t timer_ms = 0;

    // Recorded when asked, so that calls made while it waits come after it.
    bool confirm(const char16_t* text, const char16_t* caption) override {
        const std::size_t at = calls.size();
        calls.push_back(confirm_call(text, caption, false));
        if (while_confirming) {
            while_confirming();
        }
        bool answer = false;
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << printable(text);
        } else {
            answer = answers.front();
            answers.pop_front();
        }
        calls[at].answer = answer;
        return answer;
    }
    void play_tone(std::int32_t frequency_hz, std::int32_t duration_ms) override {
        calls.push_back(tone_call(frequency_hz, duration_ms));
    }
    void info_beep() override { calls.push_back(beep_call()); }
    void request_repaint() override { calls.push_back(repaint_call()); }
    void start_move_timer(std::int32_t ms) override {
        calls.push_back(timer_start_call(ms));
        timer_pending = true;
        timer_ms = ms;
    }
    void stop_move_timer() override {
        calls.push_back(timer_stop_call());
        timer_pending = false;
    }

    // The calls recorded since the last take, which forgets them.
    std::vector<HostCall> take() {
        std::vector<HostCall> taken;
        taken.swap(calls);
        return taken;
    }
};

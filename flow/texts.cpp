#include "flow/texts.h"

const char16_t* pick_text(const TextPair16& pair, bool german) {
    return german ? pair.german : pair.english;
}

const char* pick_text(const MenuTextPair& pair, bool german) {
    return german ? pair.german : pair.english;
}

bool is_german_language(std::uint16_t language_id) {
    return (language_id & 0x3FF) == 7;
}

void copy_text(char16_t* out, int units, const char16_t* text) {
    if (units <= 0) {
        return;
    }
    out[0] = u'\0';
    append_text(out, units, text);
}

void append_text(char16_t* out, int units, const char16_t* text) {
    if (units <= 0) {
        return;
    }
    int at = 0;
    while (at < units - 1 && out[at] != u'\0') {
        ++at;
    }
    for (const char16_t* c = text; *c != u'\0' && at < units - 1; ++c) {
        // A surrogate pair is kept whole or left out, never cut in half.
        const bool high_surrogate = *c >= 0xD800 && *c <= 0xDBFF;
        if (high_surrogate && at + 1 >= units - 1) {
            break;
        }
        out[at++] = *c;
    }
    out[at] = u'\0';
}

void level_status_line(std::int32_t level, bool german, char16_t* out, int units) {
    copy_text(out, units, pick_text(TXT_LEVEL_PREFIX, german));
    if (level >= 1 && level <= 6) {
        append_text(out, units, pick_text(TXT_LEVEL_NAME[level - 1], german));
    }
}

// The text of the rules box: the about header, then the rules in the language of the moment.
#pragma once

#include "flow/texts.h"

inline constexpr int RULES_BOX_UNITS = 512; // terminator included; both languages fit

inline void rules_box_text(bool german, char16_t (&out)[RULES_BOX_UNITS]) {
    copy_text(out, RULES_BOX_UNITS, TXT_ABOUT_HEADER);
    append_text(out, RULES_BOX_UNITS, pick_text(TXT_RULES, german));
}

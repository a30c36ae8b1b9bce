#include "ui/win32/program_main.h"

#include <windows.h>

#include "flow/texts.h"
#include "setup/win32/startup.h"
#include "ui/win32/main_window.h"
#include "ui/win32/window_proc.h"

namespace {

// Sets the language flag from the user's default language, before any text is picked.
void detect_language() {
    if (is_german_language(GetUserDefaultLangID())) {
        program_game().state.german = true;
    }
}

} // namespace

void program_main() {
    detect_language();
    // The start-up mode check comes here: after the language, so that its questions are in the
    // user's language, and before anything of the window exists.
    check_startup_mode();
    run_main_window();
}

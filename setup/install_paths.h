// Composition of the install paths in fixed buffers. The platform steps between the appends
// (environment expansion, folder creation) come through PathHost, so the buffer handling lives
// here and the Windows side only performs the calls.
#pragma once

#include <cstddef>
#include <cstdint>

#include "setup/text_buffer.h"

// ExpandEnvironmentStringsA works through 511 characters and the terminator.
inline constexpr std::size_t EXPANSION_BUFFER_SIZE = 512;
using ExpansionBuffer = TextBuffer<EXPANSION_BUFFER_SIZE>;

class PathHost {
  public:
    // The contract of ExpandEnvironmentStringsA: expands text into buffer (size bytes) and
    // returns the bytes stored, terminator included, when they fit; otherwise the size needed,
    // or 0 on failure. References to undefined variables stay as written.
    virtual std::uint32_t expand(const char* text, char* buffer, std::uint32_t size) = 0;
    // The result is not looked at: an existing folder is fine, a missing one makes a later step
    // fail on its own.
    virtual void create_folder(const char* path) = 0;

  protected:
    ~PathHost() = default;
};

// Replaces path by its expansion when the host reports success with a result of at most 512 and
// the buffer holds a terminated text; otherwise the path stays as it was and the result is
// false (an expansion of more than 511 characters is refused, not cut).
bool expand_environment(PathBuffer& path, PathHost& host);

// Takes argument 0 from what GetModuleFileNameA(NULL, path.text, PATH_BUFFER_SIZE) returned:
// the length of the path written into the buffer. A result of 0, one that reports a cut path
// (PATH_BUFFER_SIZE or more) or one that does not match the terminated text empties the path
// and gives false, so an over-long program path selects no setup mode.
bool take_module_path(PathBuffer& path, std::uint32_t result);

// Install, step 2: the maker folder expanded and created, the install folder created, then the
// program file's name. False when a part did not fit: the path then names no program file, no
// folder past that point has been created, and install treats it as a failed copy.
bool compose_program_file(PathBuffer& path, PathHost& host);

// Install, step 7: the Start-menu programs folder expanded, the maker folder and the
// Start-menu folder created, then the shortcut file's name. False when a part did not fit: the
// path then names no shortcut file and none is to be written.
bool compose_shortcut_file(PathBuffer& path, PathHost& host);

// Uninstall: the Start-menu folder and the install folder, each expanded as a whole. Always a
// usable folder: a refused expansion leaves the unexpanded name, which fits.
void compose_start_menu_folder(PathBuffer& path, PathHost& host);
void compose_install_folder(PathBuffer& path, PathHost& host);

// Uninstall, the shortcut file in the Start-menu folder. False, with out empty, when it does not
// fit; the shortcut is then not deleted.
bool shortcut_file_in(const PathBuffer& start_menu_folder, PathBuffer& out);

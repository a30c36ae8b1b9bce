// The entry in the list of installed programs, and the command that removes the two folders.
#pragma once

#include <cstddef>
#include <cstdint>

#include "setup/install_names.h"
#include "setup/text_buffer.h"

enum class ValueType { TEXT, NUMBER }; // REG_SZ, REG_DWORD

// Where the data of a TEXT value comes from.
enum class ValueSource {
    FIXED,                 // text itself
    PROGRAM_FILE_FOLLOWED, // the program file's path, unquoted, followed directly by text
    INSTALL_DATE,          // install_date_text
};

struct UninstallValue {
    const char* name;
    ValueType type;
    ValueSource source;   // TEXT only
    const char* text;     // TEXT only
    std::uint32_t number; // NUMBER only
};

inline constexpr char ABOUT_ADDRESS[] = "https://halvex.example/quandor/";
inline constexpr char UNINSTALL_ARGUMENT[] = " /Uninstall";
inline constexpr auto QUIET_UNINSTALL_ARGUMENTS = join(UNINSTALL_ARGUMENT, " /Quiet");

// In the order installation writes them, each under the uninstall key.
inline constexpr UninstallValue UNINSTALL_VALUES[12] = {
    {"DisplayName", ValueType::TEXT, ValueSource::FIXED, PRODUCT_NAME, 0},
    {"DisplayIcon", ValueType::TEXT, ValueSource::PROGRAM_FILE_FOLLOWED, "", 0},
    {"DisplayVersion", ValueType::TEXT, ValueSource::FIXED, PRODUCT_VERSION, 0},
    {"Version", ValueType::NUMBER, ValueSource::FIXED, "", 0x01000000}, // 1 in the highest byte
    {"EstimatedSize", ValueType::NUMBER, ValueSource::FIXED, "", 64},   // fixed, not measured
    {"InstallDate", ValueType::TEXT, ValueSource::INSTALL_DATE, "", 0},
    {"NoModify", ValueType::NUMBER, ValueSource::FIXED, "", 1},
    {"NoRepair", ValueType::NUMBER, ValueSource::FIXED, "", 1},
    {"UninstallString", ValueType::TEXT, ValueSource::PROGRAM_FILE_FOLLOWED, UNINSTALL_ARGUMENT, 0},
    {"QuietUninstallString", ValueType::TEXT, ValueSource::PROGRAM_FILE_FOLLOWED,
     QUIET_UNINSTALL_ARGUMENTS.text, 0},
    {"Publisher", ValueType::TEXT, ValueSource::FIXED, MAKER_NAME, 0},
    {"URLInfoAbout", ValueType::TEXT, ValueSource::FIXED, ABOUT_ADDRESS, 0},
};

// GetDateFormatA with this picture, for LOCALE_SYSTEM_DEFAULT, into a 256-byte buffer.
inline constexpr char INSTALL_DATE_PICTURE[] = "yyyyMMdd";
inline constexpr std::size_t INSTALL_DATE_BUFFER_SIZE = 256;
using InstallDateBuffer = TextBuffer<INSTALL_DATE_BUFFER_SIZE>;

// Takes what GetDateFormatA returned: the bytes written, terminator included, or 0. Anything
// that is not a terminated text of that length empties the date and gives false.
bool take_install_date(InstallDateBuffer& date, std::int32_t result);

// Large enough for the longest value: a full path buffer followed by the longest suffix.
inline constexpr std::size_t VALUE_BUFFER_SIZE =
    PathBuffer::capacity + sizeof QUIET_UNINSTALL_ARGUMENTS.text;
using ValueBuffer = TextBuffer<VALUE_BUFFER_SIZE>;

// The data of a TEXT value; the buffer holds every value whole, so nothing is ever cut. A
// NUMBER value gives the empty text.
void uninstall_value_text(const UninstallValue& value, const PathBuffer& program_file,
                          const InstallDateBuffer& install_date, ValueBuffer& out);

// The interpreter that removes the two folders after the program has ended, hidden.
inline constexpr char INTERPRETER_FILE[] = "cmd.exe";
inline constexpr char INTERPRETER_VERB[] = "open";
// "/c", then one "RD /S /Q" per folder, each folder in double quotes, Start-menu folder first.
// "&" runs the second command whatever the first one's outcome.
inline constexpr char INTERPRETER_SWITCH[] = "/c ";
inline constexpr char REMOVE_FOLDER_COMMAND[] = "RD /S /Q \"";
inline constexpr char COMMAND_JOIN[] = "\" & ";
inline constexpr char COMMAND_END[] = "\"";

inline constexpr std::size_t INTERPRETER_PARAMETERS_SIZE =
    (sizeof INTERPRETER_SWITCH - 1) + 2 * (sizeof REMOVE_FOLDER_COMMAND - 1) +
    (sizeof COMMAND_JOIN - 1) + (sizeof COMMAND_END - 1) + 2 * PathBuffer::capacity + 1;
using InterpreterParameters = TextBuffer<INTERPRETER_PARAMETERS_SIZE>;

// Sized for two full path buffers, so both folders always go in whole.
void uninstall_parameters(const PathBuffer& start_menu_folder, const PathBuffer& install_folder,
                          InterpreterParameters& out);

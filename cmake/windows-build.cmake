# Compiler and linker settings of the Windows builds, included before any target is made.

# Every function and datum in its own section, so the linker drops what the program never uses;
# the C++ runtime is linked in, so the program imports nothing but the system's own DLLs.
add_compile_options("$<$<COMPILE_LANGUAGE:CXX>:-ffunction-sections;-fdata-sections>")
add_link_options(-static -Wl,--gc-sections "$<$<CONFIG:MinSizeRel>:-s>")

# The program needs neither; leaving them out keeps their support code out of the release file.
option(QUANDOR_NO_EXCEPTIONS "Compile without exceptions and RTTI" OFF)
if(QUANDOR_NO_EXCEPTIONS)
    add_compile_options("$<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions;-fno-rtti>")
endif()

# 32-bit Windows (PE32), the release program.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(QUANDOR_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

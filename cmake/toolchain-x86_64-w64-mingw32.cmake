# 64-bit Windows (PE32+): the same sources, run under wine64 for the Windows tests.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(QUANDOR_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

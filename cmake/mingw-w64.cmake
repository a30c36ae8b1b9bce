# Shared body of the two mingw-w64 toolchain files; QUANDOR_MINGW_TRIPLE names the target.
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread model gives the C++ runtime std::mutex and std::thread, which GoogleTest
# needs; it is linked in statically like the rest of the runtime, so no DLL comes with it.
set(CMAKE_C_COMPILER ${QUANDOR_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUANDOR_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QUANDOR_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUANDOR_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

// The Windows test programs' main.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Lines end in "\n" alone, as CTest expects when it reads the list of cases.
    _setmode(_fileno(stdout), _O_BINARY);
    // A crash fails the case instead of waiting for someone to close an error box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

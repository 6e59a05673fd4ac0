// A second program for the sharing cases on Windows: holds a file open for
// reading and writing, letting others only read it, until a file named
// "release" appears in the current directory (or a minute has passed). It
// says "held" on standard output once the file is open.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    HANDLE file = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    std::printf("held\n");
    std::fflush(stdout);
    for (int i = 0; i < 1200 && GetFileAttributesA("release") == INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);
    CloseHandle(file);
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

// Holds a file open without sharing, as a program that has it open may (an antivirus
// scan, the guide in a browser), until it is ended: hold-file.exe FILE
// Says "held" once it holds the file.
#include <windows.h>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    if (CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
        == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "hold-file: cannot open %s: error %lu\n", argv[1], GetLastError());
        return 1;
    }
    std::puts("held");
    std::fflush(stdout);
    Sleep(INFINITE);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

// hold-file.exe FILE holds FILE open without sharing, as another program may (an antivirus
// scan, the guide in a browser), until it is ended; it says "held" once it does.
#include <windows.h>

#include <cstdio>

int main(int, char **argv)
{
    if (CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) == INVALID_HANDLE_VALUE)
        return 1;
    std::puts("held");
    std::fflush(stdout);
    Sleep(INFINITE);
}

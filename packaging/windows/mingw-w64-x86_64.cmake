# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads), for Qt and
# for Zelmora alike.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(ZELMORA_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZELMORA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZELMORA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ZELMORA_MINGW}-windres)
set(CMAKE_AR ${ZELMORA_MINGW}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${ZELMORA_MINGW}-ranlib CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${ZELMORA_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One file that needs no DLL beside it: the C++ runtime, libgcc and winpthreads are
# linked in. No time stamp in the PE header, so that a rebuild is byte-identical.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")

# Zelmora's own build finds the cross-built Qt here (tools/windows.sh passes it).
if(ZELMORA_QT_PREFIX)
    list(APPEND CMAKE_FIND_ROOT_PATH ${ZELMORA_QT_PREFIX})
endif()

# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# The recipe of the Qt that zelmora.exe is linked with, in one file: the MinGW-w64 cross
# toolchain (posix threads) and Qt's configure options (and the patches beside it,
# qt-*.patch, applied to Debian's qt6-base source first). tools/windows-build.sh builds Qt,
# in the Debian 13 root, with this file as its toolchain file and reads the options from it
# (cmake -P writes them);
# the cached Qt is keyed by this file's hash and the patches', so any change here means a
# new Qt build.
# Zelmora's own build uses the same toolchain through mingw-w64-x86_64.cmake.
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

# Qt: static and small, with the host tools of the root's own Qt (the same version).
set(ZELMORA_QT_PREFIX_BUILTIN /opt/zelmora-qt6-mingw) # compiled into Qt; files go to the cache
set(ZELMORA_QT_CONFIGURE
    -xplatform win32-g++ -static -static-runtime -release -optimize-size
    -prefix ${ZELMORA_QT_PREFIX_BUILTIN}
    -qt-host-path /usr
    -no-pch -nomake examples -nomake tests
    # Qt's sources compiled a few dozen to a file: the build takes about half the time.
    -unity-build
    -no-opengl -no-dbus -no-icu -no-feature-sql -no-feature-network
    -no-feature-printsupport -no-feature-tabletevent -no-feature-xml -no-feature-concurrent
    -no-feature-zstd -no-feature-androiddeployqt -no-feature-windeployqt -no-feature-qmake
    # What would be linked in though the program never shows it: style sheets (the program
    # sets none; every widget's style would go through their code), and widgets Qt's styles
    # and dialogs refer to (qt-windows11style-graphicsview.patch lets the Windows 11 style
    # do without the graphics view).
    -no-feature-style-stylesheet -no-feature-graphicsview
    -no-feature-calendarwidget -no-feature-datetimeedit -no-feature-mdiarea -no-feature-dial
    -no-feature-lcdnumber -no-feature-colordialog -no-feature-fontdialog -no-feature-filedialog
    -no-feature-wizard -no-feature-undoview -no-feature-columnview -no-feature-fontcombobox
    -no-feature-keysequenceedit -no-feature-textodfwriter
    -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre -qt-doubleconversion
    -no-feature-system-textmarkdownreader)
set(ZELMORA_QT_CMAKE_OPTIONS
    -G Ninja
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
# No folder of this machine's in the libraries: the build folder is named by this fixed
# path in what the compiler writes (-ffile-prefix-map).
set(ZELMORA_QT_BUILD_PATH /usr/src/zelmora-qt6)

if(CMAKE_SCRIPT_MODE_FILE) # cmake -P: the configure line for tools/windows-build.sh, one word a line
    if(NOT ZELMORA_QT_DIR OR NOT ZELMORA_QT_CONFIGURE_FILE)
        message(FATAL_ERROR "usage: cmake -DZELMORA_QT_DIR=DIR -DZELMORA_QT_CONFIGURE_FILE=FILE -P qt-recipe.cmake")
    endif()
    set(map "-ffile-prefix-map=${ZELMORA_QT_DIR}=${ZELMORA_QT_BUILD_PATH}")
    set(line ${ZELMORA_QT_CONFIGURE} -- ${ZELMORA_QT_CMAKE_OPTIONS}
        "-DCMAKE_CXX_FLAGS=${map}" "-DCMAKE_C_FLAGS=${map}")
    # Written to a file, never printed: a warning of this script must not become an option.
    list(JOIN line "\n" text)
    file(WRITE "${ZELMORA_QT_CONFIGURE_FILE}" "${text}\n")
endif()

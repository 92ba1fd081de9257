# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# The recipe of the Qt that the browser program is linked with, in one file: Qt's configure
# options for WebAssembly (static, single-threaded, small) and the patches applied to
# Debian's qt6-base source first. tools/web-build.sh reads the options from it (cmake -P
# writes them); the cached Qt is keyed by this file's hash and the patches', so any change
# here means a new Qt build.
set(ZELMORA_QT_CONFIGURE
    -platform wasm-emscripten -static -release -optimize-size
    -qt-host-path /usr
    -no-pch -nomake examples -nomake tests
    # Qt's sources compiled a few dozen to a file: the build takes about half the time.
    -unity-build
    -no-feature-thread -no-dbus -no-icu
    # Modules the program does not use.
    -no-feature-sql -no-feature-network -no-feature-printsupport -no-feature-xml
    -no-feature-concurrent -no-feature-testlib -no-feature-process
    # What would be linked in though the program never shows it: style sheets (the program
    # sets none; every widget's style would go through their code), and widgets Qt's styles
    # and dialogs refer to. (The Windows style stays: QApplication's code needs its header.)
    -no-feature-style-stylesheet
    -no-feature-calendarwidget -no-feature-datetimeedit -no-feature-mdiarea -no-feature-dial
    -no-feature-lcdnumber -no-feature-colordialog -no-feature-fontdialog -no-feature-filedialog
    -no-feature-wizard -no-feature-undoview -no-feature-columnview -no-feature-fontcombobox
    -no-feature-keysequenceedit -no-feature-graphicsview -no-feature-textodfwriter
    -no-feature-zstd -no-feature-system-textmarkdownreader
    -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre -qt-doubleconversion)
set(ZELMORA_QT_CMAKE_OPTIONS
    -G Ninja
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)

if(CMAKE_SCRIPT_MODE_FILE) # cmake -P: the configure line for tools/web-build.sh, one word a line
    if(NOT ZELMORA_QT_CONFIGURE_FILE)
        message(FATAL_ERROR "usage: cmake -DZELMORA_QT_CONFIGURE_FILE=FILE -P qt-recipe.cmake")
    endif()
    set(line ${ZELMORA_QT_CONFIGURE} -- ${ZELMORA_QT_CMAKE_OPTIONS})
    list(JOIN line "\n" text)
    file(WRITE "${ZELMORA_QT_CONFIGURE_FILE}" "${text}\n")
endif()

# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Zelmora's Windows build: the toolchain Qt was built with, and the cross-built Qt itself.
include(${CMAKE_CURRENT_LIST_DIR}/qt-recipe.cmake)

# The build folder's Qt, recorded when it is configured: ZELMORA_QT_PREFIX, a Qt that
# tools/windows-build.sh built into the Debian 13 root's cache
# (/var/zelmora-cache/qt-win-<version>-<key>/install), and the Debian version of its source
# (by default the one in the folder's name).
if(NOT ZELMORA_QT_PREFIX OR NOT EXISTS "${ZELMORA_QT_PREFIX}/lib/cmake/Qt6/Qt6Config.cmake")
    message(FATAL_ERROR "No cross-built Qt in ZELMORA_QT_PREFIX (\"${ZELMORA_QT_PREFIX}\"): run "
        "tools/windows.sh once, which builds one, or configure in the Debian 13 root with "
        "cmake --preset windows -DZELMORA_QT_PREFIX=/var/zelmora-cache/qt-win-<version>-<key>/install "
        "-DZELMORA_QT_DEBIAN_VERSION=<version>")
endif()
if(NOT ZELMORA_QT_DEBIAN_VERSION AND ZELMORA_QT_PREFIX MATCHES "/qt-win-([^/]+)-[0-9a-f]+/install/?$")
    set(ZELMORA_QT_DEBIAN_VERSION "${CMAKE_MATCH_1}") # as the cache names the folder
endif()
set(ZELMORA_QT_PREFIX "${ZELMORA_QT_PREFIX}" CACHE PATH "The cross-built Qt this build folder links")
set(ZELMORA_QT_DEBIAN_VERSION "${ZELMORA_QT_DEBIAN_VERSION}" CACHE STRING "The Debian version of its source")
# Test projects of CMake and Qt read this file too, and find the same Qt.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZELMORA_QT_PREFIX ZELMORA_QT_DEBIAN_VERSION)
list(APPEND CMAKE_FIND_ROOT_PATH ${ZELMORA_QT_PREFIX})
list(APPEND CMAKE_PREFIX_PATH ${ZELMORA_QT_PREFIX}/lib/cmake)

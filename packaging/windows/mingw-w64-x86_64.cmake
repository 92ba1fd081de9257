# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Zelmora's Windows build: the toolchain Qt was built with, and the cross-built Qt itself.
include(${CMAKE_CURRENT_LIST_DIR}/qt-recipe.cmake)

# tools/windows.sh leaves qt.cmake in its cache once Qt is built: it names the installed
# Qt (ZELMORA_QT_PREFIX) and the Debian version of the source it came from, so that any
# fresh build folder of the windows preset finds them.
if(NOT ZELMORA_QT_PREFIX)
    if(DEFINED ENV{ZELMORA_CACHE})
        set(cache "$ENV{ZELMORA_CACHE}")
    elseif(DEFINED ENV{XDG_CACHE_HOME})
        set(cache "$ENV{XDG_CACHE_HOME}/zelmora")
    else()
        set(cache "$ENV{HOME}/.cache/zelmora")
    endif()
    if(EXISTS "${cache}/qt.cmake")
        include("${cache}/qt.cmake")
    endif()
endif()
if(ZELMORA_QT_PREFIX)
    list(APPEND CMAKE_FIND_ROOT_PATH ${ZELMORA_QT_PREFIX})
    list(APPEND CMAKE_PREFIX_PATH ${ZELMORA_QT_PREFIX}/lib/cmake)
endif()

# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# THIRD-PARTY.txt of the site: what the browser program and the site contain, with
# their notices and the Debian source packages they are built from. The versions are
# read from the Debian 13 root the site is built in: Qt's source is qt6-base (the same
# version as the qt6-base-dev whose host tools the build uses), Emscripten's runtime,
# musl, libc++ and dlmalloc are in emscripten, Liberation Sans is fonts-liberation.
function(zelmora_web_source_version package variable)
    execute_process(COMMAND dpkg-query -W "-f=\${source:Version}" ${package}
        OUTPUT_VARIABLE version RESULT_VARIABLE failed ERROR_QUIET)
    if(failed OR version STREQUAL "")
        message(FATAL_ERROR "${package} is not installed: THIRD-PARTY.txt cannot name its source "
                            "(tools/web.sh builds the site in a Debian 13 root that has it)")
    endif()
    set(${variable} ${version} PARENT_SCOPE)
endfunction()
zelmora_web_source_version(qt6-base-dev ZELMORA_QT_DEBIAN_VERSION)
zelmora_web_source_version(emscripten ZELMORA_EMSCRIPTEN_VERSION)
zelmora_web_source_version(fonts-liberation ZELMORA_LIBERATION_VERSION)
set(ZELMORA_THIRD_PARTY_TITLE "Zelmora ${ZELMORA_VERSION_FULL} in the browser: third-party software in the site")
string(LENGTH "${ZELMORA_THIRD_PARTY_TITLE}" length)
string(REPEAT "=" ${length} ZELMORA_THIRD_PARTY_RULE)
configure_file(${CMAKE_CURRENT_LIST_DIR}/THIRD-PARTY.txt.in ${CMAKE_CURRENT_BINARY_DIR}/THIRD-PARTY.txt @ONLY)

# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# The Windows program: a GUI program (no console window), with its icon and version
# resource, and Qt's plugins linked in (Qt is static), so that zelmora.exe runs alone.
# The Qt that the toolchain file names for this build folder, not one found elsewhere.
cmake_path(IS_PREFIX ZELMORA_QT_PREFIX "${Qt6_DIR}" NORMALIZE qt_of_this_folder)
if(NOT qt_of_this_folder)
    message(FATAL_ERROR "This build folder found Qt in ${Qt6_DIR}, not in its ZELMORA_QT_PREFIX "
        "${ZELMORA_QT_PREFIX}: configure it afresh (cmake --preset windows --fresh ...)")
endif()
set(ZELMORA_VERSION_FULL ${PROJECT_VERSION})
set(ZELMORA_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
set(ZELMORA_ICON ${PROJECT_SOURCE_DIR}/Zelmora.ico)
set(ZELMORA_MANIFEST ${CMAKE_CURRENT_LIST_DIR}/zelmora.manifest)
configure_file(${CMAKE_CURRENT_LIST_DIR}/zelmora.rc.in zelmora.rc @ONLY)

set_target_properties(zelmora PROPERTIES WIN32_EXECUTABLE TRUE)
# Without the symbol table, which a release needs no more than Linux's stripped binary.
target_link_options(zelmora PRIVATE $<$<CONFIG:Release>:-s>)
target_sources(zelmora PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/zelmora.rc)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/zelmora.rc PROPERTIES
    OBJECT_DEPENDS "${ZELMORA_ICON};${ZELMORA_MANIFEST}")
# Signed as soon as it is linked when the build signs (signing.cmake), so that the packages
# and the checksums take the signed program; linked anew when that choice or the key changes.
include(${CMAKE_CURRENT_LIST_DIR}/signing.cmake)
set_property(TARGET zelmora APPEND PROPERTY LINK_DEPENDS ${ZELMORA_SIGN_STAMP})
if(ZELMORA_SIGN)
    add_custom_command(TARGET zelmora POST_BUILD
        COMMAND bash ${ZELMORA_SIGN_SCRIPT} ${ZELMORA_SIGN_STAMP} $<TARGET_FILE:zelmora> VERBATIM)
endif()

# The windows platform, the Windows styles (Qt's one plugin of the Vista and the Windows 11
# style; the form is drawn in the Vista one) and the picture formats the program shows; the
# offscreen platform too, so that the program also starts headless (-platform offscreen).
function(zelmora_import_plugins target)
    qt_import_plugins(${target}
        INCLUDE Qt6::QWindowsIntegrationPlugin Qt6::QOffscreenIntegrationPlugin
                Qt6::QModernWindowsStylePlugin Qt6::QJpegPlugin Qt6::QICOPlugin)
    target_sources(${target} PRIVATE ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/qt-stylesheet.cpp)
endfunction()
zelmora_import_plugins(zelmora)

include(${CMAKE_CURRENT_LIST_DIR}/packages.cmake)

# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# The two Windows packages, built with the program: the installer
# zelmora-<version>-win64-setup.exe (NSIS) and the portable zelmora-<version>-win64.zip
# (one folder). Both hold the same files, from the one list below: the program, the
# pictures it loads from its working folder, the licence, a short readme in Russian, the
# third-party notices and the user's guide (doc\guide.ru.html with its screenshots).
# A Windows build always makes both: without their tools it stops here (tools/windows.sh's
# Debian 13 root has them).
find_program(MAKENSIS makensis REQUIRED)
find_program(ZIP zip REQUIRED)

# The sources of the exe's parts, named in the notices: Debian's packages. Qt's is the
# build folder's ZELMORA_QT_DEBIAN_VERSION (the toolchain file's).
function(zelmora_debian_source_version package variable)
    execute_process(COMMAND dpkg-query -W "-f=\${source:Version}" ${package}
        OUTPUT_VARIABLE version RESULT_VARIABLE failed ERROR_QUIET)
    if(failed OR version STREQUAL "")
        message(FATAL_ERROR "${package} is not installed: THIRD-PARTY.txt cannot name its source")
    endif()
    set(${variable} ${version} PARENT_SCOPE)
endfunction()
zelmora_debian_source_version(mingw-w64-x86-64-dev ZELMORA_MINGW_VERSION)
zelmora_debian_source_version(g++-mingw-w64-x86-64-posix ZELMORA_MINGW_GCC_VERSION)
if(NOT ZELMORA_QT_DEBIAN_VERSION)
    message(FATAL_ERROR "The Debian version of Qt's source is not known: run tools/windows.sh "
                        "once, or pass -DZELMORA_QT_DEBIAN_VERSION=...")
endif()
set(ZELMORA_THIRD_PARTY_TITLE "Zelmora ${ZELMORA_VERSION_FULL} for Windows: third-party software in zelmora.exe")
string(LENGTH "${ZELMORA_THIRD_PARTY_TITLE}" length)
string(REPEAT "=" ${length} ZELMORA_THIRD_PARTY_RULE)
configure_file(${CMAKE_CURRENT_LIST_DIR}/THIRD-PARTY.txt.in THIRD-PARTY.txt @ONLY)

# source, name in the package, and whether it is text (Windows line ends)
set(package_files
    "$<TARGET_FILE:zelmora>\tzelmora.exe\tbinary"
    "${PROJECT_SOURCE_DIR}/splash.jpg\tsplash.jpg\tbinary"
    "${PROJECT_SOURCE_DIR}/splash@2x.jpg\tsplash@2x.jpg\tbinary"
    "${PROJECT_SOURCE_DIR}/Zelmora.ico\tZelmora.ico\tbinary"
    "${PROJECT_SOURCE_DIR}/LICENSE\tLICENSE.txt\ttext"
    "${CMAKE_CURRENT_LIST_DIR}/README.txt\tREADME.txt\ttext"
    "${CMAKE_CURRENT_BINARY_DIR}/THIRD-PARTY.txt\tTHIRD-PARTY.txt\ttext"
    "${ZELMORA_GUIDE_HTML}\tdoc/guide.ru.html\tbinary")
file(GLOB core_pictures CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/img ${PROJECT_SOURCE_DIR}/img/*.png)
list(SORT core_pictures)
set(package_sources zelmora ${PROJECT_SOURCE_DIR}/LICENSE ${CMAKE_CURRENT_LIST_DIR}/README.txt
    ${CMAKE_CURRENT_BINARY_DIR}/THIRD-PARTY.txt ${PROJECT_SOURCE_DIR}/splash.jpg
    ${PROJECT_SOURCE_DIR}/splash@2x.jpg ${PROJECT_SOURCE_DIR}/Zelmora.ico)
list(APPEND package_sources ${ZELMORA_GUIDE_HTML})
foreach(picture ${ZELMORA_GUIDE_PICTURES})
    get_filename_component(name ${picture} NAME)
    list(APPEND package_files "${picture}\tdoc/${name}\tbinary")
    list(APPEND package_sources ${picture})
endforeach()
foreach(picture ${core_pictures})
    list(APPEND package_files "${PROJECT_SOURCE_DIR}/img/${picture}\timg/${picture}\tbinary")
    list(APPEND package_sources ${PROJECT_SOURCE_DIR}/img/${picture})
endforeach()
list(JOIN package_files "\n" manifest)
file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/package-files.txt CONTENT "${manifest}\n")

set(ZELMORA_PACKAGE_FOLDER Zelmora-${ZELMORA_VERSION})
set(ZELMORA_ZIP_NAME zelmora-${ZELMORA_VERSION}-win64.zip)
set(ZELMORA_SETUP_NAME zelmora-${ZELMORA_VERSION}-win64-setup.exe)
set(ZELMORA_ZIP ${CMAKE_CURRENT_BINARY_DIR}/${ZELMORA_ZIP_NAME})
set(ZELMORA_SETUP ${CMAKE_CURRENT_BINARY_DIR}/${ZELMORA_SETUP_NAME})
add_custom_command(OUTPUT ${ZELMORA_ZIP} ${ZELMORA_SETUP} ${CMAKE_CURRENT_BINARY_DIR}/SHA256SUMS
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/make-packages.sh ${CMAKE_CURRENT_BINARY_DIR}/package-files.txt
            ${CMAKE_CURRENT_BINARY_DIR}/package ${ZELMORA_PACKAGE_FOLDER} ${ZELMORA_VERSION}
            ${ZELMORA_VERSION_FULL} ${ZELMORA_ZIP} ${ZELMORA_SETUP} ${ZELMORA_SIGN_STAMP}
    # A user checks a download against these (written after signing).
    COMMAND bash -c "sha256sum zelmora.exe ${ZELMORA_SETUP_NAME} ${ZELMORA_ZIP_NAME} > SHA256SUMS"
    DEPENDS ${package_sources} ${CMAKE_CURRENT_BINARY_DIR}/package-files.txt
            ${CMAKE_CURRENT_LIST_DIR}/make-packages.sh ${CMAKE_CURRENT_LIST_DIR}/zelmora.nsi
            ${ZELMORA_SIGN_SCRIPT} ${ZELMORA_SIGN_STAMP}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    COMMENT "Making the Windows installer and the portable zip"
    VERBATIM)
set(packages ${ZELMORA_ZIP} ${ZELMORA_SETUP})
if(ZELMORA_SIGN)
    # The build ends with every program it ships verified against the signer's CA: the
    # program, the one in the packages and the installer (sign.sh verified the uninstaller
    # as it signed it). An unsigned one fails the build, now and at the next one.
    add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/signatures-verified
        COMMAND bash ${ZELMORA_SIGN_SCRIPT} ${ZELMORA_SIGN_STAMP} --verify $<TARGET_FILE:zelmora>
                package/${ZELMORA_PACKAGE_FOLDER}/zelmora.exe ${ZELMORA_SETUP}
        COMMAND ${CMAKE_COMMAND} -E touch signatures-verified
        DEPENDS ${packages} zelmora ${ZELMORA_SIGN_STAMP} ${ZELMORA_SIGN_CA} ${ZELMORA_SIGN_SCRIPT}
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        COMMENT "Verifying the signatures against ${ZELMORA_SIGN_CA}"
        VERBATIM)
    list(APPEND packages ${CMAKE_CURRENT_BINARY_DIR}/signatures-verified)
endif()
add_custom_target(zelmora_packages ALL DEPENDS ${packages})

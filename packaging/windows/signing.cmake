# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Signing is chosen when the build folder is configured: ZELMORA_SIGN=ON and a key
# (packaging/windows/sign.sh names the settings). On, the key must be readable now, and
# the build signs zelmora.exe, the installer and its uninstaller and ends by verifying
# them against ZELMORA_SIGN_CA. The choice, the settings and the certificate's fingerprint
# go into signing.txt, which sign.sh reads and which the program's link and the packages
# depend on: a change of any of them signs anew (or unsigns) without a clean build.
option(ZELMORA_SIGN "Sign zelmora.exe, the installer and its uninstaller (packaging/windows/sign.sh)" OFF)
set(ZELMORA_SIGN_SETTINGS PKCS12 PKCS11_MODULE PKCS11_KEY CERT PASSWORD_FILE CA TIMESTAMP_URL)
foreach(setting ${ZELMORA_SIGN_SETTINGS})
    set(ZELMORA_SIGN_${setting} "" CACHE STRING "Signing: see packaging/windows/sign.sh")
endforeach()
set(ZELMORA_SIGN_STAMP ${CMAKE_CURRENT_BINARY_DIR}/signing.txt)
set(ZELMORA_SIGN_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/sign.sh)

if(ZELMORA_SIGN)
    set(settings "ZELMORA_SIGN=ON\n")
    foreach(setting ${ZELMORA_SIGN_SETTINGS})
        string(APPEND settings "ZELMORA_SIGN_${setting}=${ZELMORA_SIGN_${setting}}\n")
    endforeach()
    file(WRITE ${ZELMORA_SIGN_STAMP}.new "${settings}")
    execute_process(COMMAND bash ${ZELMORA_SIGN_SCRIPT} ${ZELMORA_SIGN_STAMP}.new --identity
        OUTPUT_VARIABLE fingerprint ERROR_VARIABLE why RESULT_VARIABLE failed OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(failed)
        message(FATAL_ERROR "ZELMORA_SIGN is ON, but the key cannot sign:\n${why}")
    endif()
    find_program(OSSLSIGNCODE osslsigncode REQUIRED)
    message(STATUS "Signing with the key of the certificate with SHA-256 fingerprint ${fingerprint}")
    file(APPEND ${ZELMORA_SIGN_STAMP}.new "certificate SHA-256 ${fingerprint}\n")
    # A new key or certificate in the same file configures anew.
    foreach(file ${ZELMORA_SIGN_PKCS12} ${ZELMORA_SIGN_CERT})
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
    endforeach()
else()
    message(STATUS "Not signed: ZELMORA_SIGN is OFF")
    file(WRITE ${ZELMORA_SIGN_STAMP}.new "ZELMORA_SIGN=OFF\n")
endif()
configure_file(${ZELMORA_SIGN_STAMP}.new ${ZELMORA_SIGN_STAMP} COPYONLY) # touched only when changed

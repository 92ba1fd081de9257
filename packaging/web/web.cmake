# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# The browser program (Qt for WebAssembly, static) and the site that serves it: a folder of
# static files any web host can serve (ZELMORA_WEB_SITE_DIR, by default site/ in the build
# folder), made by the zelmora_site target.
set(ZELMORA_WEB_SITE_DIR ${CMAKE_CURRENT_BINARY_DIR}/site CACHE PATH "Where the zelmora_site target puts the site")

# Qt is static and links no plugin by itself: the browser platform and the JPEG and ICO
# formats (the splash, the window's icon) are linked in.
qt_import_plugins(zelmora INCLUDE Qt6::QWasmIntegrationPlugin Qt6::QJpegPlugin Qt6::QICOPlugin)

# Modal message boxes wait in exec(), which in a browser needs asyncify. The program ends
# the runtime when it quits (exec() never returns in a browser), which the page is told of.
# The pictures the program loads from its working folder are preloaded into the in-memory
# file system by the loader, at the same paths, from one file (zelmora.data); so are the
# faces of the form's font, Liberation Sans regular and bold (Debian's fonts-liberation),
# under /fonts, where the program registers them.
set(ZELMORA_WEB_FONT_DIR /usr/share/fonts/truetype/liberation CACHE PATH
    "Where the Liberation Sans faces the browser program brings are taken from")
file(GLOB web_pictures CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}
    ${PROJECT_SOURCE_DIR}/img/*.png ${PROJECT_SOURCE_DIR}/splash*.jpg ${PROJECT_SOURCE_DIR}/Zelmora.ico)
list(SORT web_pictures)
set(web_preload)
foreach(picture ${web_pictures})
    string(REPLACE "@" "@@" path ${picture}) # a single @ parts the file from its place
    list(APPEND web_preload "SHELL:--preload-file ${PROJECT_SOURCE_DIR}/${path}@/${path}")
endforeach()
list(TRANSFORM web_pictures PREPEND ${PROJECT_SOURCE_DIR}/)
set(web_fonts)
foreach(face LiberationSans-Regular.ttf LiberationSans-Bold.ttf)
    if(NOT EXISTS ${ZELMORA_WEB_FONT_DIR}/${face})
        message(FATAL_ERROR "${ZELMORA_WEB_FONT_DIR}/${face} is missing (Debian's fonts-liberation)")
    endif()
    list(APPEND web_preload "SHELL:--preload-file ${ZELMORA_WEB_FONT_DIR}/${face}@/fonts/${face}")
    list(APPEND web_fonts ${ZELMORA_WEB_FONT_DIR}/${face})
endforeach()
target_link_options(zelmora PRIVATE -sASYNCIFY -sEXIT_RUNTIME=1 -Os ${web_preload})
set_property(TARGET zelmora APPEND PROPERTY LINK_DEPENDS ${web_pictures} ${web_fonts})

# The page (Russian), made from its template with the version; Qt's loader beside the
# program; a favicon from the icon; the licences of what the site ships; the user's guide.
set(ZELMORA_VERSION_FULL ${PROJECT_VERSION})
configure_file(${CMAKE_CURRENT_LIST_DIR}/index.html.in index.html @ONLY)
include(${CMAKE_CURRENT_LIST_DIR}/third-party.cmake)
set(web_build_files
    ${CMAKE_CURRENT_BINARY_DIR}/index.html ${CMAKE_CURRENT_BINARY_DIR}/THIRD-PARTY.txt)
set(web_output_files zelmora.js zelmora.wasm zelmora.data qtloader.js)
list(TRANSFORM web_output_files PREPEND ${CMAKE_CURRENT_BINARY_DIR}/)
add_custom_target(zelmora_site
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${ZELMORA_WEB_SITE_DIR}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ZELMORA_WEB_SITE_DIR}/doc
    COMMAND ${CMAKE_COMMAND} -E copy ${web_output_files} ${web_build_files} ${ZELMORA_WEB_SITE_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/icons/org.example.zelmora-64.png
            ${ZELMORA_WEB_SITE_DIR}/favicon.png
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${ZELMORA_WEB_SITE_DIR}/LICENSE.txt
    COMMAND ${CMAKE_COMMAND} -E copy ${ZELMORA_GUIDE_HTML} ${ZELMORA_GUIDE_PICTURES} ${ZELMORA_WEB_SITE_DIR}/doc
    DEPENDS zelmora zelmora_guide ${web_build_files}
    COMMENT "Putting the site together in ${ZELMORA_WEB_SITE_DIR}"
    VERBATIM)

# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a fresh prefix and checks the tree: every file in its place and
# nothing else, the menus naming qvnhere in that prefix, and the desktop validators content.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
    bin/qvn
    bin/qvnhere
    share/applications/org.tarnwick.Quorvin.desktop
    share/bash-completion/completions/qvn
    share/doc/quorvin/changelog.gz
    share/doc/quorvin/copyright
    share/fish/vendor_completions.d/qvn.fish
    share/icons/hicolor/128x128/apps/org.tarnwick.Quorvin.png
    share/icons/hicolor/16x16/apps/org.tarnwick.Quorvin.png
    share/icons/hicolor/256x256/apps/org.tarnwick.Quorvin.png
    share/icons/hicolor/32x32/apps/org.tarnwick.Quorvin.png
    share/icons/hicolor/48x48/apps/org.tarnwick.Quorvin.png
    share/icons/hicolor/64x64/apps/org.tarnwick.Quorvin.png
    share/icons/hicolor/scalable/apps/org.tarnwick.Quorvin.svg
    share/kio/servicemenus/quorvin-here.desktop
    share/man/man1/quorvin.1.gz
    share/man/man1/qvn.1.gz
    share/man/man1/qvnhere.1.gz
    share/metainfo/org.tarnwick.Quorvin.metainfo.xml
    share/mime/packages/org.tarnwick.Quorvin.xml
    share/nemo/actions/quorvin-here.nemo_action
    share/zsh/vendor-completions/_qvn)
if(WITH_WINDOW)
    list(APPEND expected bin/quorvin)
endif()
list(SORT expected)

file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${PREFIX}" "${PREFIX}/*")
# Help pages and tips arrive with the window's help; they live under share/quorvin.
list(FILTER installed EXCLUDE REGEX "^share/quorvin/")
list(SORT installed)
if(NOT installed STREQUAL expected)
    message(FATAL_ERROR "Install tree differs.\nExpected: ${expected}\nInstalled: ${installed}")
endif()

foreach(menu share/kio/servicemenus/quorvin-here.desktop share/nemo/actions/quorvin-here.nemo_action)
    file(READ "${PREFIX}/${menu}" content)
    string(FIND "${content}" "${PREFIX}/bin/qvnhere" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${menu} does not name ${PREFIX}/bin/qvnhere:\n${content}")
    endif()
endforeach()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
find_program(APPSTREAMCLI appstreamcli REQUIRED)
execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}"
        "${PREFIX}/share/applications/org.tarnwick.Quorvin.desktop"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT output STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate: ${output}")
endif()
# A KDE service menu is no application entry: the validator's complaints about its type, its
# all/all MIME type and the keys that type does not know are expected; anything else is not.
execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}"
        "${PREFIX}/share/kio/servicemenus/quorvin-here.desktop"
    OUTPUT_VARIABLE output ERROR_VARIABLE output)
string(REGEX REPLACE "[^\n]*(\"all/all;\"|the type is \"Service\")[^\n]*\n" "" rest "${output}")
if(NOT rest STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate on the service menu: ${rest}")
endif()
execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net --pedantic
        "${PREFIX}/share/metainfo/org.tarnwick.Quorvin.metainfo.xml"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate: ${output}")
endif()
# Man pages must format without a warning (where man-db is installed).
find_program(MAN man)
if(MAN)
    foreach(page qvn quorvin qvnhere)
        execute_process(COMMAND "${CMAKE_COMMAND}" -E env LC_ALL=C.UTF-8 MANWIDTH=80
                "${MAN}" --warnings -E UTF-8 -l -Tutf8 -Z "${PREFIX}/share/man/man1/${page}.1.gz"
            RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE output)
        if(NOT result EQUAL 0 OR NOT output STREQUAL "")
            message(FATAL_ERROR "man ${page}: ${output}")
        endif()
    endforeach()
endif()
message(STATUS "Installed: ${installed}")

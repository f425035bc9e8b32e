# SPDX-License-Identifier: GPL-3.0-or-later
# Where everything goes on `cmake --install`, for any prefix. Included after src/, so that
# every program target exists by then; the window is installed when it is built.
include(GNUInstallDirs)

set(QVN_RESOURCES ${PROJECT_SOURCE_DIR}/resources)
set(QVN_APP_ID org.tarnwick.Quorvin)
# The programs find their shared data at ../share/quorvin relative to their own folder.
set(QVN_DATADIR ${CMAKE_INSTALL_DATADIR}/quorvin)

foreach(program quorvin qvn qvnhere)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()

install(FILES ${QVN_RESOURCES}/${QVN_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QVN_RESOURCES}/icons/${QVN_APP_ID}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
    install(FILES ${QVN_RESOURCES}/icons/png/${size}/${QVN_APP_ID}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${QVN_RESOURCES}/${QVN_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

configure_file(${QVN_RESOURCES}/${QVN_APP_ID}.metainfo.xml
    ${PROJECT_BINARY_DIR}/resources/${QVN_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/resources/${QVN_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Man pages carry the version and are installed compressed, as Debian expects.
set(QVN_MAN_PAGES)
foreach(page qvn quorvin qvnhere)
    set(source ${PROJECT_BINARY_DIR}/resources/man/${page}.1)
    configure_file(${QVN_RESOURCES}/man/${page}.1 ${source} @ONLY)
    add_custom_command(OUTPUT ${source}.gz
        COMMAND gzip -9nc ${source} > ${source}.gz
        DEPENDS ${source}
        VERBATIM)
    list(APPEND QVN_MAN_PAGES ${source}.gz)
endforeach()
add_custom_target(quorvin_man_pages ALL DEPENDS ${QVN_MAN_PAGES})
install(FILES ${QVN_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Help pages and the tips file, where they exist.
if(EXISTS ${QVN_RESOURCES}/help)
    install(DIRECTORY ${QVN_RESOURCES}/help/ DESTINATION ${QVN_DATADIR}/help)
endif()
file(GLOB QVN_TIPS ${QVN_RESOURCES}/tips*)
if(QVN_TIPS)
    install(FILES ${QVN_TIPS} DESTINATION ${QVN_DATADIR})
endif()

# Debian's layout for the copyright note and the change log; the full licence is the
# system's common-licenses/GPL-3.
set(QVN_CHANGELOG ${PROJECT_BINARY_DIR}/resources/changelog.gz)
add_custom_command(OUTPUT ${QVN_CHANGELOG}
    COMMAND gzip -9nc ${QVN_RESOURCES}/debian/changelog > ${QVN_CHANGELOG}
    DEPENDS ${QVN_RESOURCES}/debian/changelog
    VERBATIM)
add_custom_target(quorvin_changelog ALL DEPENDS ${QVN_CHANGELOG})
install(FILES ${QVN_RESOURCES}/debian/copyright ${QVN_CHANGELOG}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvin)

# The system-wide "Quorvin Here" of Dolphin and Nemo names qvnhere by its absolute path, known
# only at install time (the prefix may be given then).
install(CODE "
    set(QVNHERE_PATH \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/qvnhere\")
    foreach(menu
            \"kio/servicemenus/quorvin-here.desktop\"
            \"nemo/actions/quorvin-here.nemo_action\")
        get_filename_component(name \"\${menu}\" NAME)
        set(target \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/\${menu}\")
        message(STATUS \"Installing: \${target}\")
        configure_file(\"${QVN_RESOURCES}/shellext/\${name}.in\" \"\${target}\" @ONLY)
        file(CHMOD \"\${target}\" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
        list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${target}\")
    endforeach()
")

include(${CMAKE_CURRENT_LIST_DIR}/QuorvinPackage.cmake)

# Shell completions, where each shell looks for them.
install(FILES ${PROJECT_SOURCE_DIR}/completions/qvn.bash
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME qvn)
install(FILES ${PROJECT_SOURCE_DIR}/completions/_qvn
    DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
install(FILES ${PROJECT_SOURCE_DIR}/completions/qvn.fish
    DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)

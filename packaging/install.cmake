# Installs the game where Debian puts games: the program in games/, its music plugin in
# lib/games/tanzel-punch/, its two tunes in
# share/games/tanzel-punch/ (the working folder its menu entry starts it in), the menu entry, the
# icon in the hicolor theme as SVG and as PNGs rendered at build time, the AppStream metainfo and
# the manual page, and Debian's copyright file and changelog. Everything belongs to the install
# component "game", which the package holds.
# Included from the top-level CMakeLists.txt once the game and its tunes are defined.
include(GNUInstallDirs)

set(TANZEL_INSTALL_TUNESDIR ${CMAKE_INSTALL_DATADIR}/games/tanzel-punch)
set(TANZEL_ICON_SVG ${CMAKE_SOURCE_DIR}/assets/pictures/icon.svg)
set(TANZEL_ICON_SIZES 16 22 24 32 48 64 128 256)
set(TANZEL_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)
# Generated files are written here by several custom commands; none may find it missing.
file(MAKE_DIRECTORY ${TANZEL_PACKAGING_DIR})

install(TARGETS tanzel-punch RUNTIME DESTINATION ${TANZEL_INSTALL_GAMESDIR} COMPONENT game)
install(TARGETS tanzel-punch-music LIBRARY DESTINATION ${TANZEL_INSTALL_PLUGINDIR} COMPONENT game)
# A stripped install (`cmake --install --strip`, the package) drops what Debian's dh_strip drops
# too: the compilers' version strings and the old-style notes.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        foreach(binary ${TANZEL_INSTALL_GAMESDIR}/tanzel-punch
                       ${TANZEL_INSTALL_PLUGINDIR}/tanzel-punch-music.so)
            execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
                --remove-section=.note \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${binary}\")
        endforeach()
    endif()"
    COMPONENT game)
install(FILES ${TANZEL_RUN_DIR}/present.mid ${TANZEL_RUN_DIR}/music.mid
        DESTINATION ${TANZEL_INSTALL_TUNESDIR} COMPONENT game)

# The menu entry names the program and its folder by absolute path, so it is written when
# installing, under the prefix of that install (a package's own, not the build's).
install(CODE "
    set(TANZEL_DESKTOP_TEMPLATE \"${CMAKE_CURRENT_LIST_DIR}/tanzel-punch.desktop.in\")
    set(TANZEL_DESKTOP_STAGED \"${TANZEL_PACKAGING_DIR}/tanzel-punch.desktop\")
    set(TANZEL_INSTALL_GAMESDIR \"${TANZEL_INSTALL_GAMESDIR}\")
    set(TANZEL_INSTALL_TUNESDIR \"${TANZEL_INSTALL_TUNESDIR}\")
    set(TANZEL_INSTALL_APPSDIR \"${CMAKE_INSTALL_DATADIR}/applications\")"
    COMPONENT game)
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/installdesktop.cmake COMPONENT game)

add_executable(tanzel-icon-render ${CMAKE_CURRENT_LIST_DIR}/icontool/main.cpp)
target_link_libraries(tanzel-icon-render PRIVATE Qt6::Gui Qt6::Svg)
tanzel_warnings(tanzel-icon-render)

set(tanzel_icon_pngs)
foreach(size IN LISTS TANZEL_ICON_SIZES)
    set(png ${TANZEL_PACKAGING_DIR}/icons/${size}x${size}/tanzel-punch.png)
    add_custom_command(
        OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${TANZEL_PACKAGING_DIR}/icons/${size}x${size}
        COMMAND tanzel-icon-render ${TANZEL_ICON_SVG} ${png} ${size}
        DEPENDS tanzel-icon-render ${TANZEL_ICON_SVG}
        COMMENT "Rendering the ${size}x${size} icon"
        VERBATIM)
    list(APPEND tanzel_icon_pngs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            COMPONENT game)
endforeach()
add_custom_target(tanzel-icons ALL DEPENDS ${tanzel_icon_pngs})
install(FILES ${TANZEL_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME tanzel-punch.svg COMPONENT game)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/org.tanzelpunch.TanzelPunch.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT game)

# Debian keeps manual pages compressed, without a time stamp in the archive.
set(tanzel_manual ${TANZEL_PACKAGING_DIR}/tanzel-punch.6.gz)
add_custom_command(
    OUTPUT ${tanzel_manual}
    COMMAND gzip -9 -n -c ${CMAKE_CURRENT_LIST_DIR}/tanzel-punch.6 > ${tanzel_manual}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/tanzel-punch.6
    COMMENT "Compressing the manual page")
add_custom_target(tanzel-manual ALL DEPENDS ${tanzel_manual})
install(FILES ${tanzel_manual} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT game)

# Debian's copyright file and changelog; the doc folder is named after the package, not the
# project, and a native package's changelog is changelog.gz.
set(TANZEL_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/tanzel-punch)

set(tanzel_copyright ${TANZEL_PACKAGING_DIR}/copyright)
file(GLOB tanzel_licences CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/LICENSES/*.txt)
add_custom_command(
    OUTPUT ${tanzel_copyright}
    COMMAND ${CMAKE_COMMAND} -DDEP5=${CMAKE_SOURCE_DIR}/.reuse/dep5
        -DLICENSES=${CMAKE_SOURCE_DIR}/LICENSES -DOUTPUT=${tanzel_copyright}
        -P ${CMAKE_CURRENT_LIST_DIR}/copyright.cmake
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/copyright.cmake ${CMAKE_SOURCE_DIR}/.reuse/dep5
        ${tanzel_licences}
    COMMENT "Writing the copyright file"
    VERBATIM)

set(tanzel_changelog ${TANZEL_PACKAGING_DIR}/changelog.gz)
add_custom_command(
    OUTPUT ${tanzel_changelog}
    COMMAND gzip -9 -n -c ${CMAKE_CURRENT_LIST_DIR}/changelog > ${tanzel_changelog}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog
    COMMENT "Compressing the changelog")
add_custom_target(tanzel-package-docs ALL DEPENDS ${tanzel_copyright} ${tanzel_changelog})
install(FILES ${tanzel_copyright} ${tanzel_changelog} DESTINATION ${TANZEL_INSTALL_DOCDIR}
        COMPONENT game)

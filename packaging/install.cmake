# Installs the game where Debian puts games: the program in games/, its music plugin in
# lib/games/tanzel-punch/, its two tunes in share/games/tanzel-punch/ (the working folder its menu
# entry starts it in), the menu entry, the icon in the hicolor theme as SVG and as PNGs rendered
# at build time, the AppStream metainfo and the manual page. Stripping, compressing and the
# package's own documents are debhelper's part (debian/).
# Included from the top-level CMakeLists.txt once the game and its tunes are defined.
include(GNUInstallDirs)

set(TANZEL_INSTALL_TUNESDIR ${CMAKE_INSTALL_DATADIR}/games/tanzel-punch)
set(TANZEL_ICON_SVG ${CMAKE_SOURCE_DIR}/assets/pictures/icon.svg)
set(TANZEL_ICON_SIZES 16 22 24 32 48 64 128 256)
set(TANZEL_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)

install(TARGETS tanzel-punch RUNTIME DESTINATION ${TANZEL_INSTALL_GAMESDIR})
install(TARGETS tanzel-punch-music LIBRARY DESTINATION ${TANZEL_INSTALL_PLUGINDIR})
install(FILES ${TANZEL_RUN_DIR}/present.mid ${TANZEL_RUN_DIR}/music.mid
        DESTINATION ${TANZEL_INSTALL_TUNESDIR})

# The menu entry names the program and its folder by absolute path, so it is written when
# installing, under the prefix of that install (a package's own, not the build's).
install(CODE "
    set(TANZEL_DESKTOP_TEMPLATE \"${CMAKE_CURRENT_LIST_DIR}/tanzel-punch.desktop.in\")
    set(TANZEL_DESKTOP_STAGED \"${TANZEL_PACKAGING_DIR}/tanzel-punch.desktop\")
    set(TANZEL_INSTALL_GAMESDIR \"${TANZEL_INSTALL_GAMESDIR}\")
    set(TANZEL_INSTALL_TUNESDIR \"${TANZEL_INSTALL_TUNESDIR}\")
    set(TANZEL_INSTALL_APPSDIR \"${CMAKE_INSTALL_DATADIR}/applications\")")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/installdesktop.cmake)

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
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(tanzel-icons ALL DEPENDS ${tanzel_icon_pngs})
install(FILES ${TANZEL_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME tanzel-punch.svg)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/org.tanzelpunch.TanzelPunch.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/tanzel-punch.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

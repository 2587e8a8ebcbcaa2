# The Debian package (`make package`, or the target `package`): the install component "game"
# under /usr, its libraries' packages found by dpkg-shlibdeps, and the SoundFont and fonts it
# loads at run time as dependencies, never bundled. Included last from the top-level CMakeLists.txt.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tanzel-punch)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tanzel Punch")
set(CPACK_PACKAGE_CONTACT "Tanzel Punch developers <tanzel-punch@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Install-time code sees /usr as its prefix, so the menu entry names /usr paths.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};game;/")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "timgm6mb-soundfont, fonts-liberation, fonts-wine, fonts-bebas-neue, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "arcade game: punch the villains that pop out of nine holes
Nine holes stand in a three by three grid laid out like the numeric keypad.
Creatures rise out of them, one, two or three at a time. Punch the spiky,
grinning villains by typing the digit of their hole, spare the round, smiling
friends, and never punch the little golden chick. Every villain that gets away
and every wrong punch costs Power; once a minute the game gets harder, through
five stages, to two original tunes.")

include(CPack)

find_program(TANZEL_DPKG_DEB dpkg-deb)
if(BUILD_TESTING AND TANZEL_DPKG_DEB)
    string(REPLACE ";" "," tanzel_icon_sizes "${TANZEL_ICON_SIZES}")
    add_test(NAME package_holds_the_game_as_a_debian_desktop_game
        COMMAND ${CMAKE_COMMAND}
            -DCPACK_CONFIG=${CMAKE_BINARY_DIR}/CPackConfig.cmake
            -DOUT_DIR=${CMAKE_BINARY_DIR}/package-check
            -DICON_SIZES=${tanzel_icon_sizes}
            -P ${CMAKE_CURRENT_LIST_DIR}/checkpackage.cmake)
    set_tests_properties(package_holds_the_game_as_a_debian_desktop_game
        PROPERTIES LABELS package TIMEOUT 300)
endif()

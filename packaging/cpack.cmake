# The Debian package (`make package`, or the target `package`): the install component "game"
# under /usr, its libraries' packages found by dpkg-shlibdeps, and the SoundFont and fonts it
# loads at run time as dependencies, never bundled. Included last from the top-level CMakeLists.txt.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tanzel-punch)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tanzel Punch developers")
set(CPACK_PACKAGE_CONTACT "The Tanzel Punch developers <developers@tanzelpunch.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Install-time code sees /usr as its prefix, so the menu entry names /usr paths.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};game;/")
set(CPACK_STRIP_FILES ON)
# The folders the package creates get Debian's permissions whatever the packager's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Built from the upstream tree itself, the package is a native one: its version is the project's,
# and so is its changelog's latest entry.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_CURRENT_LIST_DIR}/changelog)
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/changelog tanzel_latest_entry LIMIT_COUNT 1)
string(FIND "${tanzel_latest_entry}" "tanzel-punch (${PROJECT_VERSION}) " tanzel_entry_at)
if(NOT tanzel_entry_at EQUAL 0)
    message(FATAL_ERROR "packaging/changelog's latest entry is not for tanzel-punch "
                        "${PROJECT_VERSION}: ${tanzel_latest_entry}")
endif()

# The package's time stamps are the last commit's, so that packaging one build twice gives the
# same bytes.
set(CPACK_TANZEL_SOURCE_DIR ${CMAKE_SOURCE_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/sourcedate.cmake)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The pictures and tunes are freeware that may not be distributed without authorisation, which
# puts the package in Debian's non-free area.
set(CPACK_DEBIAN_PACKAGE_SECTION non-free/games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tanzelpunch.example/)
# xz, as dpkg-deb's own default, also leaves no time stamp in the archive's header.
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
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

# Both checks package the build; they take turns, since each install writes the menu entry's
# staged copy in the build folder.
find_program(TANZEL_DPKG_DEB dpkg-deb)
if(BUILD_TESTING AND TANZEL_DPKG_DEB)
    string(REPLACE ";" "," tanzel_icon_sizes "${TANZEL_ICON_SIZES}")
    add_test(NAME package_holds_the_game_as_a_debian_desktop_game
        COMMAND ${CMAKE_COMMAND}
            -DCPACK_CONFIG=${CMAKE_BINARY_DIR}/CPackConfig.cmake
            -DOUT_DIR=${CMAKE_BINARY_DIR}/package-check
            -DICON_SIZES=${tanzel_icon_sizes}
            -P ${CMAKE_CURRENT_LIST_DIR}/checkpackage.cmake)
    add_test(NAME package_is_the_same_bytes_when_packaged_again
        COMMAND ${CMAKE_COMMAND}
            -DCPACK_CONFIG=${CMAKE_BINARY_DIR}/CPackConfig.cmake
            -DOUT_DIR=${CMAKE_BINARY_DIR}/package-reproducible
            -P ${CMAKE_CURRENT_LIST_DIR}/checkreproducible.cmake)
    set_tests_properties(package_holds_the_game_as_a_debian_desktop_game
                         package_is_the_same_bytes_when_packaged_again
        PROPERTIES LABELS package TIMEOUT 300 RESOURCE_LOCK tanzel-package-staging)
endif()

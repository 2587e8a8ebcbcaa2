# The Debian package's check in the test suite (label "package"): dpkg-buildpackage builds it from
# a copy of the source tree, then its contents and lintian's verdict are checked. Whether two
# clones in two folders give the same bytes is `make package-repro`, apart, as it builds twice.
# Included last from the top-level CMakeLists.txt.
if(BUILD_TESTING)
    string(REPLACE ";" "," tanzel_icon_sizes "${TANZEL_ICON_SIZES}")
    add_test(NAME package_built_by_debhelper_holds_the_game_as_a_debian_desktop_game
        COMMAND ${CMAKE_COMMAND}
            -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
            -DOUT_DIR=${CMAKE_BINARY_DIR}/package-check
            -DVERSION=${PROJECT_VERSION}
            -DICON_SIZES=${tanzel_icon_sizes}
            -P ${CMAKE_CURRENT_LIST_DIR}/checkpackage.cmake)
    # It compiles the game once more, with two jobs of its own, so it runs alone.
    set_tests_properties(package_built_by_debhelper_holds_the_game_as_a_debian_desktop_game
        PROPERTIES LABELS package PROCESSORS 2 TIMEOUT 900)
endif()

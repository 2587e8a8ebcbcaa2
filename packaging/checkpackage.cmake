# Builds the Debian package into OUT_DIR and checks what it holds: the files of a desktop game
# in Debian's places and nothing else, real icons of every size, the declared dependencies, and
# a menu entry that starts the game in the folder of its tunes; then lintian's verdict, which
# must hold no error and no warning.
#   cmake -DCPACK_CONFIG=<build>/CPackConfig.cmake -DOUT_DIR=<dir> -DICON_SIZES=16,32,... -P this
cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" ICON_SIZES "${ICON_SIZES}")
file(REMOVE_RECURSE "${OUT_DIR}")
file(MAKE_DIRECTORY "${OUT_DIR}/root")

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output
                    ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed (${status}):\n${output}${errors}")
    endif()
    set(output "${output}" PARENT_SCOPE)
endfunction()

run(cpack --config "${CPACK_CONFIG}" -B "${OUT_DIR}")
file(GLOB packages "${OUT_DIR}/tanzel-punch_*.deb")
list(LENGTH packages count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one tanzel-punch_*.deb in ${OUT_DIR}, found: ${packages}")
endif()

set(expected
    ./usr/games/tanzel-punch
    ./usr/lib/games/tanzel-punch/tanzel-punch-music.so
    ./usr/share/games/tanzel-punch/present.mid
    ./usr/share/games/tanzel-punch/music.mid
    ./usr/share/applications/tanzel-punch.desktop
    ./usr/share/icons/hicolor/scalable/apps/tanzel-punch.svg
    ./usr/share/metainfo/org.tanzelpunch.TanzelPunch.metainfo.xml
    ./usr/share/man/man6/tanzel-punch.6.gz
    ./usr/share/doc/tanzel-punch/copyright
    ./usr/share/doc/tanzel-punch/changelog.gz)
foreach(size IN LISTS ICON_SIZES)
    list(APPEND expected ./usr/share/icons/hicolor/${size}x${size}/apps/tanzel-punch.png)
endforeach()
run(dpkg-deb --contents "${packages}")
string(REGEX MATCHALL "\\./usr/[^\n]*[^/\n]\n" files "${output}")
list(TRANSFORM files STRIP)
list(SORT files)
list(SORT expected)
if(NOT files STREQUAL expected)
    string(REPLACE ";" "\n  " files "${files}")
    string(REPLACE ";" "\n  " expected "${expected}")
    message(FATAL_ERROR "the package holds:\n  ${files}\nexpected:\n  ${expected}")
endif()

run(dpkg-deb --field "${packages}" Depends)
foreach(dependency libqt6widgets6 libqt6svg6 libfluidsynth3 timgm6mb-soundfont
                   fonts-liberation fonts-wine fonts-bebas-neue fonts-dejavu-core)
    if(NOT output MATCHES "(^|, )${dependency}( |,|$)")
        message(FATAL_ERROR "Depends lacks ${dependency}: ${output}")
    endif()
endforeach()

run(dpkg-deb --extract "${packages}" "${OUT_DIR}/root")
set(root "${OUT_DIR}/root")
file(STRINGS "${root}/usr/share/applications/tanzel-punch.desktop" entry)
foreach(line "Exec=/usr/games/tanzel-punch" "Path=/usr/share/games/tanzel-punch"
             "Categories=Game;ArcadeGame;" "Icon=tanzel-punch" "Name=Tanzel Punch")
    if(NOT line IN_LIST entry)
        message(FATAL_ERROR "the menu entry lacks ${line}:\n${entry}")
    endif()
endforeach()

# A PNG's width and height are the first two words of its header chunk, at byte 16.
foreach(size IN LISTS ICON_SIZES)
    set(png "${root}/usr/share/icons/hicolor/${size}x${size}/apps/tanzel-punch.png")
    file(READ "${png}" header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 0 16 signature)
    string(SUBSTRING "${header}" 32 8 width)
    string(SUBSTRING "${header}" 40 8 height)
    math(EXPR width "0x${width}")
    math(EXPR height "0x${height}")
    if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL size OR NOT height EQUAL size)
        message(FATAL_ERROR "${png} is not a ${size}x${size} PNG (${signature}, ${width}x${height})")
    endif()
endforeach()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
    run(${DESKTOP_FILE_VALIDATE} "${root}/usr/share/applications/tanzel-punch.desktop")
endif()
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
    run(${APPSTREAMCLI} validate --no-net
        "${root}/usr/share/metainfo/org.tanzelpunch.TanzelPunch.metainfo.xml")
endif()

find_program(LINTIAN lintian)
if(NOT LINTIAN)
    message(FATAL_ERROR "lintian is missing: scripts/install-deps.sh test installs it")
endif()
run(${LINTIAN} --fail-on error,warning "${packages}")

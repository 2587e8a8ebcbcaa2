# Builds the Debian package with dpkg-buildpackage (packaging/builddeb.sh) into OUT_DIR and checks
# what it holds: the files of a desktop game in Debian's places and nothing else, the version of
# the project, real icons of every size, the declared dependencies, a menu entry that starts the
# game in the folder of its tunes, and the licences' full texts in its copyright file; then
# lintian's verdict on the upload, which must hold no error, no warning and no hardening tag.
#   cmake -DSOURCE_DIR=<source> -DOUT_DIR=<dir> -DVERSION=<version> -DICON_SIZES=16,32,... -P this
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

foreach(tool dpkg-buildpackage lintian desktop-file-validate appstreamcli)
    find_program(found_${tool} ${tool})
    if(NOT found_${tool})
        message(FATAL_ERROR "${tool} is missing: scripts/install-deps.sh test installs it")
    endif()
endforeach()

# The build's own output goes to the test's log as it comes.
execute_process(COMMAND "${SOURCE_DIR}/packaging/builddeb.sh" "${SOURCE_DIR}" "${OUT_DIR}" 2
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "packaging/builddeb.sh failed (${status})")
endif()
file(GLOB packages "${OUT_DIR}/tanzel-punch_${VERSION}_*.deb")
list(LENGTH packages count)
if(NOT count EQUAL 1)
    file(GLOB built "${OUT_DIR}/*.deb")
    message(FATAL_ERROR "expected one tanzel-punch_${VERSION}_*.deb (debian/changelog's latest "
                        "version is the project's), found: ${built}")
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
string(STRIP "${output}" output)
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

run(desktop-file-validate "${root}/usr/share/applications/tanzel-punch.desktop")
run(appstreamcli validate --no-net
    "${root}/usr/share/metainfo/org.tanzelpunch.TanzelPunch.metainfo.xml")

# .reuse/dep5 is debian/copyright itself; what could drift is a licence's text against LICENSES/.
# A paragraph's text is indented by one space, and its empty lines are written as " .".
file(READ "${root}/usr/share/doc/tanzel-punch/copyright" copyright)
string(APPEND copyright "\n")
file(GLOB licences "${SOURCE_DIR}/LICENSES/*.txt")
foreach(licence IN LISTS licences)
    get_filename_component(name "${licence}" NAME_WLE)
    file(READ "${licence}" text)
    string(STRIP "${text}" text)
    string(REGEX REPLACE "\n([ \t]*\n)+" "\n.\n" text "${text}")
    string(REPLACE "\n" "\n " text "${text}")
    string(FIND "${copyright}" "\nLicense: ${name}\n ${text}\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "debian/copyright lacks the text of LICENSES/${name}.txt as it is")
    endif()
endforeach()

# The .changes names both packages and the .buildinfo. Informational tags are shown, so that a
# missing hardening feature (which lintian reports only as information) fails too.
file(GLOB changes "${OUT_DIR}/tanzel-punch_${VERSION}_*.changes")
run(lintian --fail-on error,warning --display-info --show-overrides ${changes})
if(output MATCHES "hardening-")
    message(FATAL_ERROR "lintian finds a hardening feature missing:\n${output}")
endif()

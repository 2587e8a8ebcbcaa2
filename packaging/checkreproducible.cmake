# Packages one build twice, at least a second apart, into OUT_DIR and checks that the two
# packages are the same bytes: no time stamp of the packaging, no order of its own.
#   cmake -DCPACK_CONFIG=<build>/CPackConfig.cmake -DOUT_DIR=<dir> -P this
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${OUT_DIR}")

set(packages)
foreach(round first second)
    execute_process(COMMAND cpack --config "${CPACK_CONFIG}" -B "${OUT_DIR}/${round}"
                    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "cpack failed (${status}):\n${output}")
    endif()
    file(GLOB package "${OUT_DIR}/${round}/tanzel-punch_*.deb")
    list(APPEND packages "${package}")
    execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1.1)
endforeach()

execute_process(COMMAND cmp ${packages} RESULT_VARIABLE differ OUTPUT_VARIABLE output
                ERROR_VARIABLE output)
if(NOT differ EQUAL 0)
    message(FATAL_ERROR "packaging the same build twice gave two different packages: ${output}")
endif()

# Read by cpack before it packages: dates the package's files by the last commit, as
# SOURCE_DATE_EPOCH, which CPack's DEB generator honours, unless the caller has set one already.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    return()
endif()
execute_process(COMMAND git -C "${CPACK_TANZEL_SOURCE_DIR}" log -1 --format=%ct
                RESULT_VARIABLE status OUTPUT_VARIABLE epoch ERROR_QUIET
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(status EQUAL 0 AND epoch MATCHES "^[0-9]+$")
    set(ENV{SOURCE_DATE_EPOCH} ${epoch})
endif()

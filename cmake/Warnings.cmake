# Strict warnings for the project's own targets; third-party headers come in as system headers.
# They stop the build only where TANZEL_WERROR is on: the developers' presets, `make` and CI.
# A distribution builds with its own compiler, flags and build type, where a new compiler's
# new warning must not fail the build.
option(TANZEL_WERROR "Treat the compiler's warnings on the project's own targets as errors" OFF)

function(tanzel_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow=local -Wconversion
                                             -Wno-sign-conversion
                                             -Wno-missing-field-initializers)
    set_target_properties(${target} PROPERTIES COMPILE_WARNING_AS_ERROR ${TANZEL_WERROR})
endfunction()

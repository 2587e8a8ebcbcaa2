# Strict warnings for the project's own targets; third-party headers come in as system headers.
function(tanzel_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow=local -Wconversion
                                             -Wno-sign-conversion
                                             -Wno-missing-field-initializers -Werror)
endfunction()

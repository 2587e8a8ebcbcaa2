# Runs abc2midi on one tune (cmake -P, with ABC2MIDI, SOURCE and MIDI set). abc2midi exits with 0
# even after errors and only prints them; with -silent it prints nothing else, so any output, error
# or warning, fails the build. -NCOM keeps the ABC comments out of the MIDI file.
execute_process(
    COMMAND ${ABC2MIDI} ${SOURCE} -o ${MIDI} -silent -NCOM
    OUTPUT_VARIABLE report
    ERROR_VARIABLE report
    RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT report STREQUAL "")
    file(REMOVE ${MIDI})
    message(FATAL_ERROR "abc2midi ${SOURCE}:\n${report}")
endif()

# Writes the package's machine-readable copyright file from the repository's own licensing: the
# paragraphs of .reuse/dep5, which say which licence covers which file, then one paragraph with
# the full text of each licence in LICENSES/.
#   cmake -DDEP5=<.reuse/dep5> -DLICENSES=<LICENSES folder> -DOUTPUT=<copyright> -P this
cmake_minimum_required(VERSION 3.25)
file(READ "${DEP5}" copyright)
file(GLOB licences "${LICENSES}/*.txt")
list(SORT licences)
foreach(licence IN LISTS licences)
    get_filename_component(name "${licence}" NAME_WLE)
    file(READ "${licence}" text)
    string(STRIP "${text}" text)
    # A paragraph's text is indented by one space, and its empty lines are written as " .".
    string(REGEX REPLACE "\n([ \t]*\n)+" "\n.\n" text "${text}")
    string(REPLACE "\n" "\n " text "${text}")
    string(APPEND copyright "\nLicense: ${name}\n ${text}\n")
endforeach()
file(WRITE "${OUTPUT}" "${copyright}")

# Writes a short manual page from a program's --help text, so that the page and the help are one text.
#   cmake -DPROGRAM=<path> -DNAME=<name> -DSECTION=1 -DOUTPUT=<file> -DVERSION=<v> -P helpman.cmake
set(ENV{QT_QPA_PLATFORM} offscreen)
# Only the text matters here, not what a sanitizer build thinks of the exit.
set(ENV{ASAN_OPTIONS} detect_leaks=0)
set(ENV{XDG_RUNTIME_DIR} ${CMAKE_CURRENT_BINARY_DIR})
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status ERROR_QUIET)
if(NOT status EQUAL 0 OR help STREQUAL "")
    message(FATAL_ERROR "${NAME} --help failed (${status})")
endif()
# The first lines: "Usage: ..." then the one-paragraph description.
string(REGEX MATCH "^Usage: ([^\n]*)\n([^\n]*)" _ "${help}")
set(synopsis "${CMAKE_MATCH_1}")
set(summary "${CMAKE_MATCH_2}")
# NAME is one short line: the description's first sentence, up to its full stop, colon or semicolon.
string(REGEX REPLACE "[.:;]( .*)?$" "" short "${summary}")
# roff: backslashes doubled, lines starting with "." or "'" kept as text.
foreach(var help synopsis summary short)
    string(REPLACE "\\" "\\\\" ${var} "${${var}}")
    string(REPLACE "-" "\\-" ${var} "${${var}}")
endforeach()
string(REPLACE "\n." "\n\\&." help "${help}")
string(REPLACE "\n'" "\n\\&'" help "${help}")
string(TOUPPER "${NAME}" upper)
file(WRITE ${OUTPUT} ".TH ${upper} ${SECTION} \"\" \"Kestrow ${VERSION}\" \"Kestrow\"\n"
    ".SH NAME\n${NAME} \\- ${short}\n"
    ".SH SYNOPSIS\n.B ${synopsis}\n"
    ".SH DESCRIPTION\n.nf\n${help}.fi\n"
    ".SH SEE ALSO\nkestrow\\-host(1), kestrow\\-skin(1), kestrow\\-device(1)\n")

# Run by `cmake --install`: the files that depend on the prefix chosen then, or that must be
# the generated originals whatever happened to the build tree's copies.
#   PELORIN_MAN_TEMPLATE, PELORIN_MANDIR  the manual page and where it goes
#   PELORIN_MAKESAMPLE, PELORIN_DATADIR   the sample generator and where its output goes
#   PELORIN_STAGING                       a folder of the build tree to generate into
set(prefix "${CMAKE_INSTALL_PREFIX}")
file(MAKE_DIRECTORY "${PELORIN_STAGING}")

file(READ "${PELORIN_MAN_TEMPLATE}" page)
string(REPLACE "@PREFIX@" "${prefix}" page "${page}")
file(WRITE "${PELORIN_STAGING}/pelorin.1" "${page}")
file(INSTALL "${PELORIN_STAGING}/pelorin.1" DESTINATION "${prefix}/${PELORIN_MANDIR}/man1")

# Drawn anew: the build tree's sample may have been edited by a session with the editor.
execute_process(COMMAND "${PELORIN_MAKESAMPLE}" "${PELORIN_STAGING}/pelorin-sample.gb"
                RESULT_VARIABLE drawn)
if(NOT drawn EQUAL 0)
    message(FATAL_ERROR "makesample failed: ${drawn}")
endif()
file(INSTALL "${PELORIN_STAGING}/pelorin-sample.gb" DESTINATION "${prefix}/${PELORIN_DATADIR}/pelorin")

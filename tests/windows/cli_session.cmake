# mctfcli.exe end to end under Wine, in a scratch folder of the build:
# a server set up from nothing, its server files and the statistics of the
# sample logs, with the line ends Windows programs expect.
#
#   cmake -DEMULATOR=<wine command> -DCLI=<mctfcli.exe>
#         -DLOGS=<examples/logs> -DWORK=<scratch folder> -P cli_session.cmake

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/q3/morvane" "${WORK}/logs")
file(GLOB logs "${LOGS}/*.log")
file(COPY ${logs} DESTINATION "${WORK}/logs")

# `settings reset` saves the emptied map list into the default game folder,
# C:\Program Files\Quake III Arena: in a Wine prefix of the test's own, never
# in one that may hold a game.
set(prefix "${WORK}/prefix")
list(TRANSFORM EMULATOR REPLACE "^WINEPREFIX=.*$" "WINEPREFIX=${prefix}")
set(wine_env ${EMULATOR})
list(POP_BACK wine_env)
execute_process(COMMAND ${wine_env} wineboot -i OUTPUT_QUIET ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${wine_env} wineserver -w)

# Wine shows the root of the build machine as drive Z:.
string(REPLACE "/" "\\" game "Z:${WORK}/q3")

function(cli)
  execute_process(COMMAND ${EMULATOR} "${CLI}" ${ARGN} WORKING_DIRECTORY "${WORK}"
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "mctfcli ${ARGN}: exit ${status}\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

# Every line of a text file ends in CR LF; `need` says whether it has any.
# (Read as hex: file(READ) as text drops the carriage returns.)
function(expect_crlf file need)
  file(READ "${file}" hex HEX)
  string(REGEX REPLACE "(..)" "\\1 " bytes "${hex}")
  string(REGEX MATCHALL "0a " lf " ${bytes}")
  string(REGEX MATCHALL " 0d 0a" crlf " ${bytes}")
  list(LENGTH lf lfCount)
  list(LENGTH crlf crlfCount)
  if(NOT lfCount EQUAL crlfCount)
    message(FATAL_ERROR "${file}: ${lfCount} line ends, ${crlfCount} of them CR LF")
  endif()
  if(need AND crlfCount EQUAL 0)
    message(FATAL_ERROR "${file}: no CR LF line end")
  endif()
endfunction()

cli(settings reset --yes --config config.dmc)
cli(settings set "quakePath=${game}" --config config.dmc)
file(REMOVE "${WORK}/q3/morvane.bat" "${WORK}/q3/morvane/morvane.cfg")
cli(server-files --config config.dmc)

expect_crlf("${WORK}/q3/morvane/morvane.cfg" TRUE)
file(READ "${WORK}/q3/morvane/morvane.cfg" script)
string(FIND "${script}" "set g_gametype 4\nset fraglimit 20\n" at)
if(at EQUAL -1)
  message(FATAL_ERROR "morvane.cfg: no game type line\n${script}")
endif()
file(READ "${WORK}/q3/morvane.bat" launch)
if(NOT launch STREQUAL "\"${game}\\quake3.exe\" +set fs_game morvane +set dedicated 2 +set net_port 27960 +exec morvane.cfg")
  message(FATAL_ERROR "morvane.bat: [${launch}]")
endif()

cli(stats --config config.dmc --logs logs)
if(NOT out STREQUAL "pstats.htm written\n")
  message(FATAL_ERROR "stats said [${out}]")
endif()
foreach(page pstats clans players railers rockets)
  set(need FALSE)
  if(page STREQUAL "pstats")
    set(need TRUE)
  endif()
  expect_crlf("${WORK}/logs/${page}.htm" ${need})
endforeach()
# The prefix is large: it goes once the test has passed.
execute_process(COMMAND ${wine_env} wineserver -k)
file(REMOVE_RECURSE "${prefix}")
message(STATUS "mctfcli.exe: server files and pages with CR LF line ends")

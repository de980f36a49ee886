# A game at its default path, C:\Program Files\Quake III Arena, in the Wine
# prefix the tests run in, and a check that no test wrote to it.
#
#   cmake -DMODE=setup|check -DPREFIX=<Wine prefix> -DSTATE=<file> -P game_guard.cmake
#
# setup puts a stand-in game there unless one is installed, and records the
# name, size and time of every file; check, after the last test, compares
# and takes the stand-in away again. An installed game is only looked at.
set(game "${PREFIX}/drive_c/Program Files/Quake III Arena")

function(describe out)
  file(GLOB_RECURSE entries LIST_DIRECTORIES true "${game}/*")
  list(SORT entries)
  set(lines "")
  foreach(entry ${entries})
    file(TIMESTAMP "${entry}" time "%Y-%m-%d %H:%M:%S" UTC)
    set(size "folder")
    if(NOT IS_DIRECTORY "${entry}")
      file(SIZE "${entry}" size)
    endif()
    string(APPEND lines "${entry} ${size} ${time}\n")
  endforeach()
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()

if(MODE STREQUAL "setup")
  # A stand-in left behind by a run that stopped is made again.
  if(EXISTS "${game}/stand-in.txt")
    file(REMOVE_RECURSE "${game}")
  endif()
  if(NOT EXISTS "${game}")
    file(WRITE "${game}/morvane/mctf.map" "q3ctf1\r\nq3ctf2\r\n")
    file(WRITE "${game}/morvane/morvane.cfg" "set g_gametype 4\r\n")
    file(WRITE "${game}/baseq3/pak0.pk3" "PK")
    file(WRITE "${game}/quake3.exe" "MZ")
    file(WRITE "${game}/stand-in.txt" "made by tests/windows/game_guard.cmake\r\n")
  endif()
  describe(before)
  file(WRITE "${STATE}" "${before}")
else()
  describe(after)
  file(READ "${STATE}" before)
  if(EXISTS "${game}/stand-in.txt")
    file(REMOVE_RECURSE "${game}")
  endif()
  if(NOT after STREQUAL before)
    message(FATAL_ERROR "A test changed the game folder ${game}\nbefore:\n${before}after:\n${after}")
  endif()
endif()

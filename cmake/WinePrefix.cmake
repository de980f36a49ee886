# cmake -DWINE_ENV=<env command list> -DPREFIX=<folder> -P WinePrefix.cmake
#
# Creates the Wine prefix when it has never been started (system.reg is the
# first thing wineboot writes) and waits until it has settled, so the first
# test does not pay for the start-up or run into its time limit. A prefix
# that was started before is left as it is.
if(NOT EXISTS "${PREFIX}/system.reg")
  message(STATUS "Initialising the Wine prefix ${PREFIX}")
  execute_process(COMMAND ${WINE_ENV} wineboot -i RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "wineboot -i failed (${result}) in ${PREFIX}")
  endif()
  execute_process(COMMAND ${WINE_ENV} wineserver -w)
endif()

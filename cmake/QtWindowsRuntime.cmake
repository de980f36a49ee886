# The window's programs in a Windows cross-build: Qt's DLLs, the plugins they
# load and the mingw runtime Qt's DLLs were linked against are copied beside
# them (CMAKE_RUNTIME_OUTPUT_DIRECTORY), where Windows and Qt look first.
#
#   mctf_qt_program(<target>)   on other systems: nothing to do
#
# windows-dist-files.txt in the build folder lists what the window itself
# loads, for the zip and the installer; the tests also need Qt6Test.dll and
# the offscreen platform.
if(NOT (WIN32 AND CMAKE_CROSSCOMPILING))
  function(mctf_qt_program target)
  endfunction()
  return()
endif()

set(MCTF_QT_DLLS Qt6::Core Qt6::Gui Qt6::Widgets)
# folder;plugin target pairs; styles: Qt's native Windows look; imageformats:
# the animated clips are GIFs.
set(MCTF_QT_PLUGINS
    platforms Qt6::QWindowsIntegrationPlugin
    styles Qt6::QWindowsVistaStylePlugin
    imageformats Qt6::QGifPlugin)
set(MCTF_QT_TEST_PLUGINS platforms Qt6::QOffscreenIntegrationPlugin)

set(runtime_dlls)
foreach(name libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
                  OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} has no ${name}")
  endif()
  get_filename_component(found ${found} REALPATH)
  list(APPEND runtime_dlls ${found})
endforeach()

set(out ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
set(deployed)
set(copy_commands)
foreach(dll ${runtime_dlls})
  get_filename_component(name ${dll} NAME)
  list(APPEND deployed ${name})
  list(APPEND copy_commands COMMAND ${CMAKE_COMMAND} -E copy_if_different ${dll} ${out}/)
endforeach()
foreach(dll ${MCTF_QT_DLLS} Qt6::Test)
  list(APPEND copy_commands
       COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${dll}> ${out}/)
endforeach()
foreach(dll ${MCTF_QT_DLLS})
  get_target_property(location ${dll} IMPORTED_LOCATION_RELEASE)
  get_filename_component(name "${location}" NAME)
  list(APPEND deployed ${name})
endforeach()
set(plugins ${MCTF_QT_PLUGINS} ${MCTF_QT_TEST_PLUGINS})
while(plugins)
  list(POP_FRONT plugins folder plugin)
  list(APPEND copy_commands
       COMMAND ${CMAKE_COMMAND} -E make_directory ${out}/${folder}
       COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${plugin}> ${out}/${folder}/)
  if(NOT plugin IN_LIST MCTF_QT_TEST_PLUGINS)
    get_target_property(location ${plugin} IMPORTED_LOCATION_RELEASE)
    get_filename_component(name "${location}" NAME)
    list(APPEND deployed ${folder}/${name})
  endif()
endwhile()
# For scripts/windows-dist.sh: what goes into the zip beside the programs.
list(JOIN deployed "\n" deployed)
file(WRITE ${CMAKE_BINARY_DIR}/windows-dist-files.txt "${deployed}\n")

add_custom_target(qt_windows_runtime ${copy_commands}
                  COMMENT "Qt's DLLs and plugins beside the Windows programs" VERBATIM)

function(mctf_qt_program target)
  set_target_properties(${target} PROPERTIES MCTF_SHARED_RUNTIME ON)
  add_dependencies(${target} qt_windows_runtime)
endfunction()

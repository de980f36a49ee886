# Cross-build for 64-bit Windows with mingw-w64 (Debian's g++-mingw-w64-x86-64-posix).
#
# The -posix compilers give std::thread and friends through winpthread. The
# console programs link every runtime (libstdc++, libgcc, winpthread) in
# statically, so they run on a bare Windows server and under Wine without
# extra DLLs; the window shares Qt's (see MCTF_SHARED_RUNTIME in
# CMakeLists.txt).
#
# With -DMCTF_QT_WINDOWS=<folder> (the Qt that scripts/build-qt-windows.sh
# built) the window is built too; Qt's moc, rcc and uic come from the
# build machine's Qt of the same version.
#
# Programs built here (the tests, gtest_discover_tests) run under Wine in a
# prefix of their own inside the build folder, whatever $WINEPREFIX says: a
# test never runs in the user's prefix, where a game may be installed. The
# prefix has to be initialised before the first test runs (the `wine_prefix`
# target does that).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MCTF_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MCTF_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MCTF_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MCTF_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MCTF_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

if(MCTF_QT_WINDOWS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${MCTF_QT_WINDOWS})
  # Debian keeps the host Qt's CMake files in /usr/lib/<multiarch>/cmake.
  file(GLOB MCTF_QT_HOST_INFO /usr/lib/*/cmake/Qt6HostInfo)
  if(NOT MCTF_QT_HOST_INFO)
    message(FATAL_ERROR "No host Qt 6 tools (Debian: qt6-base-dev, qt6-base-dev-tools)")
  endif()
  list(GET MCTF_QT_HOST_INFO 0 MCTF_QT_HOST_INFO)
  get_filename_component(QT_HOST_PATH_CMAKE_DIR ${MCTF_QT_HOST_INFO} DIRECTORY)
  set(QT_HOST_PATH /usr)
endif()

set(MCTF_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH
    "Wine prefix the Windows programs run in")

# Console programs only: no display (DISPLAY unset), no Mono or Gecko
# installer on a fresh prefix, no debug chatter on standard error.
set(MCTF_WINE_ENV
    ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
    WINEPREFIX=${MCTF_WINEPREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=)
set(CMAKE_CROSSCOMPILING_EMULATOR ${MCTF_WINE_ENV} wine)

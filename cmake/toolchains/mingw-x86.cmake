# This machine cannot run 32-bit code, so no emulator: the x86 build is compiled only.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CALVORN_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# Cross-compiling for 64-bit Windows with mingw-w64 (posix threads).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VANTREL_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# Tests run under 64-bit Wine, in the project's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)

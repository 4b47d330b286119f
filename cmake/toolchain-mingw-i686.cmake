# Cross-compiling for 32-bit Windows with mingw-w64 (posix threads).
# This machine cannot run 32-bit Windows programs: the build is linked, not tested.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VANTREL_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

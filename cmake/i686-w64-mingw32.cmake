# 32-bit Windows, the build we ship: it runs on every Windows.
#   cmake -S . -B build-windows --toolchain cmake/i686-w64-mingw32.cmake
set(BRISOLT_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

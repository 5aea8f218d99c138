# 64-bit Windows. Also the build whose tests run where Wine cannot run 32-bit
# programs (a kernel without 32-bit code).
#   cmake -S . -B build-windows-x64 --toolchain cmake/x86_64-w64-mingw32.cmake
set(BRISOLT_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

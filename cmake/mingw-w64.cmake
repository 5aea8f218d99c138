# Common part of the mingw-w64 toolchains: included by i686-w64-mingw32.cmake
# and x86_64-w64-mingw32.cmake once they have set BRISOLT_MINGW_TRIPLE.
#
# Debian's -posix compilers, whose threads model is POSIX (winpthread), so
# std::thread, std::mutex and std::condition_variable work. Everything is
# linked statically (libgcc, libstdc++, winpthread): the programs need no DLL
# beside them, under Wine or on Windows.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${BRISOLT_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRISOLT_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BRISOLT_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BRISOLT_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest and GoogleTest's discovery run the programs under Wine, in a prefix of
# the build folder's own.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/wine-ejecutar.sh ${CMAKE_BINARY_DIR}/wine)

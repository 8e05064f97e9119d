# Cross-build for 64-bit Windows with Debian's MinGW-w64 toolchain:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DFERWIS_CORE_ONLY=ON
# The tests then run under wine through ctest.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(FERWIS_MINGW_TRIPLET x86_64-w64-mingw32)
# The "posix" flavour of the compiler: std::thread needs its threading model.
set(CMAKE_C_COMPILER ${FERWIS_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${FERWIS_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${FERWIS_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${FERWIS_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime: the programs run without the toolchain's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest runs every test program through wine.
find_program(FERWIS_WINE NAMES wine64 wine)
if(FERWIS_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${FERWIS_WINE})
endif()

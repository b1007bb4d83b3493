# Settings shared by the MinGW-w64 toolchain files; MINGW_TRIPLET is set by the caller.
set(CMAKE_SYSTEM_NAME Windows)
if(MINGW_TRIPLET STREQUAL "i686-w64-mingw32")
  set(CMAKE_SYSTEM_PROCESSOR x86)
else()
  set(CMAKE_SYSTEM_PROCESSOR AMD64)
endif()

# The -posix compilers by name: the unsuffixed ones follow update-alternatives,
# which may point at the win32-thread variant (no std::thread/std::mutex in GCC 12).
find_program(CMAKE_C_COMPILER NAMES ${MINGW_TRIPLET}-gcc-posix ${MINGW_TRIPLET}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${MINGW_TRIPLET}-g++-posix ${MINGW_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${MINGW_TRIPLET}-windres REQUIRED)
# Named here: from "-gcc-posix" CMake would not derive the binutils' names.
find_program(CMAKE_AR NAMES ${MINGW_TRIPLET}-gcc-ar-posix ${MINGW_TRIPLET}-ar REQUIRED)
find_program(CMAKE_RANLIB NAMES ${MINGW_TRIPLET}-gcc-ranlib-posix ${MINGW_TRIPLET}-ranlib REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Each .exe must run alone on a clean Windows: no libgcc/libstdc++/winpthread DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# No CMAKE_CROSSCOMPILING_EMULATOR here: a wine started without the test bed's
# WINEPREFIX would create ~/.wine. Pass -DCMAKE_CROSSCOMPILING_EMULATOR=wine with
# the test-bed environment exported when ctest should run .exe files.

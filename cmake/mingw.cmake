# Cross build for Windows with Debian's mingw-w64 toolchains. The preset
# names the processor in LUMI_MINGW_ARCH: i686 (32-bit Windows, the
# default) or x86_64 (64-bit Windows); the triplet LUMI_MINGW_TRIPLET
# follows from it, and the product's own compile uses it too.
set(LUMI_MINGW_ARCH i686 CACHE STRING "mingw-w64 processor: i686 or x86_64")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES LUMI_MINGW_ARCH)
set(LUMI_MINGW_TRIPLET ${LUMI_MINGW_ARCH}-w64-mingw32)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${LUMI_MINGW_ARCH})
set(CMAKE_C_COMPILER ${LUMI_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LUMI_MINGW_TRIPLET}-g++-posix)  # std::thread and friends, for GoogleTest
set(CMAKE_RC_COMPILER ${LUMI_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${LUMI_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

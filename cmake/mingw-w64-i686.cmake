set(CMAKE_SYSTEM_PROCESSOR x86)
set(JITSWAP_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
# No emulator: this kernel runs no 32-bit programs, so the 32-bit build is compiled, never run, here.

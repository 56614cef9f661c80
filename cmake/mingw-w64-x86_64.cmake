set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(JITSWAP_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
# Tests of the 64-bit build run under Wine, each CTest run in a prefix of its own.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/wine/wine-exec.sh)

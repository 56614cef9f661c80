# GoogleTest is built from source for every target: Debian ships it as sources under /usr/src,
# and a cross build cannot use the host's compiled copy anyway.
set(JITSWAP_GTEST_DIR "/usr/src/googletest" CACHE PATH "GoogleTest source tree")
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
if(EXISTS "${JITSWAP_GTEST_DIR}/CMakeLists.txt")
  add_subdirectory(${JITSWAP_GTEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  include(FetchContent)
  FetchContent_Declare(googletest
    URL https://github.com/google/googletest/archive/refs/tags/release-1.12.1.tar.gz)
  FetchContent_MakeAvailable(googletest)
endif()
include(GoogleTest)

# The core alone, without Qt: its libraries, the simulator's library and their tests. The
# Windows cross-build (cmake/mingw-w64.cmake, tools/test-windows.sh) runs them under Wine.

# GoogleTest from its sources (Debian's googletest: /usr/src/googletest) where no build of
# it for the target is installed.
set(TQ_GTEST_SOURCE_DIR "" CACHE PATH "GoogleTest sources to build with the tests")
if(TQ_BUILD_TESTS AND TQ_GTEST_SOURCE_DIR)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${TQ_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

# Wine shows the Unix root as drive Z:, where the tests find the source tree.
if(CMAKE_CROSSCOMPILING AND WIN32)
  set(TQ_TEST_SOURCE_DIR Z:${CMAKE_SOURCE_DIR})
endif()

if(TQ_BUILD_TESTS)
  enable_testing()
  add_subdirectory(tests)
endif()

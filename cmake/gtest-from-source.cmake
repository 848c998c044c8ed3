# GoogleTest built inside the build tree from its sources, for builds where no
# GoogleTest library for the target exists (the MinGW cross build: Debian
# packages GoogleTest for the host only, and ships its sources with
# libgtest-dev in /usr/src/googletest). Pass this file as
# CMAKE_PROJECT_TOP_LEVEL_INCLUDES: it answers find_package(GTest) with the
# targets GTest::gtest and GTest::gtest_main, so the project's own CMake files
# stay as they are.
set(CADENZO_GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH
    "GoogleTest sources to build when find_package(GTest) is asked")

macro(cadenzo_gtest_from_source method package_name)
  if("${package_name}" STREQUAL "GTest")
    if(NOT TARGET GTest::gtest)
      if(NOT EXISTS "${CADENZO_GTEST_SOURCE_DIR}/CMakeLists.txt")
        message(FATAL_ERROR "No GoogleTest sources in ${CADENZO_GTEST_SOURCE_DIR} "
                            "(Debian: apt-get install libgtest-dev)")
      endif()
      set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
      set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
      add_subdirectory("${CADENZO_GTEST_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
    endif()
    set(GTest_FOUND TRUE)
  endif()
endmacro()

cmake_language(SET_DEPENDENCY_PROVIDER cadenzo_gtest_from_source SUPPORTED_METHODS FIND_PACKAGE)

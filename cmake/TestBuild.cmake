# How test programs and their helpers are compiled. Each tests/ folder calls
# qvx_test_directory() before adding its targets.
#
# Line tables only (-g1): enough for a failure's stack trace, and much less
# to write. Optimised builds compile tests at -Og, a quarter quicker to
# compile than -O1 and still quick to run; the code under test keeps its own
# level.
if(CMAKE_BUILD_TYPE STREQUAL "Debug")
  set(QVX_TEST_COMPILE_OPTIONS_DEFAULT "-g1")
else()
  set(QVX_TEST_COMPILE_OPTIONS_DEFAULT "-Og;-g1")
endif()
set(QVX_TEST_COMPILE_OPTIONS "${QVX_TEST_COMPILE_OPTIONS_DEFAULT}" CACHE STRING
    "Compiler options added for test sources (after the build type's own)")

# GoogleTest and the JSON library are most of a test file's compile time.
# They are precompiled once, by qvx_test_pch in tests/support, and every
# GoogleTest program reuses that header: the test folders share one set of
# flags, so the one header fits them all (GCC says so with -Winvalid-pch,
# an error under -Werror, if it ever does not).
option(QVX_TEST_PCH "Precompile GoogleTest and JSON once for all test programs" ON)

function(qvx_add_test_pch)
  if(NOT QVX_TEST_PCH)
    return()
  endif()
  add_executable(qvx_test_pch ${PROJECT_SOURCE_DIR}/cmake/test_pch.cpp)
  target_link_libraries(qvx_test_pch PRIVATE GTest::gtest nlohmann_json::nlohmann_json)
  target_precompile_headers(qvx_test_pch PRIVATE <gtest/gtest.h> <nlohmann/json.hpp>)
endfunction()

# Run at the end of each test folder: its GoogleTest programs take the
# shared header.
function(qvx_reuse_test_pch)
  if(NOT QVX_TEST_PCH)
    return()
  endif()
  get_property(targets DIRECTORY PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(links ${target} LINK_LIBRARIES)
    if(type STREQUAL "EXECUTABLE" AND links MATCHES "GTest::" AND NOT target STREQUAL "qvx_test_pch")
      target_precompile_headers(${target} REUSE_FROM qvx_test_pch)
    endif()
  endforeach()
endfunction()

macro(qvx_test_directory)
  # -pthread (it defines _REENTRANT) comes with GTK's flags to some programs;
  # all take it, so that one precompiled header fits them all.
  add_compile_options(${QVX_TEST_COMPILE_OPTIONS} -pthread)
  cmake_language(DEFER CALL qvx_reuse_test_pch)
endmacro()

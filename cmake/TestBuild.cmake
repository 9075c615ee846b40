# How test programs and their helpers are compiled. Each tests/ folder calls
# qvx_test_directory() before adding its targets.
#
# Line tables only (-g1): enough for a failure's stack trace, and much less
# to write; optimised builds compile tests at -O1, the code under test keeps
# its own level.
if(CMAKE_BUILD_TYPE STREQUAL "Debug")
  set(QVX_TEST_COMPILE_OPTIONS_DEFAULT "-g1")
else()
  set(QVX_TEST_COMPILE_OPTIONS_DEFAULT "-O1;-g1")
endif()
set(QVX_TEST_COMPILE_OPTIONS "${QVX_TEST_COMPILE_OPTIONS_DEFAULT}" CACHE STRING
    "Compiler options added for test sources (after the build type's own)")

macro(qvx_test_directory)
  add_compile_options(${QVX_TEST_COMPILE_OPTIONS})
endmacro()

# qvx_add_fuzzer(NAME SOURCE LIBS... CORPUS dir)
#   With QVX_FUZZ (clang): a libFuzzer executable NAME.
#   Always: NAME_replay, the same entry point driven by a small main that feeds it
#   every file of the corpus directory, registered as a CTest test, so the corpus
#   is replayed as a regression test in every build.
set(QVX_FUZZ_REPLAY_MAIN "${CMAKE_CURRENT_LIST_DIR}/fuzz_replay_main.cpp")

function(qvx_add_fuzzer name)
  cmake_parse_arguments(F "" "SOURCE;CORPUS" "LIBS" ${ARGN})
  if(QVX_FUZZ)
    add_executable(${name} ${F_SOURCE})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${name} PRIVATE ${F_LIBS})
  endif()
  add_executable(${name}_replay ${F_SOURCE} ${QVX_FUZZ_REPLAY_MAIN})
  # Compiled as the tests are; the code it drives keeps its own flags.
  target_compile_options(${name}_replay PRIVATE ${QVX_TEST_COMPILE_OPTIONS})
  target_link_libraries(${name}_replay PRIVATE ${F_LIBS})
  if(F_CORPUS)
    add_test(NAME ${name}_corpus COMMAND ${name}_replay ${F_CORPUS})
  endif()
endfunction()

# kaltor_fuzz_target(<name> <fuzz source> SOURCES <files...> LIBS <targets...> [DICT <file>])
# A libFuzzer program (needs clang): the parser's own sources are compiled in directly, so that they
# carry the fuzzer's coverage instrumentation; LIBS are linked as they are. A dictionary lands beside
# the program as <name>.dict. `fuzz_targets` builds every one of them (what CI builds).
add_custom_target(fuzz_targets)
function(kaltor_fuzz_target name main)
  cmake_parse_arguments(ARG "" "DICT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${main} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  add_dependencies(fuzz_targets ${name})
  if(ARG_DICT)
    configure_file(${ARG_DICT} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name}.dict COPYONLY)
  endif()
endfunction()

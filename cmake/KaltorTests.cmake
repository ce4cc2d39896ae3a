# kaltor_add_tests(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest program per folder; ctest runs each test case on its own.
# Tests run headless (offscreen Qt) in the C locale, so nothing depends on the machine's settings.
function(kaltor_add_tests name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main Threads::Threads)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C;KALTOR_BIN=${CMAKE_BINARY_DIR}/bin"
               TIMEOUT 120)
endfunction()
include(GoogleTest)

# kaltor_library(<name> DEPS <targets...> TEST_DEPS <targets...>)
# A folder is one library: its *.cpp files, with its tests/*.cpp as one test program <name>_tests.
function(kaltor_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;TEST_DEPS" ${ARGN})
  # Qt resource files (*.qrc) of the folder are compiled in too.
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  add_library(${name} STATIC ${sources})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.h)
  if(tests)
    kaltor_add_tests(${name}_tests SOURCES ${tests} LIBS ${name} ${ARG_TEST_DEPS})
  endif()
endfunction()

include(GoogleTest)

# kaltor_add_tests(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest program per folder; ctest runs each test case on its own, once in each of the
# locales below (labels "C", "ru_RU", "uk_UA"; the test names of the other two end in "@ru_RU" and
# "@uk_UA"). Tests run headless (offscreen Qt). The locales are built into the build folder
# (target kaltor_test_locales) and found through LOCPATH, so the machine needs none generated.
set(KALTOR_TEST_LOCALES C ru_RU.UTF-8 uk_UA.UTF-8)
set(KALTOR_LOCALE_DIR ${CMAKE_BINARY_DIR}/locales)

set(locale_files "")
foreach(locale IN LISTS KALTOR_TEST_LOCALES)
  if(NOT locale STREQUAL "C")
    set(stamp ${KALTOR_LOCALE_DIR}/${locale}/LC_NUMERIC)
    add_custom_command(OUTPUT ${stamp}
      COMMAND ${CMAKE_COMMAND} -DLOCALE=${locale} -DOUTPUT=${KALTOR_LOCALE_DIR}
              -P ${CMAKE_CURRENT_LIST_DIR}/BuildLocale.cmake
      DEPENDS ${CMAKE_CURRENT_LIST_DIR}/BuildLocale.cmake
      COMMENT "Building the locale ${locale} for the tests")
    list(APPEND locale_files ${stamp})
  endif()
endforeach()
add_custom_target(kaltor_test_locales ALL DEPENDS ${locale_files})

# The test programs of code that runs threads of its own or talks to the simulators' serving thread:
# the kit timer's worker (kitbase and the controls and kit parts built on it), the simulators, the
# serial port and the driver that talk to them, and the clock seam they share. Their tests carry the
# label "threaded"; `threaded_tests` builds just them (what `make tsan` runs).
set(KALTOR_THREADED_TESTS kaltor_clock_tests kaltor_serial_tests kaltor_regsim_tests kaltor_regterm_tests
    kaltor_driver_tests kaltor_kit_base_tests kaltor_controls_tests kaltor_kit_tests)
add_custom_target(threaded_tests)

function(kaltor_add_tests name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main Threads::Threads)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_dependencies(${name} kaltor_test_locales)
  set(threaded "")
  if(name IN_LIST KALTOR_THREADED_TESTS)
    set(threaded LABELS threaded)
    add_dependencies(threaded_tests ${name})
  endif()
  target_compile_definitions(${name} PRIVATE KALTOR_TEST_LOCALE_DIR="${KALTOR_LOCALE_DIR}")
  foreach(locale IN LISTS KALTOR_TEST_LOCALES)
    string(REGEX MATCH "^[^.]+" label "${locale}")
    set(suffix "")
    if(NOT locale STREQUAL "C")
      set(suffix "@${label}")
    endif()
    # gtest_discover_tests keeps each PROPERTIES value as one list element, so a list value such as
    # "A=1;B=2" would lose all but its first item; ctest adds up repeated ENVIRONMENT entries instead.
    gtest_discover_tests(${name}
      TEST_SUFFIX "${suffix}"
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen
                 ENVIRONMENT LC_ALL=${locale}
                 ENVIRONMENT LOCPATH=${KALTOR_LOCALE_DIR}
                 ENVIRONMENT KALTOR_BIN=${CMAKE_BINARY_DIR}/bin
                 LABELS ${label}
                 ${threaded}
                 TIMEOUT 120)
  endforeach()
endfunction()

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

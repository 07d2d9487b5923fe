# tavrix_add_library(name SOURCES ... DEPS ...): a static library of the core layers.
function(tavrix_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  add_library(tavrix::${name} ALIAS ${name})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# tavrix_add_test(name SOURCES ... DEPS ...): a GoogleTest executable registered with CTest.
function(tavrix_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(CMAKE_CROSSCOMPILING)
    # One CTest test per executable: listing the cases would start the emulator at build time.
    add_test(NAME ${name} COMMAND ${name})
    tavrix_under_emulator(${name})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                         PROPERTIES ENVIRONMENT "TZ=UTC;LC_ALL=C.UTF-8")
  endif()
endfunction()

# tavrix_under_emulator(test): a cross-built test runs in the build's own Wine prefix, quietly
# and without the prompts for Wine's Mono and Gecko, after the prefix has been made.
function(tavrix_under_emulator test)
  set_tests_properties(${test} PROPERTIES
    ENVIRONMENT "${TAVRIX_WINE_ENVIRONMENT}"
    FIXTURES_REQUIRED wine_prefix)
endfunction()

# What the Windows cross build takes from the build machine instead of find_package: Debian
# packages these for the build machine only. CLI11 is header-only: its headers are copied into
# the build tree, so that the cross compiler never sees the rest of /usr/include. GoogleTest is
# built from Debian's sources.
set(TAVRIX_CLI11_HEADERS /usr/include/CLI CACHE PATH "CLI11's header folder on the build machine")
if(NOT EXISTS ${TAVRIX_CLI11_HEADERS}/CLI.hpp)
  message(FATAL_ERROR "CLI11 headers not found in ${TAVRIX_CLI11_HEADERS} (Debian: libcli11-dev)")
endif()
file(COPY ${TAVRIX_CLI11_HEADERS} DESTINATION ${CMAKE_BINARY_DIR}/host-headers)
add_library(tavrix_cli11 INTERFACE)
target_include_directories(tavrix_cli11 SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/host-headers)
add_library(CLI11::CLI11 ALIAS tavrix_cli11)

if(TAVRIX_BUILD_TESTS)
  set(TAVRIX_GOOGLETEST_SOURCE /usr/src/googletest
      CACHE PATH "GoogleTest sources for the cross build (Debian: googletest)")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # Its targets come with their GTest:: names.
  add_subdirectory(${TAVRIX_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

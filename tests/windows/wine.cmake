# The Wine prefix that the cross-built tests run in: inside the build tree, made once by the
# wine_prefix fixture, with Wine's messages off and no prompts for its Mono and Gecko add-ons.
set(TAVRIX_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(TAVRIX_WINE_ENVIRONMENT
    "WINEPREFIX=${TAVRIX_WINE_PREFIX}" "WINEDEBUG=-all" "WINEDLLOVERRIDES=mscoree,mshtml="
    "TZ=UTC")
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  message(FATAL_ERROR "The Windows tests run under wine64 (Debian: wine64), which is missing")
endif()
add_test(NAME wine_prefix COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot -i)
set_tests_properties(wine_prefix PROPERTIES
  ENVIRONMENT "${TAVRIX_WINE_ENVIRONMENT}" FIXTURES_SETUP wine_prefix)

# The Win32 serial layer against the build machine's simulated unit, through tavrix-cli.exe.
add_test(NAME serial_under_wine
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/windows/serial_under_wine.sh
                 ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:tavrix-cli>
                 ${TAVRIX_HOST_TOOLS_DIR} ${CMAKE_BINARY_DIR}/serial-under-wine)
tavrix_under_emulator(serial_under_wine)

# The report command without Excel and without the xlsx backend: clear failures, no files.
add_test(NAME report_under_wine
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/windows/report_under_wine.sh
                 ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:tavrix-cli>
                 ${TAVRIX_RUNTIME_DIR} ${CMAKE_BINARY_DIR}/report-under-wine)
tavrix_under_emulator(report_under_wine)

# One GoogleTest executable per subsystem, run under Wine as one process with a time-out, so a
# hung socket or window cannot stall the whole run.
#
#   quorvex_add_test(<name> SOURCES <files...> [LIBRARIES <targets...>] [TIMEOUT <seconds>])
function(quorvex_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gmock GTest::gtest_main)
  add_test(NAME ${name}
           COMMAND "${PROJECT_SOURCE_DIR}/tools/wine-exec.sh" $<TARGET_FILE:${name}> --gtest_color=no
           WORKING_DIRECTORY "${CMAKE_BINARY_DIR}/bin")
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix")
endfunction()

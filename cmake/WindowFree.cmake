# The window-free libraries (core, core/engine, core/log): compiled so that a header of the window
# library fails them (platform/WindowLayer.h), and checked before each build for includes of the
# program's own window code.
add_custom_target(window_free_check
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -P ${CMAKE_CURRENT_LIST_DIR}/CheckWindowFree.cmake
  COMMENT "Checking that core/ includes no window code")

function(quorvex_window_free target)
  target_compile_definitions(${target} PRIVATE QUORVEX_WINDOW_FREE)
  add_dependencies(${target} window_free_check)
endfunction()

# Fails when a file under core/ includes a header of the program's windows (mainwnd/, editors/,
# dialogs/, app/, framework/, capture/). Headers of the window library itself are caught by the
# compiler (platform/WindowLayer.h); this catches the program's own window headers, which the
# window-free libraries must not reach either.
#   cmake -DSOURCE_DIR=<project root> -P CheckWindowFree.cmake
file(GLOB_RECURSE core_files "${SOURCE_DIR}/core/*.h" "${SOURCE_DIR}/core/*.cpp")
set(offenders "")
foreach(path IN LISTS core_files)
  file(STRINGS "${path}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"(mainwnd|editors|dialogs|app|framework|capture)/")
  if(includes)
    file(RELATIVE_PATH relative "${SOURCE_DIR}" "${path}")
    list(APPEND offenders "${relative}: ${includes}")
  endif()
endforeach()
if(offenders)
  list(JOIN offenders "\n  " report)
  message(FATAL_ERROR "core/ must stay window-free, but these include window code:\n  ${report}")
endif()

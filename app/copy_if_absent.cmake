# cmake -DSOURCE=<file> -DTARGET=<file> -P copy_if_absent.cmake
# Places a default file without touching one that is already there: Config.ini beside the program
# holds the user's own settings once dblink or the user has written them.
if(NOT EXISTS "${TARGET}")
  file(COPY_FILE "${SOURCE}" "${TARGET}")
endif()

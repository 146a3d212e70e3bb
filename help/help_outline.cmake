# The help file's outline as this build has it: without a web address (KLU_WEB_ADDRESS) the
# reader has no Go to the KLU Web Site, so the lines that tell of it are left out.
# Run as: cmake -DSOURCE=... -DTARGET=... -DWEB_ADDRESS=... -P help_outline.cmake
file(READ "${SOURCE}" text)
if(WEB_ADDRESS STREQUAL "")
    string(REGEX REPLACE "[^\n]*Go to the KLU Web Site[^\n]*\n" "" text "${text}")
endif()
file(WRITE "${TARGET}" "${text}")

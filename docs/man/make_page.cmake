cmake_minimum_required(VERSION 3.22)
# Turns one scdoc source into its manual page and the page's gzip copy:
#   cmake -DSCDOC=... -DSOURCE=x.1.scd -DPAGE=x.1 -DVERSION=... -DEPOCH=... -P make_page.cmake
# The version goes into the page's footer, and EPOCH (the release date)
# dates it, so a page is the same on every build of one release.
file(READ "${SOURCE}" text)
string(REPLACE "@VERSION@" "${VERSION}" text "${text}")
file(WRITE "${PAGE}.scd" "${text}")
set(ENV{SOURCE_DATE_EPOCH} "${EPOCH}")
execute_process(COMMAND "${SCDOC}" INPUT_FILE "${PAGE}.scd" OUTPUT_FILE "${PAGE}"
  RESULT_VARIABLE failed)
file(REMOVE "${PAGE}.scd")
if(failed)
  file(REMOVE "${PAGE}")
  message(FATAL_ERROR "scdoc refused ${SOURCE}")
endif()
execute_process(COMMAND gzip -9 -n -c "${PAGE}" OUTPUT_FILE "${PAGE}.gz" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "gzip failed on ${PAGE}")
endif()

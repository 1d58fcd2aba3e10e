# Runs at the end of an install: the MIME and desktop-entry databases of the
# prefix learn the new files, so that a double click on a pack works at once.
# An icon cache is refreshed only where one exists already. A staged install
# (DESTDIR, as packages are built) leaves this to the package's triggers.
if(NOT "$ENV{DESTDIR}" STREQUAL "")
  return()
endif()
set(data "${KORVO_DATADIR}")
if(NOT IS_ABSOLUTE "${data}")
  set(data "${CMAKE_INSTALL_PREFIX}/${data}")
endif()

find_program(KORVO_UPDATE_MIME update-mime-database)
if(KORVO_UPDATE_MIME)
  message(STATUS "Updating the MIME database in ${data}/mime")
  execute_process(COMMAND "${KORVO_UPDATE_MIME}" "${data}/mime")
endif()

find_program(KORVO_UPDATE_DESKTOP update-desktop-database)
if(KORVO_UPDATE_DESKTOP)
  message(STATUS "Updating the desktop entries in ${data}/applications")
  execute_process(COMMAND "${KORVO_UPDATE_DESKTOP}" -q "${data}/applications")
endif()

find_program(KORVO_UPDATE_ICONS gtk-update-icon-cache)
if(KORVO_UPDATE_ICONS AND EXISTS "${data}/icons/hicolor/icon-theme.cache")
  message(STATUS "Updating the icon cache in ${data}/icons/hicolor")
  execute_process(COMMAND "${KORVO_UPDATE_ICONS}" -q -t -f "${data}/icons/hicolor")
endif()

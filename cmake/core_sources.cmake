# The sources of korvane_core: every file of the Qt-free folders. The folder tells what a file may include;
# Qt is only ever included under gui/ (and by the build tools), so no file needs to be listed by name.
# KORVANE_ROOT names the source tree.
set(KORVANE_CORE_FOLDERS common text config keys macro device system ui app)
set(KORVANE_CORE_SOURCES)
foreach(folder IN LISTS KORVANE_CORE_FOLDERS)
  file(GLOB folder_sources CONFIGURE_DEPENDS ${KORVANE_ROOT}/${folder}/*.cpp)
  list(APPEND KORVANE_CORE_SOURCES ${folder_sources})
endforeach()

# The sources of korvane_core: every file of the Qt-free folders, one library per folder. The folder tells
# what a file may include; Qt is only ever included under gui/ (and by the build tools and benchmarks), so
# no file needs to be listed by name. KORVANE_ROOT names the source tree.
#
# The layers, lowest first. KORVANE_USES_<folder> names the folders right below it that a folder builds
# on; it may include those and, through them, every folder further down, never one above.
set(KORVANE_CORE_FOLDERS common text config keys macro profile device system ui app)
set(KORVANE_USES_common)
set(KORVANE_USES_text common)
set(KORVANE_USES_config text)
set(KORVANE_USES_keys config)
set(KORVANE_USES_macro keys)
set(KORVANE_USES_profile macro)
set(KORVANE_USES_device profile)
set(KORVANE_USES_system profile)
set(KORVANE_USES_ui device system)
set(KORVANE_USES_app ui)

# A file ending in _linux.cpp or _windows.cpp is one platform's side of an interface; each platform
# builds its own. KORVANE_SYSTEM_LIBRARIES names the system libraries the Windows side links.
set(KORVANE_SYSTEM_LIBRARIES)
set(KORVANE_OTHER_PLATFORM windows)
if(WIN32)
  set(KORVANE_SYSTEM_LIBRARIES setupapi hid shell32)
  set(KORVANE_OTHER_PLATFORM linux)
endif()

# KORVANE_<folder>_SOURCES: a folder's sources for this platform; KORVANE_CORE_SOURCES: all of them.
set(KORVANE_CORE_SOURCES)
foreach(folder IN LISTS KORVANE_CORE_FOLDERS)
  file(GLOB folder_sources CONFIGURE_DEPENDS ${KORVANE_ROOT}/${folder}/*.cpp)
  list(FILTER folder_sources EXCLUDE REGEX "_${KORVANE_OTHER_PLATFORM}\\.cpp$")
  set(KORVANE_${folder}_SOURCES ${folder_sources})
  list(APPEND KORVANE_CORE_SOURCES ${folder_sources})
endforeach()

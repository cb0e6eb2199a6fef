# The sources of korvane_core: every file of the Qt-free folders, one library per folder. The folder tells
# what a file may include; Qt is only ever included under gui/ (and by the build tools), so no file needs
# to be listed by name. KORVANE_ROOT names the source tree.
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

# The system layer: files ending in _windows.cpp are the Windows side of an interface whose Linux side is
# listed here. KORVANE_SYSTEM_LIBRARIES names the system libraries the Windows side links.
set(KORVANE_LINUX_SOURCES
  common/console.cpp common/executable_path.cpp common/user_folders.cpp common/file_replace.cpp common/folder_lock_flock.cpp
  common/folder_watch.cpp
  device/hidraw_backend.cpp device/hotplug_watcher.cpp
  system/session_pointer.cpp
  app/single_instance.cpp app/machine_name.cpp)
set(KORVANE_SYSTEM_LIBRARIES)
if(WIN32)
  set(KORVANE_SYSTEM_LIBRARIES setupapi hid shell32)
endif()

# KORVANE_<folder>_SOURCES: a folder's sources for this platform; KORVANE_CORE_SOURCES: all of them.
set(KORVANE_CORE_SOURCES)
foreach(folder IN LISTS KORVANE_CORE_FOLDERS)
  file(GLOB folder_sources CONFIGURE_DEPENDS ${KORVANE_ROOT}/${folder}/*.cpp)
  if(WIN32)
    foreach(file IN LISTS KORVANE_LINUX_SOURCES)
      list(REMOVE_ITEM folder_sources ${KORVANE_ROOT}/${file})
    endforeach()
  else()
    list(FILTER folder_sources EXCLUDE REGEX "_windows\\.cpp$")
  endif()
  set(KORVANE_${folder}_SOURCES ${folder_sources})
  list(APPEND KORVANE_CORE_SOURCES ${folder_sources})
endforeach()

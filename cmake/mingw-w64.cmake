# Cross-builds Korvane for 64-bit Windows with Debian's MinGW-w64 (posix threads, for std::thread and
# std::mutex). Build-time generators run through Wine, and so do the tests under ctest. The window needs
# Qt for Windows (scripts/build-qt-windows.sh) in KORVANE_QT_PREFIX, and the skin a native build drew:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DKORVANE_QT_PREFIX=<Qt> \
#     -DKORVANE_HOST_SKIN=build/bin/Skins/Default
#   (or -DKORVANE_BUILD_GUI=OFF for the core and korvanectl alone)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KORVANE_MINGW_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${KORVANE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KORVANE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KORVANE_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KORVANE_MINGW_TRIPLET})
# Qt for Windows is a target library like MinGW's own; its build tools (moc, uic) are the host's Qt.
if(KORVANE_QT_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH ${KORVANE_QT_PREFIX})
  list(APPEND CMAKE_PREFIX_PATH ${KORVANE_QT_PREFIX})
  set(QT_HOST_PATH /usr)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ runtime and the threads library are linked in, so that an .exe runs from any folder without
# MinGW's DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(KORVANE_WINE NAMES wine wine64 wine-stable)
if(KORVANE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KORVANE_WINE})
endif()

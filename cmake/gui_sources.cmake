# Qt window sources of app/ and ui/: they go into the korvane executable and the GUI tests, never into
# korvane_core.
set(KORVANE_GUI_SOURCES
  ${CMAKE_SOURCE_DIR}/app/tavik_app.cpp
  ${CMAKE_SOURCE_DIR}/app/tavik_dlg.cpp
  ${CMAKE_SOURCE_DIR}/ui/main_pages.cpp
  ${CMAKE_SOURCE_DIR}/ui/scroll_thumb.cpp
  ${CMAKE_SOURCE_DIR}/ui/skin_painter.cpp
)

find_package(Qt6 REQUIRED COMPONENTS Widgets DBus)

# The windows (gui/) as a library, so that the GUI tests run the same code as the executable.
file(GLOB KORVANE_GUI_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/gui/*.cpp)
list(FILTER KORVANE_GUI_SOURCES EXCLUDE REGEX "_main\\.cpp$")
add_library(korvane_gui STATIC ${KORVANE_GUI_SOURCES})
target_link_libraries(korvane_gui PUBLIC korvane_core Qt6::Widgets Qt6::DBus)
target_compile_definitions(korvane_gui PRIVATE KORVANE_VERSION="${PROJECT_VERSION}")

add_executable(korvane gui/korvane_main.cpp)
target_link_libraries(korvane PRIVATE korvane_gui)
add_dependencies(korvane korvane_factory_data)
if(TARGET korvane_skin)
  add_dependencies(korvane korvane_skin)
endif()

if(KORVANE_BUILD_TESTS)
  find_package(GTest REQUIRED)
  include(GoogleTest)
  file(GLOB KORVANE_GUI_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/gui/*.cpp)
  if(KORVANE_GUI_TESTS)
    add_executable(korvane_gui_tests ${KORVANE_GUI_TESTS} ${CMAKE_SOURCE_DIR}/tests/support/test_folder.cpp)
    target_include_directories(korvane_gui_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(korvane_gui_tests PRIVATE korvane_gui GTest::gtest GTest::gmock)
    target_compile_definitions(korvane_gui_tests PRIVATE
      KORVANE_PROGRAM_DIR="${KORVANE_PROGRAM_DIR}" KORVANE_EXECUTABLE="$<TARGET_FILE:korvane>")
    add_dependencies(korvane_gui_tests korvane)
    set_target_properties(korvane_gui_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    gtest_discover_tests(korvane_gui_tests
      DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  endif()
endif()

# The desktop tests: the real program under Xvfb, pressed with real pointer and key events. Their
# screenshots and logs stay in desktop-artefacts/.
if(KORVANE_BUILD_TESTS)
  add_test(NAME DesktopMainWindow
    COMMAND ${CMAKE_SOURCE_DIR}/tests/desktop/main_window.sh ${KORVANE_PROGRAM_DIR}
            ${CMAKE_BINARY_DIR}/desktop-artefacts/main-window)
  add_test(NAME DesktopPointerSettings
    COMMAND ${CMAKE_SOURCE_DIR}/tests/desktop/pointer_settings.sh ${KORVANE_PROGRAM_DIR}
            ${CMAKE_BINARY_DIR}/desktop-artefacts/pointer-settings)
  add_test(NAME DesktopProfileManager
    COMMAND ${CMAKE_SOURCE_DIR}/tests/desktop/profile_manager.sh ${KORVANE_PROGRAM_DIR}
            ${CMAKE_BINARY_DIR}/desktop-artefacts/profile-manager)
  add_test(NAME DesktopMacroManager
    COMMAND ${CMAKE_SOURCE_DIR}/tests/desktop/macro_manager.sh ${KORVANE_PROGRAM_DIR}
            ${CMAKE_BINARY_DIR}/desktop-artefacts/macro-manager)
  add_test(NAME DesktopButtonAssignment
    COMMAND ${CMAKE_SOURCE_DIR}/tests/desktop/button_assignment.sh ${KORVANE_PROGRAM_DIR}
            ${CMAKE_BINARY_DIR}/desktop-artefacts/button-assignment)
  add_test(NAME DesktopSettingPanels
    COMMAND ${CMAKE_SOURCE_DIR}/tests/desktop/setting_panels.sh ${KORVANE_PROGRAM_DIR}
            ${CMAKE_BINARY_DIR}/desktop-artefacts/setting-panels)
  set_tests_properties(DesktopMainWindow DesktopPointerSettings DesktopProfileManager DesktopMacroManager
                       DesktopButtonAssignment DesktopSettingPanels
    PROPERTIES TIMEOUT 120 LABELS desktop)
endif()

# Linux: notifications and the second start's request go over D-Bus, and under Wayland the key captures
# ask the compositor to pass its shortcuts on as keys. Windows has the tray's balloons and a keyboard hook.
if(WIN32)
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
else()
  find_package(Qt6 REQUIRED COMPONENTS Widgets DBus WaylandClient)
  find_package(PkgConfig REQUIRED)
  pkg_get_variable(KORVANE_WAYLAND_PROTOCOLS wayland-protocols pkgdatadir)
endif()

# The windows (gui/) as a library, so that the GUI tests run the same code as the executable. As in the
# core, a file ending in _linux.cpp or _windows.cpp is built on its platform only.
file(GLOB KORVANE_GUI_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/gui/*.cpp)
list(FILTER KORVANE_GUI_SOURCES EXCLUDE REGEX "_main\\.cpp$")
list(FILTER KORVANE_GUI_SOURCES EXCLUDE REGEX "_${KORVANE_OTHER_PLATFORM}\\.cpp$")
# The minimal window is the benchmarks' floor for start-up, not part of the program.
list(FILTER KORVANE_GUI_SOURCES EXCLUDE REGEX "/minimal_window\\.cpp$")
add_library(korvane_gui STATIC ${KORVANE_GUI_SOURCES})
target_link_libraries(korvane_gui PUBLIC korvane_core Qt6::Widgets)
if(NOT WIN32)
  # The X11 focus watcher reads the active window on a connection of its own.
  pkg_check_modules(KORVANE_XCB REQUIRED IMPORTED_TARGET xcb)
  target_link_libraries(korvane_gui PUBLIC Qt6::DBus PRIVATE Qt6::WaylandClient Qt6::GuiPrivate PkgConfig::KORVANE_XCB)
  # The protocol's interface tables are generated as C.
  enable_language(C)
  qt6_generate_wayland_protocol_client_sources(korvane_gui FILES
    ${KORVANE_WAYLAND_PROTOCOLS}/unstable/keyboard-shortcuts-inhibit/keyboard-shortcuts-inhibit-unstable-v1.xml)
  target_include_directories(korvane_gui PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
  # The bus interface answers introspection with the description that is installed.
  qt6_add_resources(korvane_gui korvane_dbus PREFIX /dbus BASE ${CMAKE_SOURCE_DIR}/packaging/dbus
                    FILES ${CMAKE_SOURCE_DIR}/packaging/dbus/org.tellurix.Korvane1.xml)
endif()

add_executable(korvane gui/korvane_main.cpp)
target_link_libraries(korvane PRIVATE korvane_gui)
add_dependencies(korvane korvane_factory_data)
# The KWin script that tells the program which application has the focus, in the data folder.
if(NOT WIN32)
  set(KORVANE_KWIN_FOCUS_SCRIPT ${CMAKE_SOURCE_DIR}/packaging/kwin/korvane-focus.js)
  add_custom_command(OUTPUT ${KORVANE_PROGRAM_DIR}/kwin/korvane-focus.js
    COMMAND ${CMAKE_COMMAND} -E copy ${KORVANE_KWIN_FOCUS_SCRIPT} ${KORVANE_PROGRAM_DIR}/kwin/korvane-focus.js
    DEPENDS ${KORVANE_KWIN_FOCUS_SCRIPT})
  add_custom_target(korvane_kwin_focus_script DEPENDS ${KORVANE_PROGRAM_DIR}/kwin/korvane-focus.js)
  add_dependencies(korvane korvane_kwin_focus_script)
endif()
if(TARGET korvane_skin)
  add_dependencies(korvane korvane_skin)
endif()

if(WIN32)
  set_target_properties(korvane PROPERTIES WIN32_EXECUTABLE ON)
  # There is no windeployqt for a cross build: what korvane.exe loads is named here and copied beside
  # it, so that the program folder runs as it is. Qt's libraries use MinGW's runtime as DLLs.
  set(KORVANE_WINDOWS_RUNTIME)
  foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${found}")
      message(FATAL_ERROR "MinGW's ${dll} was not found")
    endif()
    list(APPEND KORVANE_WINDOWS_RUNTIME ${found})
  endforeach()
  add_custom_command(TARGET korvane POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${KORVANE_WINDOWS_RUNTIME} $<TARGET_FILE:Qt6::Core>
            $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets> ${KORVANE_PROGRAM_DIR}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KORVANE_PROGRAM_DIR}/platforms
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
            $<TARGET_FILE:Qt6::QOffscreenIntegrationPlugin> ${KORVANE_PROGRAM_DIR}/platforms
    COMMENT "Copying Qt and MinGW's runtime beside korvane.exe")
endif()

# What the Windows desktop test reads the tray's balloons with.
if(KORVANE_BUILD_TESTS AND WIN32)
  add_executable(korvane_balloon_text tests/desktop/balloon_text.cpp)
  set_target_properties(korvane_balloon_text PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
endif()

# The window tests and the desktop tests run on Linux; the Windows window is tested under Wine with
# scripts/windows_test.sh.
if(KORVANE_BUILD_TESTS AND NOT WIN32)
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
# screenshots and logs stay in desktop-artefacts/; the tools they run besides the program in tests/.
if(KORVANE_BUILD_TESTS AND NOT WIN32)
  add_executable(korvane_notification_service tests/desktop/notification_service.cpp)
  target_link_libraries(korvane_notification_service PRIVATE Qt6::DBus)
  add_executable(korvane_kwin_input_devices tests/desktop/kwin_input_devices.cpp)
  target_link_libraries(korvane_kwin_input_devices PRIVATE Qt6::DBus)
  add_executable(korvane_keyboard_grab tests/desktop/keyboard_grab.cpp)
  target_link_libraries(korvane_keyboard_grab PRIVATE Qt6::Gui)
  # Pointer and key events under the Wayland compositors, through their own input protocols.
  find_program(KORVANE_WAYLAND_SCANNER wayland-scanner REQUIRED)
  pkg_check_modules(KORVANE_WAYLAND_CLIENT REQUIRED IMPORTED_TARGET wayland-client xkbcommon)
  find_package(PlasmaWaylandProtocols REQUIRED)
  add_executable(korvane_wayland_input tests/desktop/wayland_input.cpp)
  foreach(protocol ${PLASMA_WAYLAND_PROTOCOLS_DIR}/fake-input.xml
                   ${CMAKE_SOURCE_DIR}/tests/desktop/protocols/wlr-virtual-pointer-unstable-v1.xml
                   ${CMAKE_SOURCE_DIR}/tests/desktop/protocols/virtual-keyboard-unstable-v1.xml)
    get_filename_component(stem ${protocol} NAME_WE)
    set(generated ${CMAKE_CURRENT_BINARY_DIR}/wayland-input/${stem})
    add_custom_command(OUTPUT ${generated}-client-protocol.h ${generated}-protocol.c
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/wayland-input
      COMMAND ${KORVANE_WAYLAND_SCANNER} client-header ${protocol} ${generated}-client-protocol.h
      COMMAND ${KORVANE_WAYLAND_SCANNER} private-code ${protocol} ${generated}-protocol.c
      DEPENDS ${protocol})
    target_sources(korvane_wayland_input PRIVATE ${generated}-client-protocol.h ${generated}-protocol.c)
  endforeach()
  target_include_directories(korvane_wayland_input PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/wayland-input)
  target_link_libraries(korvane_wayland_input PRIVATE PkgConfig::KORVANE_WAYLAND_CLIENT)
  add_executable(korvane_kwin_screenshot tests/desktop/kwin_screenshot.cpp)
  target_link_libraries(korvane_kwin_screenshot PRIVATE Qt6::DBus Qt6::Gui)
  add_executable(korvane_status_notifier_watcher tests/desktop/status_notifier_watcher.cpp)
  target_link_libraries(korvane_status_notifier_watcher PRIVATE Qt6::DBus)
  # The focus watchers from outside: the watcher of the session, the program's bus object that the desktop
  # scripts call, and windows of given classes on X and on Wayland.
  add_executable(korvane_focus_probe tests/desktop/focus_probe.cpp)
  target_link_libraries(korvane_focus_probe PRIVATE korvane_gui)
  add_executable(korvane_focus_service tests/desktop/focus_service.cpp)
  target_link_libraries(korvane_focus_service PRIVATE Qt6::DBus)
  add_executable(korvane_x11_window tests/desktop/x11_window.cpp)
  target_link_libraries(korvane_x11_window PRIVATE PkgConfig::KORVANE_XCB)
  add_executable(korvane_wayland_window tests/desktop/wayland_window.cpp)
  target_link_libraries(korvane_wayland_window PRIVATE Qt6::Gui)
  set_target_properties(korvane_notification_service korvane_kwin_input_devices korvane_keyboard_grab
                        korvane_wayland_input korvane_kwin_screenshot korvane_status_notifier_watcher
                        korvane_focus_probe korvane_focus_service korvane_x11_window korvane_wayland_window
    PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(TARGET korvane_gui_tests)
    add_dependencies(korvane_gui_tests korvane_notification_service korvane_kwin_input_devices
                     korvane_keyboard_grab korvane_wayland_input korvane_kwin_screenshot
                     korvane_status_notifier_watcher korvane_focus_probe korvane_focus_service korvane_x11_window
                     korvane_wayland_window)
  endif()
  # Test name, then its script in tests/desktop/ (and artefact folder) without ".sh".
  set(KORVANE_DESKTOP_TESTS
    DesktopMainWindow main_window DesktopPointerSettings pointer_settings
    DesktopKWinPointerSettings kwin_pointer_settings
    DesktopProfileManager profile_manager DesktopMacroManager macro_manager
    DesktopButtonAssignment button_assignment DesktopSettingPanels setting_panels DesktopTray tray
    DesktopSharedFiles shared_files DesktopLanguages languages DesktopWindowPlacement window_placement
    DesktopKeyCapture key_capture DesktopSliderDrag slider_drag DesktopWheelPages wheel_pages
    DesktopWaylandTray wayland_tray DesktopX11Focus x11_focus DesktopProfileBus profile_bus
    DesktopFocusProfiles focus_profiles)
  while(KORVANE_DESKTOP_TESTS)
    list(POP_FRONT KORVANE_DESKTOP_TESTS name script)
    string(REPLACE "_" "-" artefacts ${script})
    add_test(NAME ${name}
      COMMAND ${CMAKE_SOURCE_DIR}/tests/desktop/${script}.sh ${KORVANE_PROGRAM_DIR}
              ${CMAKE_BINARY_DIR}/desktop-artefacts/${artefacts})
    set_tests_properties(${name} PROPERTIES TIMEOUT 120 LABELS desktop
      ENVIRONMENT KORVANE_TEST_TOOLS=${CMAKE_BINARY_DIR}/tests)
  endwhile()
  # The same program under the headless Wayland compositors.
  add_test(NAME DesktopKWinFocus
    COMMAND ${CMAKE_SOURCE_DIR}/tests/desktop/kwin_focus.sh ${KORVANE_PROGRAM_DIR}
            ${CMAKE_BINARY_DIR}/desktop-artefacts/kwin-focus)
  # GNOME Shell does not run headless: its extension runs under gjs against a stand-in for the Shell.
  add_test(NAME DesktopGnomeExtension
    COMMAND ${CMAKE_SOURCE_DIR}/tests/desktop/gnome_extension.sh ${CMAKE_SOURCE_DIR}
            ${CMAKE_BINARY_DIR}/desktop-artefacts/gnome-extension)
  set_tests_properties(DesktopKWinFocus DesktopGnomeExtension PROPERTIES TIMEOUT 120 LABELS desktop
    ENVIRONMENT KORVANE_TEST_TOOLS=${CMAKE_BINARY_DIR}/tests)
  foreach(compositor sway kwin)
    add_test(NAME DesktopWayland-${compositor}
      COMMAND ${CMAKE_SOURCE_DIR}/tests/desktop/wayland.sh ${compositor} ${KORVANE_PROGRAM_DIR}
              ${CMAKE_BINARY_DIR}/desktop-artefacts/wayland-${compositor})
    set_tests_properties(DesktopWayland-${compositor} PROPERTIES TIMEOUT 180 LABELS desktop
      ENVIRONMENT KORVANE_TEST_TOOLS=${CMAKE_BINARY_DIR}/tests)
  endforeach()
endif()

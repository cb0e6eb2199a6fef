# `cmake --install`: the programs in bin/, the factory files and the skin in share/korvane (read-only; each
# user's files go to ~/.config/korvane, seeded from them), and the desktop integration.
set(KORVANE_UDEV_RULES_DIR "lib/udev/rules.d" CACHE STRING
    "Where the udev rule goes, relative to the prefix or absolute")

install(TARGETS korvanectl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The factory files by the names factorygen wrote them under.
install(CODE "
  file(STRINGS \"${KORVANE_FACTORY_NAMES}\" korvane_factory_names)
  list(TRANSFORM korvane_factory_names PREPEND \"${KORVANE_PROGRAM_DIR}/\")
  file(INSTALL \${korvane_factory_names} DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${KORVANE_INSTALL_DATADIR}\"
       PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)")

install(FILES packaging/udev/70-korvane.rules DESTINATION ${KORVANE_UDEV_RULES_DIR})
install(FILES packaging/completion/korvanectl DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# Man pages, compressed as Debian wants them.
find_program(KORVANE_GZIP gzip REQUIRED)
foreach(page korvane korvanectl)
  set(compressed ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${KORVANE_GZIP} -9n -c ${CMAKE_SOURCE_DIR}/packaging/man/${page}.1 > ${compressed}
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/man/${page}.1
    COMMENT "Compressing the man page ${page}.1")
  list(APPEND korvane_man_pages ${compressed})
endforeach()
add_custom_target(korvane_man_pages ALL DEPENDS ${korvane_man_pages})
install(FILES ${korvane_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(TARGET korvane)
  install(TARGETS korvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(DIRECTORY ${KORVANE_PROGRAM_DIR}/Skins DESTINATION ${KORVANE_INSTALL_DATADIR})
  install(FILES packaging/desktop/org.tellurix.Korvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES packaging/desktop/org.tellurix.Korvane.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(DIRECTORY ${KORVANE_ICON_THEME_DIR} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
  # Linux: what tells the program which application has the focus (KWin loads the script from the data
  # folder while the program runs; GNOME Shell finds the extension among the system's), and the bus
  # interface they call, described for introspection tools.
  if(NOT WIN32)
    install(FILES packaging/kwin/korvane-focus.js DESTINATION ${KORVANE_INSTALL_DATADIR}/kwin)
    install(DIRECTORY packaging/gnome-shell/korvane-focus@tellurix.org
            DESTINATION ${CMAKE_INSTALL_DATADIR}/gnome-shell/extensions)
    install(FILES packaging/dbus/org.tellurix.Korvane1.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/dbus-1/interfaces)
  endif()
endif()

# Installation and the Debian package.
#
# Under a prefix (GNUInstallDirs): mux6, mux6ctl and mux6sim in bin/, the
# toolbar pictures in share/mux6/buttons (the program looks for them at
# ../share/mux6/buttons from its own folder, so any prefix works), the desktop
# entry, the icon in the hicolor theme, the AppStream metainfo, the tools'
# man pages and bash completions. On Windows everything goes into one folder: mux6.exe with
# buttons\ beside it, where the program looks first.
include(GNUInstallDirs)

set(MUX6_APP_ID de.vek7m.mux6)
# The date of this version, as the Info window shows it.
set(MUX6_RELEASE_DATE 2012-01-31)

if(WIN32)
  set(MUX6_INSTALL_BIN .)
  set(MUX6_INSTALL_BUTTONS buttons)
else()
  set(MUX6_INSTALL_BIN ${CMAKE_INSTALL_BINDIR})
  set(MUX6_INSTALL_BUTTONS ${CMAKE_INSTALL_DATADIR}/mux6/buttons)
endif()

install(TARGETS mux6 mux6ctl RUNTIME DESTINATION ${MUX6_INSTALL_BIN})
if(TARGET mux6sim)
  install(TARGETS mux6sim RUNTIME DESTINATION ${MUX6_INSTALL_BIN})
endif()
install(FILES ${MUX6_BUTTON_FILES} DESTINATION ${MUX6_INSTALL_BUTTONS})

if(UNIX AND NOT APPLE)
  set(MUX6_PACKAGING_SOURCE ${PROJECT_SOURCE_DIR}/packaging)
  set(MUX6_PACKAGING_BUILD ${PROJECT_BINARY_DIR}/packaging)
  set(MUX6_ICON_SVG ${MUX6_PACKAGING_SOURCE}/${MUX6_APP_ID}.svg)
  set(MUX6_PACKAGING_FILES)

  install(FILES ${MUX6_PACKAGING_SOURCE}/${MUX6_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  configure_file(${MUX6_PACKAGING_SOURCE}/${MUX6_APP_ID}.metainfo.xml.in
    ${MUX6_PACKAGING_BUILD}/${MUX6_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${MUX6_PACKAGING_BUILD}/${MUX6_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # The icon: the SVG itself, and PNG sizes drawn from it for menus that want them.
  set(MUX6_HICOLOR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  install(FILES ${MUX6_ICON_SVG} DESTINATION ${MUX6_HICOLOR}/scalable/apps)
  if(MUX6_RSVG_CONVERT)
    foreach(size 16 32 48 64 128 256)
      set(dir ${MUX6_PACKAGING_BUILD}/icons/${size}x${size})
      add_custom_command(OUTPUT ${dir}/${MUX6_APP_ID}.png
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
        COMMAND ${MUX6_RSVG_CONVERT} -w ${size} -h ${size} -o ${dir}/${MUX6_APP_ID}.png
                ${MUX6_ICON_SVG}
        DEPENDS ${MUX6_ICON_SVG} VERBATIM)
      install(FILES ${dir}/${MUX6_APP_ID}.png DESTINATION ${MUX6_HICOLOR}/${size}x${size}/apps)
      list(APPEND MUX6_PACKAGING_FILES ${dir}/${MUX6_APP_ID}.png)
    endforeach()
  endif()

  # The tools' man pages are made from their own --help, so they cannot drift from it.
  find_program(MUX6_HELP2MAN help2man)
  set(MUX6_MAN_NAME_mux6ctl "command-line front end for MUX-6 boards")
  set(MUX6_MAN_NAME_mux6sim "simulator of MUX-6 boards on a pseudo-terminal")
  if(MUX6_HELP2MAN)
    foreach(tool mux6ctl mux6sim)
      if(TARGET ${tool})
        set(page ${MUX6_PACKAGING_BUILD}/man/${tool}.1)
        add_custom_command(OUTPUT ${page}
          COMMAND ${CMAKE_COMMAND} -E make_directory ${MUX6_PACKAGING_BUILD}/man
          COMMAND ${MUX6_HELP2MAN} --no-info --version-string=${PROJECT_VERSION}
                  --name=${MUX6_MAN_NAME_${tool}} --output=${page} $<TARGET_FILE:${tool}>
          DEPENDS ${tool} VERBATIM)
        install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
        list(APPEND MUX6_PACKAGING_FILES ${page})
      endif()
    endforeach()
  else()
    message(WARNING "help2man missing: mux6ctl and mux6sim are installed without man pages")
  endif()
  # Bash completion: mux6ctl writes its own from its command table; mux6sim's
  # asks the program's --help.
  set(MUX6_COMPLETIONS ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
  set(completion ${MUX6_PACKAGING_BUILD}/completions/mux6ctl)
  add_custom_command(OUTPUT ${completion}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${MUX6_PACKAGING_BUILD}/completions
    COMMAND sh -c "\"$1\" --bash-vervollstaendigung > \"$2\"" sh $<TARGET_FILE:mux6ctl>
            ${completion}
    DEPENDS mux6ctl VERBATIM)
  install(FILES ${completion} DESTINATION ${MUX6_COMPLETIONS})
  list(APPEND MUX6_PACKAGING_FILES ${completion})
  if(TARGET mux6sim)
    install(FILES ${MUX6_PACKAGING_SOURCE}/mux6sim.bash DESTINATION ${MUX6_COMPLETIONS}
      RENAME mux6sim)
  endif()
  add_custom_target(packaging ALL DEPENDS ${MUX6_PACKAGING_FILES})
endif()

# The package: `cpack` in the build folder (scripts/package for the release build).
set(MUX6_PACKAGE_MAINTAINER "MUX-6 maintainers <mux6@example.org>"
  CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_NAME mux6)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${MUX6_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Steuerprogramm für die MUX-6 / control program for the MUX-6 board")
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR DEB)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${MUX6_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded by Qt at run time, so no library dependency names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# The summary above is the package's first line; this is the text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Das Programm öffnet die RS-232-Schnittstelle und findet die MUX-6-Karten auf
der Leitung, zeichnet Zeitkurven für ihre vier Analogausgänge, hält sie in
Dateien, schreibt sie in den Speicher der Karte und liest sie zurück, und
startet und stoppt die Ausgabe; dazu Kennlinienregler, direkte Ein-/Ausgabe
und die Einheiten der Kanäle. Mit mux6ctl für Skripte und dem Kartensimulator
mux6sim.

The program opens the RS-232 port and finds the MUX-6 boards on the line,
draws time curves for their four analogue outputs, keeps them in files,
writes them into the board's memory and reads them back, and starts and
stops the output; it also carries a characteristic-curve controller, direct
input/output and the channels' units. With mux6ctl for scripts and the board
simulator mux6sim.")
include(CPack)

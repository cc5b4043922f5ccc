# Installation in the usual places: the programs in bin, the shipped data and help in
# share/tq4800 (where the program looks for them, relative to itself), the manual pages, the
# desktop entries with their icon and the AppStream metainfo, and the documentation.
include(GNUInstallDirs)

install(TARGETS tq4800 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET tq4800-sim)
  install(TARGETS tq4800-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(DIRECTORY data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tq4800)

# Manual pages, compressed as Debian keeps them.
find_program(GZIP_PROGRAM gzip)
foreach(page tq4800.1 tq4800-sim.1)
  if(GZIP_PROGRAM)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.gz
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
                       COMMAND ${GZIP_PROGRAM} -9nc ${CMAKE_SOURCE_DIR}/man/${page} >
                               ${CMAKE_BINARY_DIR}/man/${page}.gz
                       DEPENDS ${CMAKE_SOURCE_DIR}/man/${page} VERBATIM)
    list(APPEND tq_man_pages ${CMAKE_BINARY_DIR}/man/${page}.gz)
  else()
    list(APPEND tq_man_pages ${CMAKE_SOURCE_DIR}/man/${page})
  endif()
endforeach()
add_custom_target(tq_man ALL DEPENDS ${tq_man_pages})
install(FILES ${tq_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The desktop's menu and software centre.
install(FILES packaging/uk.co.veltrane.TQ4800.desktop packaging/uk.co.veltrane.TQ4800.Simulated.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/uk.co.veltrane.TQ4800.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES packaging/icons/tq4800.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
  install(FILES packaging/icons/tq4800-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME tq4800.png)
endforeach()

install(FILES README.md docs/user-guide.md docs/test-plan.md DESTINATION ${CMAKE_INSTALL_DOCDIR} OPTIONAL)
install(DIRECTORY docs/images docs/examples DESTINATION ${CMAKE_INSTALL_DOCDIR} OPTIONAL)

# What `cmake --build --preset NAME --target package` ships: a zip of one folder for Windows,
# a .deb for Debian and Ubuntu. Both carry the sample tracks, so the first start has a list.

# The samples are made at build time by our own generator; a cross build runs a host copy.
include(${PROJECT_SOURCE_DIR}/cmake/HostTool.cmake)
if(CMAKE_CROSSCOMPILING)
  file(GLOB smxgen_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/smxgen/*.cpp)
  file(GLOB smxgen_headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/smxgen/*.h)
  zarvo_host_tool(smxgen smxgen SOURCES ${smxgen_sources}
    DEPENDS ${smxgen_headers} ${PROJECT_SOURCE_DIR}/mesh/SmxFormat.h)
  set(smxgen_depends ${smxgen})
else()
  set(smxgen $<TARGET_FILE:smxgen>)
  set(smxgen_depends smxgen)
endif()
set(samples ${CMAKE_BINARY_DIR}/samples)
add_custom_command(OUTPUT ${samples}/made
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${samples}/smx ${samples}/smxU
  COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/make-samples.sh ${samples} ${smxgen}
  COMMAND ${CMAKE_COMMAND} -E touch ${samples}/made
  DEPENDS ${smxgen_depends} ${PROJECT_SOURCE_DIR}/scripts/make-samples.sh
  VERBATIM)
add_custom_target(zarvo_samples ALL DEPENDS ${samples}/made)

if(WIN32)
  # One folder to unpack: the programs beside their tracks, as the viewer looks for them.
  set(tracks_dir .)
  install(TARGETS zarvo smxinfo smxgen RUNTIME DESTINATION .)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION . RENAME README.txt)
else()
  set(tracks_dir ${CMAKE_INSTALL_DATADIR}/zarvo/tracks)
  install(TARGETS zarvo smxinfo smxgen)
  # The menu entry starts the viewer in the tracks folder, named by its full path. The prefix
  # is known only when installing: /usr for the package, any for `cmake --install --prefix`.
  set(desktop ${CMAKE_CURRENT_BINARY_DIR}/zarvo.desktop)
  install(CODE "set(ZARVO_TRACKS_PATH \"\${CMAKE_INSTALL_PREFIX}/${tracks_dir}\")
    configure_file(\"${PROJECT_SOURCE_DIR}/packaging/zarvo.desktop.in\" \"${desktop}\" @ONLY)")
  install(FILES ${desktop} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zarvo)

  # Debian ships manual pages compressed.
  set(man_pages "")
  file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/man)
  foreach(page smxinfo.1 smxgen.1)
    set(compressed ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.gz)
    add_custom_command(OUTPUT ${compressed}
      COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/${page} man/${page}
      COMMAND gzip -9nf man/${page}
      DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${page}
      VERBATIM)
    list(APPEND man_pages ${compressed})
  endforeach()
  add_custom_target(zarvo_man_pages ALL DEPENDS ${man_pages})
  install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
install(DIRECTORY ${samples}/smx ${samples}/smxU DESTINATION ${tracks_dir})

set(CPACK_PACKAGE_NAME zarvo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Zarvo maintainers <maintainers@zarvo.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for racing-track meshes in SMX files")
set(CPACK_PACKAGE_DESCRIPTION
    "Zarvo lists the SMX track meshes found in smx/ and smxU/ under its working folder, loads the one clicked and lets you fly over it with the keyboard and the mouse. Comes with sample circuits and the smxinfo and smxgen tools.")
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME zarvo-${PROJECT_VERSION}-${ZARVO_WINDOWS_BUILD})
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The overlay's 12-pixel Courier comes from the 75 or 100 dpi fonts; "fixed" is the fallback.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xfonts-75dpi | xfonts-100dpi, xfonts-base")
endif()
include(CPack)

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

# The .deb's maintainer, also named as the contact in its copyright file.
set(CPACK_PACKAGE_CONTACT "The Zarvo authors <maintainers@zarvo.invalid>")

if(WIN32)
  # One folder to unpack: the programs beside their tracks, as the viewer looks for them, and a
  # user's README and the licence with the line endings Notepad expects.
  set(tracks_dir .)
  install(TARGETS zarvo smxinfo smxgen RUNTIME DESTINATION .)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/README.txt README.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file(${PROJECT_SOURCE_DIR}/LICENSE LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt DESTINATION .)
else()
  set(tracks_dir ${CMAKE_INSTALL_DATADIR}/zarvo/tracks)
  install(TARGETS zarvo smxinfo smxgen)
  # The menu entry starts the viewer in the tracks folder, named by its full path. The prefix
  # is known only when installing: /usr for the package, any for `cmake --install --prefix`.
  set(desktop ${CMAKE_CURRENT_BINARY_DIR}/zarvo.desktop)
  install(CODE "set(ZARVO_TRACKS_PATH \"\${CMAKE_INSTALL_PREFIX}/${tracks_dir}\")
    configure_file(\"${PROJECT_SOURCE_DIR}/packaging/zarvo.desktop.in\" \"${desktop}\" @ONLY)")
  install(FILES ${desktop} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  # The file type, matched by its name alone: the format has no magic number.
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/zarvo-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME zarvo.xml)
  set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/zarvo)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${doc_dir})

  # Debian's machine-readable copyright file: the licence's permission text is the field's
  # continuation, each line indented and a blank one written as " .".
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence_text)
  string(REGEX REPLACE "^.*\n(Permission )" "\\1" licence_text "${licence_text}")
  string(STRIP "${licence_text}" licence_text)
  string(REPLACE "\n\n" "\n.\n" licence_text "${licence_text}")
  string(REPLACE "\n" "\n " licence_text "${licence_text}")
  configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in copyright @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright DESTINATION ${doc_dir})

  # Debian ships manual pages and changelogs compressed, with no time stamp in them.
  set(compressed_files "")
  file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/compressed)
  foreach(file zarvo.1 smxinfo.1 smxgen.1 changelog)
    set(compressed ${CMAKE_CURRENT_BINARY_DIR}/compressed/${file}.gz)
    add_custom_command(OUTPUT ${compressed}
      COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/${file} compressed/${file}
      COMMAND gzip -9nf compressed/${file}
      DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${file}
      VERBATIM)
    list(APPEND compressed_files ${compressed})
    if(file STREQUAL changelog)
      install(FILES ${compressed} DESTINATION ${doc_dir})
    else()
      install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
  endforeach()
  add_custom_target(zarvo_compressed_docs ALL DEPENDS ${compressed_files})
endif()
install(DIRECTORY ${samples}/smx ${samples}/smxU DESTINATION ${tracks_dir})

set(CPACK_PACKAGE_NAME zarvo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for racing-track meshes in SMX files")
# Debian wraps the long description at 80 columns.
set(CPACK_PACKAGE_DESCRIPTION [[
Zarvo lists the SMX track meshes found in smx/ and smxU/ under its working
folder, loads the one clicked into a single OpenGL display list and lets you
fly over it with the keyboard, the right mouse button and the wheel.
It comes with sample circuits, from a small ring to one of a million
triangles, and two command-line tools: smxinfo describes a track and lists
its defects, smxgen writes generated circuits.]])
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

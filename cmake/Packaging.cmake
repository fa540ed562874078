# The Debian package. The programs and their media folders go together into
# /usr/lib/orvanth, since the application finds its pictures and sounds beside its own
# executable; /usr/bin holds links to them. With them: the desktop entry, the icon the
# build draws at each size of the icon theme, and the AppStream metainfo.
#
#   cmake --preset dev && cmake --build --preset dev --target package
#
# or, from a build folder whose programs are already built (as the package test does):
#
#   cpack -G DEB -B OUT_DIR

set(ORVANTH_APP_ID org.orvanth.Orvanth)
set(ORVANTH_LIBDIR lib/orvanth)

# ---- the icon, drawn by the project at build time ----

add_executable(icongen ${CMAKE_SOURCE_DIR}/tools/icongen/main.cpp)
target_link_libraries(icongen PRIVATE Qt6::Gui)
set_target_properties(icongen PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
set(ORVANTH_ICON_DIR ${CMAKE_BINARY_DIR}/icons/hicolor)
set(ORVANTH_ICON_SIZES 16 22 24 32 48 64 128 256)
set(ORVANTH_ICONS)
foreach(size ${ORVANTH_ICON_SIZES})
  list(APPEND ORVANTH_ICONS ${ORVANTH_ICON_DIR}/${size}x${size}/apps/${ORVANTH_APP_ID}.png)
endforeach()
add_custom_command(
  OUTPUT ${ORVANTH_ICONS}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:icongen> ${ORVANTH_ICON_DIR} ${ORVANTH_APP_ID} ${ORVANTH_ICON_SIZES}
  DEPENDS icongen
  COMMENT "Drawing the application icon"
  VERBATIM)
add_custom_target(orvanth_icons ALL DEPENDS ${ORVANTH_ICONS})

configure_file(${CMAKE_SOURCE_DIR}/packaging/${ORVANTH_APP_ID}.metainfo.xml
               ${CMAKE_BINARY_DIR}/packaging/${ORVANTH_APP_ID}.metainfo.xml @ONLY)

# ---- the manual pages and the changelog, compressed as Debian wants them ----

# gzip -9n: the best compression and no name or time stamp inside, so the files are the
# same from build to build.
find_program(ORVANTH_GZIP gzip REQUIRED)
set(ORVANTH_DOC_DIR ${CMAKE_BINARY_DIR}/packaging/doc)
set(ORVANTH_DOCS)
foreach(doc man/orvanth.1 man/orvanth-tour.1 changelog)
  get_filename_component(name ${doc} NAME)
  add_custom_command(
    OUTPUT ${ORVANTH_DOC_DIR}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ORVANTH_DOC_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/${doc} ${ORVANTH_DOC_DIR}/${name}
    COMMAND ${ORVANTH_GZIP} -9nf ${ORVANTH_DOC_DIR}/${name}
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${doc}
    VERBATIM)
  list(APPEND ORVANTH_DOCS ${ORVANTH_DOC_DIR}/${name}.gz)
endforeach()
add_custom_target(orvanth_docs ALL DEPENDS ${ORVANTH_DOCS})

# ---- what is installed ----

install(TARGETS orvanth RUNTIME DESTINATION ${ORVANTH_LIBDIR})
set(ORVANTH_LINKS orvanth)
if(TARGET orvanth-tour)
  install(TARGETS orvanth-tour RUNTIME DESTINATION ${ORVANTH_LIBDIR})
  list(APPEND ORVANTH_LINKS orvanth-tour)
endif()
install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/Light ${CMAKE_BINARY_DIR}/bin/Material ${CMAKE_BINARY_DIR}/bin/wave
        DESTINATION ${ORVANTH_LIBDIR})
foreach(link ${ORVANTH_LINKS})
  install(CODE "
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    file(CREATE_LINK ../${ORVANTH_LIBDIR}/${link} \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/${link}\" SYMBOLIC)
  ")
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${ORVANTH_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${ORVANTH_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(DIRECTORY ${ORVANTH_ICON_DIR} DESTINATION share/icons)
install(FILES ${ORVANTH_DOC_DIR}/orvanth.1.gz ${ORVANTH_DOC_DIR}/orvanth-tour.1.gz DESTINATION share/man/man1)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${ORVANTH_DOC_DIR}/changelog.gz DESTINATION share/doc/orvanth)

# ---- the package ----

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvanth)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Computational chemistry courseware: light and matter, illustrated")
# The long description, in lines of at most 80 characters. One string: CPack starts each
# line of the control file with the continuation space itself.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Two illustrated lecture courses in Japanese, on light and on matter, played\n"
    "step by step, with an electron-cloud viewer and a periodic-table viewer.\n"
    "orvanth-tour writes a handout of every step with its narration.")
set(CPACK_PACKAGE_CONTACT "Orvanth developers <developers@orvanth.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries from the programs themselves; the plugins they load at run time (the
# display, the sound, the pictures) and the Japanese font are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6multimedia6, qt6-qpa-plugins, fonts-ipafont-gothic, fontconfig")
set(CPACK_STRIP_FILES ON)
include(CPack)

# ---- its test ----

if(BUILD_TESTING)
  add_test(NAME test_package
           COMMAND ${CMAKE_SOURCE_DIR}/tests/test_package.sh ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
  set_tests_properties(test_package PROPERTIES TIMEOUT 600 ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
endif()

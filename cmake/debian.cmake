# The Debian package of what install.cmake installs (make package): its
# control fields, and the files Debian asks of every package, installed by
# `cmake --install` too: the copyright, the changelog, and lintian overrides
# for what this package does on purpose. lintian checks it (install_test.sh).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME libtulvak)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Debug console of the TV chip's driver modules")
set(CPACK_PACKAGE_DESCRIPTION [[
A host application on the TV loads libtulvak.so and opens an interactive
debug console: a tree of numbered text menus through which a developer, or an
automated test farm, switches the debug output of the chip's driver modules on
and off or sets their debug level. Selections are read from standard input,
or from a named pipe that test farms feed.

The package holds the library, its header, its pkg-config and CMake files,
tulvakctl, the test farm's command to send selections to a session on the
TV and to list every menu item, and tulvak_labgrid, a labgrid driver that
runs tulvakctl on the TV.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "libtulvak developers <libtulvak@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
# The driver library is the platform's own and is not packaged: the host
# that loads this library brings it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libstdc++6")
# The labgrid driver is of use on a farm's machine alone.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS python3-labgrid)
# dpkg runs ldconfig once the library is installed or removed, once for all
# the packages that ask in the same run.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/debian/triggers)
# Left alone, CPack labels the package with the build machine's architecture.
find_program(DPKG_ARCHITECTURE dpkg-architecture)
if(DPKG_ARCHITECTURE AND CMAKE_LIBRARY_ARCHITECTURE)
  execute_process(COMMAND ${DPKG_ARCHITECTURE} -t ${CMAKE_LIBRARY_ARCHITECTURE} -qDEB_HOST_ARCH
    OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
include(CPack)

# The files Debian asks of the package, made from what the source tree has;
# a function, so that its variables stay its own.
function(tulvak_debian_files)
  set(doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/libtulvak)

  # The copyright in Debian's machine-readable form, from LICENSE: its
  # copyright line, and the license's text below it.
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
  string(REGEX MATCH "Copyright ([^\n]*)\n+(.*[^\n])" license "${license}")
  set(copyright ${CMAKE_MATCH_1})
  string(REPLACE "\n\n" "\n.\n" license "\n${CMAKE_MATCH_2}")
  string(REPLACE "\n" "\n " license "${license}")
  string(SUBSTRING "${license}" 1 -1 license)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/copyright.in copyright @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright DESTINATION ${doc_dir})

  # The changelog, one entry: this version's section of CHANGELOG.md, whose
  # bullets become Debian's. It is dated when configured, or at
  # SOURCE_DATE_EPOCH where that is set.
  file(READ ${PROJECT_SOURCE_DIR}/CHANGELOG.md changes)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md)
  string(FIND "${changes}" "\n## ${PROJECT_VERSION}\n" start)
  # A version bump comes with its entry in the changelog.
  if(start EQUAL -1)
    message(FATAL_ERROR "CHANGELOG.md has no section '## ${PROJECT_VERSION}' for this version")
  endif()
  string(SUBSTRING "${changes}" ${start} -1 changes)
  string(REGEX REPLACE "^\n## [^\n]*\n+" "" changes "${changes}")
  string(FIND "${changes}" "\n## " end)
  string(SUBSTRING "${changes}" 0 ${end} changes)
  string(STRIP "${changes}" changes)
  string(REPLACE "\n- " "\n* " changes "\n${changes}")
  string(REGEX REPLACE "\n([^\n])" "\n  \\1" changes "${changes}")
  string(SUBSTRING "${changes}" 1 -1 changes)
  string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in changelog @ONLY)
  tulvak_install_gzipped(${CMAKE_CURRENT_BINARY_DIR}/changelog ${doc_dir})

  # What lintian reports but this package does on purpose.
  get_target_property(tulvakctl_static tulvakctl TULVAK_STATIC)
  set(overrides "")
  if(tulvakctl_static)
    string(APPEND overrides "# tulvakctl runs on the TV, where nothing but the C library can be counted on.\n"
      "libtulvak: statically-linked-binary [usr/${CMAKE_INSTALL_BINDIR}/tulvakctl]\n")
  endif()
  string(APPEND overrides "# Hosts load the library by its file name, which is its soname too: both are its interface.\n"
    "libtulvak: shared-library-lacks-version usr/${CMAKE_INSTALL_LIBDIR}/libtulvak.so libtulvak.so\n"
    "# The labgrid driver runs on the farm's machines, which have Python and labgrid (suggested);\n"
    "# the TV, which takes the rest of the package, has no Python.\n"
    "libtulvak: python-package-missing-depends-on-python\n")
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/lintian-overrides "${overrides}")
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides
    RENAME libtulvak)
endfunction()
tulvak_debian_files()

# What `cmake --install` and the Debian package hold: the library, its header,
# a pkg-config file, a CMake package, the farm's sender tulvakctl with its
# manual page and completion, the farm's labgrid driver and LAVA files, and
# the files Debian asks of a package (debian.cmake). Nothing else the build
# makes (the simulated driver, the host program, the tests) is installed.
# Debian's layout under any prefix, not only /usr, so that the package (built
# from this tree's install rules) has it too: the library, its .pc and CMake
# files in the multiarch folder lib/<triplet>. -DCMAKE_INSTALL_LIBDIR=lib
# gives the plain one.
if(CMAKE_LIBRARY_ARCHITECTURE AND NOT DEFINED CMAKE_INSTALL_LIBDIR)
  set(CMAKE_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE} CACHE PATH "Object code libraries (LIBDIR)")
endif()
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS tulvak EXPORT tulvak
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES ${PROJECT_SOURCE_DIR}/include/tulvak.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

# find_package(tulvak) gives tulvak::tulvak. The package has nothing of its
# own to find, so the exported targets are its whole configuration.
set(cmake_package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/tulvak)
install(EXPORT tulvak NAMESPACE tulvak:: FILE tulvakConfig.cmake DESTINATION ${cmake_package_dir})
write_basic_package_version_file(tulvakConfigVersion.cmake COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/tulvakConfigVersion.cmake DESTINATION ${cmake_package_dir})

# The pkg-config file names the prefix installed to, which is known only when
# installing: `cmake --install --prefix` and the Debian package's /usr both
# differ from the prefix configured. Everything else is filled in now.
set(prefix "@CMAKE_INSTALL_PREFIX@")
configure_file(${CMAKE_CURRENT_LIST_DIR}/tulvak.pc.in tulvak.pc.in @ONLY)
string(CONFIGURE [[
  set(pc_file "${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_LIBDIR@/pkgconfig/tulvak.pc")
  message(STATUS "Installing: $ENV{DESTDIR}${pc_file}")
  configure_file("@CMAKE_CURRENT_BINARY_DIR@/tulvak.pc.in" "$ENV{DESTDIR}${pc_file}" @ONLY)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${pc_file}")
]] install_pc_file @ONLY)
install(CODE "${install_pc_file}")

# tulvakctl runs on the set itself; linked statically (where the toolchain
# can: static_link.cmake), it brings its own needs.
install(TARGETS tulvakctl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Installs FILE compressed as Debian has documentation (gzip -9n: no name or
# time in the header, so that the same file gives the same package). The
# shell's redirection makes no folder, and only Ninja makes an output's own.
function(tulvak_install_gzipped file destination)
  get_filename_component(name ${file} NAME)
  set(gz ${CMAKE_CURRENT_BINARY_DIR}/gzip/${name}.gz)
  file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/gzip)
  add_custom_command(OUTPUT ${gz} COMMAND gzip -9nc ${file} > ${gz} DEPENDS ${file} VERBATIM)
  add_custom_target(gzip_${name} ALL DEPENDS ${gz})
  install(FILES ${gz} DESTINATION ${destination})
endfunction()

# tulvakctl's manual page and bash completion.
tulvak_install_gzipped(${PROJECT_SOURCE_DIR}/docs/tulvakctl.1 ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/docs/tulvakctl.bash-completion
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions RENAME tulvakctl)

# The labgrid driver, a module of no Python version in particular: Debian's
# Python finds those in lib/python3/dist-packages under /usr.
install(FILES ${PROJECT_SOURCE_DIR}/farm/tulvak_labgrid.py DESTINATION lib/python3/dist-packages)
# LAVA's test definition, job template and device dictionary, for a farm's
# server and jobs to take from (docs/farm.md).
install(DIRECTORY ${PROJECT_SOURCE_DIR}/farm/lava/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tulvak/lava)

include(${CMAKE_CURRENT_LIST_DIR}/debian.cmake)

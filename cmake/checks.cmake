# The checks `make test` runs beside the plain build, each in a build tree of
# its own. The sanitized and coverage builds are configured the way any
# integrator's own build is, with their flags in CMAKE_C_FLAGS and
# CMAKE_CXX_FLAGS (see the Makefile); the fuzz build has an option, since
# it builds fuzz targets instead of the tests.
option(TULVAK_FUZZ "Build the libFuzzer targets (clang) instead of the tests" OFF)
set(TULVAK_FUZZ_SECONDS 60 CACHE STRING "How long each fuzz test runs")

# What the build really is, read from the flags it was given, for the few
# tests that a sanitizer's or coverage's runtime would upset.
string(TOUPPER "${CMAKE_BUILD_TYPE}" tulvak_config)
set(tulvak_flags "${CMAKE_C_FLAGS} ${CMAKE_C_FLAGS_${tulvak_config}} ${CMAKE_CXX_FLAGS} \
${CMAKE_CXX_FLAGS_${tulvak_config}} ${CMAKE_SHARED_LINKER_FLAGS} ${CMAKE_EXE_LINKER_FLAGS}")
set(tulvak_sanitized FALSE)
set(tulvak_instrumented FALSE)
if(tulvak_flags MATCHES "(^| )-fsanitize=")
  set(tulvak_sanitized TRUE)
  set(tulvak_instrumented TRUE)
elseif(tulvak_flags MATCHES "(^| )(--coverage|-fprofile-arcs)( |$)")
  set(tulvak_instrumented TRUE)
endif()

if(TULVAK_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "The fuzz targets need clang: configure with CXX=clang++ CC=clang")
  endif()
  # Every object reports its coverage to the fuzzer; only the fuzz targets
  # link its main. Any finding stops the program, so a run cannot pass over one.
  set(sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(-fsanitize=fuzzer-no-link ${sanitizers})
  add_link_options(${sanitizers})
endif()

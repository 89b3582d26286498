# Instrumented builds for the checks `make test` runs beside the plain one.
# Each is its own build tree, configured with one of these options.
option(TULVAK_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(TULVAK_COVERAGE "Build everything with line coverage counters" OFF)
option(TULVAK_FUZZ "Build the libFuzzer targets (clang) instead of the tests" OFF)
set(TULVAK_FUZZ_SECONDS 60 CACHE STRING "How long each fuzz test runs")

# Any finding stops the program, so a test cannot pass over one.
set(tulvak_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

if(TULVAK_SANITIZE)
  add_compile_options(${tulvak_sanitizers})
  add_link_options(${tulvak_sanitizers})
  add_compile_definitions(TULVAK_INSTRUMENTED)
endif()

if(TULVAK_COVERAGE)
  add_compile_options(--coverage)
  add_link_options(--coverage)
  add_compile_definitions(TULVAK_INSTRUMENTED)
endif()

if(TULVAK_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "The fuzz targets need clang: configure with CXX=clang++ CC=clang")
  endif()
  # Every object reports its coverage to the fuzzer; only the fuzz targets
  # link its main.
  add_compile_options(-fsanitize=fuzzer-no-link ${tulvak_sanitizers})
  add_link_options(${tulvak_sanitizers})
  add_compile_definitions(TULVAK_INSTRUMENTED)
endif()

# The checks `make test` runs beside the plain build, each in a build tree of
# its own. The sanitized and coverage builds are configured the way any
# integrator's own build is, with their flags in CMAKE_C_FLAGS and
# CMAKE_CXX_FLAGS (see the Makefile).

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

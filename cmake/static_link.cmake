# tulvakctl runs on the TV, where nothing but the C library can be counted
# on, so it is linked statically wherever the toolchain can do that under the
# flags this build was given. Some cannot: the sanitizers' runtimes (gcc
# refuses -static with -fsanitize=address), or a cross toolchain without a
# static C library. There, by default, it is linked dynamically and configure
# says so.
set(TULVAKCTL_STATIC AUTO CACHE STRING
  "Link tulvakctl statically: AUTO (where the toolchain can), ON (or fail configuring), OFF")
set_property(CACHE TULVAKCTL_STATIC PROPERTY STRINGS AUTO ON OFF)
if(NOT TULVAKCTL_STATIC MATCHES "^(AUTO|ON|OFF)$")
  message(FATAL_ERROR "TULVAKCTL_STATIC is '${TULVAKCTL_STATIC}'; it takes AUTO, ON or OFF")
endif()

include(CheckCXXSourceCompiles)

# Links TARGET with -static when TULVAKCTL_STATIC allows it and a C++ program
# of the same kind links so here, and sets the target's TULVAK_STATIC property
# to TRUE or FALSE for whoever must know (the tests, the package).
function(tulvak_link_statically target)
  set(static FALSE)
  if(TULVAKCTL_STATIC STREQUAL OFF)
    message(STATUS "${target}: linked dynamically, as TULVAKCTL_STATIC=OFF asks")
  else()
    # Tried afresh at each configure, since the flags may have changed since
    # the last, with the options the project itself adds to every link.
    get_directory_property(link_options LINK_OPTIONS)
    set(CMAKE_REQUIRED_LINK_OPTIONS ${link_options} -static)
    set(CMAKE_REQUIRED_QUIET ON)
    unset(TULVAK_STATIC_LINK_WORKS CACHE)
    # std::vector::at can throw, which brings in libstdc++'s own code.
    check_cxx_source_compiles([[
      #include <string>
      #include <vector>
      int main(int argc, char **argv) { return std::vector<std::string>(argv, argv + argc).at(0).empty(); }
    ]] TULVAK_STATIC_LINK_WORKS)
    if(TULVAK_STATIC_LINK_WORKS)
      set(static TRUE)
      target_link_options(${target} PRIVATE -static)
      message(STATUS "${target}: linked statically")
    elseif(TULVAKCTL_STATIC STREQUAL ON)
      message(FATAL_ERROR "TULVAKCTL_STATIC is ON, but this toolchain cannot link a C++ program "
        "statically with these flags (the link tried is in the configure log under CMakeFiles/). "
        "Configure with -DTULVAKCTL_STATIC=AUTO or OFF to link ${target} dynamically.")
    else()
      message(STATUS "${target}: linked dynamically: this toolchain cannot link it statically with these flags")
    endif()
  endif()
  set_target_properties(${target} PROPERTIES TULVAK_STATIC ${static})
endfunction()

#!/usr/bin/env bash
# The library as others receive it, installed or packed, from the outside:
#   install_test.sh install  installs into a temporary prefix, builds the
#                            example hosts against that copy through its CMake
#                            package and through pkg-config, and runs them;
#   install_test.sh package  packs the Debian package and checks what it holds
#                            and where, for the architecture it was built for.
# The build passes its facts in the environment: BUILD_DIR SOURCE_DIR CC CXX
# GENERATOR TOOLCHAIN EMULATOR READELF LIBDIR INCLUDEDIR VERSION.
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2 && exit 1; }
# Runs a step with its output kept aside, shown only if it fails.
step() { "${@:2}" >"$scratch/$1.log" 2>&1 || fail "$1 failed: $(cat "$scratch/$1.log")"; }

# The library's own files, plain files all, and nothing else: not the simulated
# driver, the host program, the tests. $2 is the include folder, $3 the library's.
check_tree() {
    local files=("f $2/tulvak.h" "f $3/libtulvak.so" "f $3/pkgconfig/tulvak.pc" "f $3/cmake/tulvak/tulvakConfig.cmake"
        "f $3/cmake/tulvak/tulvakConfig-<build type>.cmake" "f $3/cmake/tulvak/tulvakConfigVersion.cmake")
    diff <(printf '%s\n' "${files[@]}" | sort) <(find "$1" ! -type d -printf '%y %P\n' |
        sed 's/tulvakConfig-[a-z]*\.cmake$/tulvakConfig-<build type>.cmake/' | sort) >&2 ||
        fail "under $1, the files are not as they should be (> there, < missing)"
    cmp -s "$1/$2/tulvak.h" "$SOURCE_DIR/include/tulvak.h" || fail "the header differs from include/tulvak.h"
    # A host's loader finds the library by its soname: the file must bear it.
    "$READELF" -d "$1/$3/libtulvak.so" | grep -qF 'Library soname: [libtulvak.so]' || fail "libtulvak.so has another soname"
}

# Feeds a session to a host ($1 names it, the rest runs it): the scaler item
# must reach the driver and the host end cleanly.
expect_session() {
    local out=$scratch/$1.out err=$scratch/$1.err
    printf '%b' "$2" | "${@:3}" >"$out" 2>"$err" || fail "$1 exited with $?: $(cat "$err")"
    [[ $(cat "$err") == 'QxApi_XC_SetDbgLevel(1)' ]] || fail "$1: driver calls were: $(cat "$err")"
    grep -qxF '(32) XC Menu' "$out" || fail "$1 showed no utility menu"
}

install_and_build_hosts() {
    local prefix=$scratch/prefix
    step install cmake --install "$BUILD_DIR" --prefix "$prefix"
    check_tree "$prefix" "$INCLUDEDIR" "$LIBDIR"
    # Through the CMake package, which must accept the version asked for. A
    # cross build searches only below its find roots, so the prefix is one.
    local configure=(-G "$GENERATOR" -DCMAKE_C_COMPILER="$CC" -DCMAKE_CXX_COMPILER="$CXX" -DCMAKE_PREFIX_PATH="$prefix"
        -DCMAKE_C_FLAGS="-Wall -Wextra -Werror" -DCMAKE_CXX_FLAGS="-Wall -Wextra -Werror")
    [[ -z $TOOLCHAIN ]] || configure+=(-DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_FIND_ROOT_PATH="$prefix")
    step "find_package(tulvak)" cmake -S "$SOURCE_DIR/examples/cmake" -B "$scratch/cmake_host" "${configure[@]}"
    step "building cmake_host" cmake --build "$scratch/cmake_host"
    "$READELF" -d "$scratch/cmake_host/cmake_host" | grep -qF "$prefix/$LIBDIR" || fail "cmake_host is not linked to the installed copy"
    expect_session cmake_host '3\n32\n2\n99\n99\n99\n' $EMULATOR "$scratch/cmake_host/cmake_host"

    # Through pkg-config, seeing the installed file alone.
    export PKG_CONFIG_LIBDIR=$prefix/$LIBDIR/pkgconfig
    unset PKG_CONFIG_PATH PKG_CONFIG_SYSROOT_DIR
    [[ $(pkg-config --modversion tulvak) == "$VERSION" ]] || fail "tulvak.pc gives version $(pkg-config --modversion tulvak)"
    # shellcheck disable=SC2046 # pkg-config's output is a list of words
    step "building pkg_config_host" "$CC" -Wall -Wextra -Werror $(pkg-config --cflags tulvak) -o "$scratch/pkg_config_host" \
        "$SOURCE_DIR"/examples/{pkg-config/host.c,driver_entry_points.c} $(pkg-config --libs tulvak) -Wl,-rpath,"$prefix/$LIBDIR"
    expect_session pkg_config_host '32\n2\n99\n99\n' $EMULATOR "$scratch/pkg_config_host"
    # A host that opens the library by name finds the installed one.
    expect_session dlopen_host '32\n2\n99\n99\n' env LD_LIBRARY_PATH="$prefix/$LIBDIR" $EMULATOR "$BUILD_DIR/bin/c_host"
}

# Debian's layout, for the architecture the library was built for as its ELF
# header tells: the library, its .pc and CMake files in /usr/lib/<triplet>.
pack_and_check_package() {
    step cpack cpack --config "$BUILD_DIR/CPackConfig.cmake" -G DEB -B "$scratch/packages"
    local debs=("$scratch"/packages/*.deb) root=$scratch/root header arch
    [[ ${#debs[@]} == 1 && -f ${debs[0]} ]] || fail "expected one package, got: ${debs[*]}"
    step unpacking dpkg-deb -x "${debs[0]}" "$root"
    header=$("$READELF" -h "$(find "$root" -name libtulvak.so)")
    case $(sed -n 's/^ *Machine: *//p' <<<"$header") in
        *X86-64) arch=amd64 ;;
        AArch64) arch=arm64 ;;
        ARM) arch=$(grep -q 'hard-float ABI' <<<"$header" && echo armhf || echo armel) ;;
        *) fail "libtulvak.so is built for a machine this test does not know" ;;
    esac
    local libdir=usr/lib/$(dpkg-architecture -a "$arch" -qDEB_HOST_MULTIARCH 2>/dev/null)
    check_tree "$root" usr/include "$libdir"
    [[ $(dpkg-deb -f "${debs[0]}" Architecture) == "$arch" ]] || fail "the package says $(dpkg-deb -f "${debs[0]}" Architecture) for $arch"
    [[ $(dpkg-deb -f "${debs[0]}" Version) == "$VERSION" ]] || fail "package version $(dpkg-deb -f "${debs[0]}" Version)"

    # The pkg-config file leads to the header and library there, read as a
    # build system reads a staging tree.
    export PKG_CONFIG_SYSROOT_DIR=$root PKG_CONFIG_LIBDIR=$root/$libdir/pkgconfig
    export PKG_CONFIG_ALLOW_SYSTEM_CFLAGS=1 PKG_CONFIG_ALLOW_SYSTEM_LIBS=1
    local flags
    read -ra flags < <(pkg-config --cflags --libs tulvak)
    [[ ${flags[*]} == "-I$root/usr/include -L$root/$libdir -ltulvak" ]] || fail "tulvak.pc gives: ${flags[*]}"
}

case ${1:-} in
    install) install_and_build_hosts ;;
    package) pack_and_check_package ;;
    *) fail "usage: install_test.sh install|package" ;;
esac
echo "OK: $1"

#!/usr/bin/env bash
# The library as others receive it, installed or packed, from the outside:
#   install_test.sh install  installs into a temporary prefix, builds the
#                            example hosts against that copy through its CMake
#                            package and through pkg-config, and runs them;
#   install_test.sh package  packs the Debian package and checks what it holds.
# The build passes its facts in the environment: BUILD_DIR SOURCE_DIR CC CXX
# GENERATOR TOOLCHAIN EMULATOR READELF LIBDIR INCLUDEDIR VERSION.
set -euo pipefail

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Every file and link under a folder, relative to it.
listing() { (cd "$1" && find . \( -type f -o -type l \) | sed 's|^\./||' | sort); }

# The library's own files and the farm's sender, and nothing else: not the
# simulated driver, the host program, the test programs or GoogleTest. $2 is
# the prefix's place in the tree, "" or "usr/".
check_tree() {
    local root=$1 at=$2 file
    for file in "$INCLUDEDIR/tulvak.h" "$LIBDIR/libtulvak.so" "$LIBDIR/pkgconfig/tulvak.pc" bin/tulvakctl \
        "$LIBDIR/cmake/tulvak/tulvakConfig.cmake" "$LIBDIR/cmake/tulvak/tulvakConfigVersion.cmake"; do
        [[ -f $root/$at$file && ! -L $root/$at$file ]] || fail "no $at$file"
    done
    while read -r file; do
        case $file in
            "$at$INCLUDEDIR/tulvak.h" | "$at$LIBDIR/libtulvak.so" | "$at$LIBDIR/pkgconfig/tulvak.pc") ;;
            "${at}bin/tulvakctl") ;;
            "$at$LIBDIR"/cmake/tulvak/tulvakConfig*.cmake) ;;
            *) fail "$file should not be there" ;;
        esac
    done < <(listing "$root")
    $EMULATOR "$root/${at}bin/tulvakctl" list | grep -q XC_DBGLEVEL_SETTIMING ||
        fail "the installed tulvakctl lists no menu"
    cmp -s "$root/$at$INCLUDEDIR/tulvak.h" "$SOURCE_DIR/include/tulvak.h" || fail "the header differs from include/tulvak.h"
    # A host's loader finds the library by its soname: the file must bear it.
    "$READELF" -d "$root/$at$LIBDIR/libtulvak.so" | grep -qF 'Library soname: [libtulvak.so]' ||
        fail "libtulvak.so does not carry the soname libtulvak.so"
}

# Runs a program built for the target, under the emulator in a cross build.
run_target() { $EMULATOR "$@"; }

# Feeds a session to a host and checks that the scaler item reached the driver
# and that the host ended cleanly. $1 names the host; the rest runs it.
expect_session() {
    local name=$1 input=$2
    shift 2
    local out=$scratch/$name.out err=$scratch/$name.err status=0
    printf '%b' "$input" | "$@" >"$out" 2>"$err" || status=$?
    [[ $status == 0 ]] || fail "$name exited with $status: $(cat "$err")"
    [[ $(cat "$err") == 'QxApi_XC_SetDbgLevel(1)' ]] || fail "$name: driver calls were: $(cat "$err")"
    grep -qxF '(32) XC Menu' "$out" || fail "$name showed no utility menu"
}

install_and_build_hosts() {
    local prefix=$scratch/prefix
    cmake --install "$BUILD_DIR" --prefix "$prefix" >/dev/null
    check_tree "$prefix" ""

    # Through the CMake package, which must also accept the version asked for.
    # A cross build searches only below its find roots, so the prefix is one.
    local configure=(-G "$GENERATOR" -DCMAKE_C_COMPILER="$CC" -DCMAKE_CXX_COMPILER="$CXX"
        -DCMAKE_C_FLAGS="-Wall -Wextra -Werror" -DCMAKE_CXX_FLAGS="-Wall -Wextra -Werror"
        -DCMAKE_PREFIX_PATH="$prefix")
    [[ -z $TOOLCHAIN ]] || configure+=(-DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_FIND_ROOT_PATH="$prefix")
    cmake -S "$SOURCE_DIR/examples/cmake" -B "$scratch/cmake_host" "${configure[@]}" >"$scratch/configure.log" 2>&1 ||
        fail "find_package(tulvak) failed: $(cat "$scratch/configure.log")"
    cmake --build "$scratch/cmake_host" >"$scratch/build.log" 2>&1 || fail "cmake_host did not build: $(cat "$scratch/build.log")"
    "$READELF" -d "$scratch/cmake_host/cmake_host" | grep -qF "$prefix/$LIBDIR" ||
        fail "cmake_host is not linked to the installed copy"
    expect_session cmake_host '3\n32\n2\n99\n99\n99\n' run_target "$scratch/cmake_host/cmake_host"

    # Through pkg-config, seeing the installed file alone.
    export PKG_CONFIG_LIBDIR=$prefix/$LIBDIR/pkgconfig
    unset PKG_CONFIG_PATH PKG_CONFIG_SYSROOT_DIR
    [[ $(pkg-config --modversion tulvak) == "$VERSION" ]] || fail "tulvak.pc gives version $(pkg-config --modversion tulvak)"
    # shellcheck disable=SC2046 # pkg-config's output is a list of words
    "$CC" -Wall -Wextra -Werror $(pkg-config --cflags tulvak) -o "$scratch/pkg_config_host" \
        "$SOURCE_DIR/examples/pkg-config/host.c" "$SOURCE_DIR/examples/driver_entry_points.c" \
        $(pkg-config --libs tulvak) -Wl,-rpath,"$(pkg-config --variable=libdir tulvak)" || fail "pkg_config_host did not build"
    expect_session pkg_config_host '32\n2\n99\n99\n' run_target "$scratch/pkg_config_host"

    # A host that opens the library by name finds the installed one.
    expect_session dlopen_host '32\n2\n99\n99\n' \
        env LD_LIBRARY_PATH="$prefix/$LIBDIR" $EMULATOR "$BUILD_DIR/bin/c_host"
}

# The architecture dpkg knows the packed library's machine as.
debian_architecture() {
    local header
    header=$("$READELF" -h "$1")
    case $(sed -n 's/^ *Machine: *//p' <<<"$header") in
        "Advanced Micro Devices X86-64") echo amd64 ;;
        AArch64) echo arm64 ;;
        ARM) grep -q 'hard-float ABI' <<<"$header" && echo armhf || echo armel ;;
        *) echo unknown ;;
    esac
}

pack_and_check_package() {
    cpack --config "$BUILD_DIR/CPackConfig.cmake" -G DEB -B "$scratch/packages" >"$scratch/cpack.log" 2>&1 ||
        fail "cpack failed: $(cat "$scratch/cpack.log")"
    local debs=("$scratch"/packages/*.deb)
    [[ ${#debs[@]} == 1 && -f ${debs[0]} ]] || fail "expected one package, got: ${debs[*]}"
    local deb=${debs[0]} root=$scratch/root
    dpkg-deb -x "$deb" "$root" || fail "dpkg-deb cannot unpack the package"
    check_tree "$root" usr/

    [[ $(dpkg-deb -f "$deb" Version) == "$VERSION" ]] || fail "package version $(dpkg-deb -f "$deb" Version)"
    local arch
    arch=$(debian_architecture "$root/usr/$LIBDIR/libtulvak.so")
    [[ $(dpkg-deb -f "$deb" Architecture) == "$arch" ]] ||
        fail "package says $(dpkg-deb -f "$deb" Architecture) for a library built for $arch"

    # Installed under /usr, the pkg-config file must lead to the header and the
    # library there: read as a build system reads a staging tree.
    export PKG_CONFIG_SYSROOT_DIR=$root PKG_CONFIG_LIBDIR=$root/usr/$LIBDIR/pkgconfig
    export PKG_CONFIG_ALLOW_SYSTEM_CFLAGS=1 PKG_CONFIG_ALLOW_SYSTEM_LIBS=1
    local cflags libs
    read -r cflags < <(pkg-config --cflags tulvak)
    read -r libs < <(pkg-config --libs tulvak)
    [[ -f ${cflags#-I}/tulvak.h ]] || fail "tulvak.pc gives '$cflags', which has no tulvak.h"
    [[ $libs == "-L"*" -ltulvak" && -f $(sed 's/^-L\([^ ]*\) .*/\1/' <<<"$libs")/libtulvak.so ]] ||
        fail "tulvak.pc gives '$libs', which has no libtulvak.so"
}

case ${1:-} in
    install) install_and_build_hosts ;;
    package) pack_and_check_package ;;
    *) fail "usage: install_test.sh install|package" ;;
esac
echo "OK: $1"

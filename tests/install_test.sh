#!/usr/bin/env bash
# The library as others receive it: `install` builds and runs the example hosts
# against a copy installed in a temporary prefix, `package` checks what the
# Debian package holds and where. The build passes its facts in the environment:
# BUILD_DIR SOURCE_DIR CC CXX GENERATOR TOOLCHAIN EMULATOR READELF LIBDIR INCLUDEDIR VERSION.
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2 && exit 1; }
# Runs a step with its output kept aside, shown only if it fails.
step() { "${@:2}" >"$scratch/$1.log" 2>&1 || fail "$1 failed: $(cat "$scratch/$1.log")"; }

# The library's own files, the farm's sender, labgrid driver and LAVA files,
# the files Debian asks of a package, plain files all, and nothing else: not
# the simulated driver, the host program, the tests. $2 is the include folder, $3 the library's.
check_tree() {
    local share=${2%include}share lava=(tulvak-job.yaml.jinja2 tulvak-levels.yaml tulvak-set.jinja2) name
    local files=("f ${2%include}bin/tulvakctl" "f $2/tulvak.h" "f $3/libtulvak.so" "f $3/pkgconfig/tulvak.pc" "f $3/cmake/tulvak/tulvakConfig.cmake"
        "f $3/cmake/tulvak/tulvakConfig-<build type>.cmake" "f $3/cmake/tulvak/tulvakConfigVersion.cmake"
        "f $share/doc/libtulvak/copyright" "f $share/doc/libtulvak/changelog.gz" "f $share/lintian/overrides/libtulvak"
        "f $share/man/man1/tulvakctl.1.gz" "f $share/bash-completion/completions/tulvakctl"
        "f ${2%include}lib/python3/dist-packages/tulvak_labgrid.py" "${lava[@]/#/f $share/tulvak/lava/}")
    diff <(printf '%s\n' "${files[@]}" | sort) <(find "$1" ! -type d -printf '%y %P\n' |
        sed 's/tulvakConfig-[a-z]*\.cmake$/tulvakConfig-<build type>.cmake/' | sort) >&2 ||
        fail "under $1, the files are not as they should be (> there, < missing)"
    cmp -s "$1/$2/tulvak.h" "$SOURCE_DIR/include/tulvak.h" || fail "the header differs from include/tulvak.h"
    cmp -s "$1/${2%include}lib/python3/dist-packages/tulvak_labgrid.py" "$SOURCE_DIR/farm/tulvak_labgrid.py" ||
        fail "the labgrid driver differs from farm/tulvak_labgrid.py"
    for name in "${lava[@]}"; do
        cmp -s "$1/$share/tulvak/lava/$name" "$SOURCE_DIR/farm/lava/$name" || fail "$name differs from farm/lava/$name"
    done
    $EMULATOR "$1/${2%include}bin/tulvakctl" list | grep -q XC_DBGLEVEL_SETTIMING || fail "tulvakctl lists no menu"
}

# The number that opens the XC menu in the utility menu, from the tree the programs run.
xc=$($EMULATOR "$BUILD_DIR/bin/tulvakctl" list | awk -F'\t' '$4 == "opens XC Menu" {print $1}' | cut -d' ' -f2)

# Feeds a session to a host ($1 names it, the rest runs it): the scaler item must reach the driver.
expect_session() {
    local out=$scratch/$1.out err=$scratch/$1.err
    printf '%b' "$2" | "${@:3}" >"$out" 2>"$err" || fail "$1 exited with $?: $(cat "$err")"
    [[ $(cat "$err") == 'QxApi_XC_SetDbgLevel(1)' ]] || fail "$1: driver calls were: $(cat "$err")"
    grep -qxF "($xc) XC Menu" "$out" || fail "$1 showed no utility menu"
}

check_install() {
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
    expect_session cmake_host "3\n$xc\n2\n99\n99\n99\n" $EMULATOR "$scratch/cmake_host/cmake_host"

    # Through pkg-config, seeing the installed file alone.
    unset PKG_CONFIG_PATH PKG_CONFIG_SYSROOT_DIR && export PKG_CONFIG_LIBDIR=$prefix/$LIBDIR/pkgconfig
    [[ $(pkg-config --modversion tulvak) == "$VERSION" ]] || fail "tulvak.pc gives version $(pkg-config --modversion tulvak)"
    # shellcheck disable=SC2046 # pkg-config's output is a list of words
    step "building pkg_config_host" "$CC" -Wall -Wextra -Werror $(pkg-config --cflags tulvak) -o "$scratch/pkg_config_host" \
        "$SOURCE_DIR"/examples/{pkg-config/host.c,driver_entry_points.c} $(pkg-config --libs tulvak) -Wl,-rpath,"$prefix/$LIBDIR"
    expect_session pkg_config_host "$xc\n2\n99\n99\n" $EMULATOR "$scratch/pkg_config_host"
    # A host that opens the library by name finds the installed one.
    step "building dlopen_host" "$CC" -Wall -Wextra -Werror -I"$prefix/$INCLUDEDIR" -rdynamic -o "$scratch/dlopen_host" \
        "$SOURCE_DIR"/examples/{dlopen_host.c,driver_entry_points.c} -ldl
    expect_session dlopen_host "$xc\n2\n99\n99\n" env LD_LIBRARY_PATH="$prefix/$LIBDIR" $EMULATOR "$scratch/dlopen_host"
}

# Debian's layout, for the architecture the library was built for as its ELF
# header tells: the library, its .pc and CMake files in /usr/lib/<triplet>.
check_package() {
    step cpack cpack --config "$BUILD_DIR/CPackConfig.cmake" -G DEB -B "$scratch/packages"
    local deb=("$scratch"/packages/*.deb) root=$scratch/root header arch flags
    [[ ${#deb[@]} == 1 && -f $deb ]] || fail "expected one package, got: ${deb[*]}"
    step unpacking dpkg-deb -x "$deb" "$root"
    header=$("$READELF" -h "$(find "$root" -name libtulvak.so)")
    case $(sed -n 's/^ *Machine: *//p' <<<"$header") in
        *X86-64) arch=amd64 ;;
        AArch64) arch=arm64 ;;
        ARM) arch=$(grep -q 'hard-float ABI' <<<"$header" && echo armhf || echo armel) ;;
        *) fail "libtulvak.so is built for a machine this test does not know" ;;
    esac
    local libdir=usr/lib/$(dpkg-architecture -a "$arch" -qDEB_HOST_MULTIARCH 2>/dev/null)
    check_tree "$root" usr/include "$libdir"
    [[ $(dpkg-deb -f "$deb" Architecture Version) == $'Architecture: '"$arch"$'\nVersion: '"$VERSION" ]] ||
        fail "the control file of a $arch package of $VERSION says: $(dpkg-deb -f "$deb" Architecture Version)"
    # Debian's own checks: no error, and no warning that the package does not
    # override on purpose.
    lintian --fail-on error,warning "$deb" >"$scratch/lintian.log" 2>&1 ||
        fail "lintian finds faults in the $arch package: $(grep -v '^running with root' "$scratch/lintian.log")"

    # The pkg-config file leads there, read as a build system reads a staging tree.
    export PKG_CONFIG_SYSROOT_DIR=$root PKG_CONFIG_LIBDIR=$root/$libdir/pkgconfig
    export PKG_CONFIG_ALLOW_SYSTEM_CFLAGS=1 PKG_CONFIG_ALLOW_SYSTEM_LIBS=1
    read -ra flags < <(pkg-config --cflags --libs tulvak)
    [[ ${flags[*]} == "-I$root/usr/include -L$root/$libdir -ltulvak" ]] || fail "tulvak.pc gives: ${flags[*]}"
}

[[ ${1:-} == install || ${1:-} == package ]] || fail "usage: install_test.sh install|package"
"check_$1"
echo "OK: $1"

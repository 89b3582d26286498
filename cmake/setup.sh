#!/usr/bin/env bash
# Makes sure, before anything is built, that this machine can do what a make
# target asks: the Debian packages its groups in cmake/packages.txt name are
# installed (by apt-get as root; otherwise the command that would do it is
# shown), and the pipe tests can have their private /Customer.
# Usage: cmake/setup.sh WHAT GROUP...   (WHAT names the work in messages)
set -euo pipefail
list=$(dirname "$0")/packages.txt
what=$1
shift

packages=()
for group in "$@"; do
    line=$(grep -m1 "^$group:" "$list") || { echo "$0: no group '$group' in $list" >&2; exit 2; }
    read -ra words <<<"${line#*:}"
    packages+=("${words[@]}")
done
mapfile -t packages < <(printf '%s\n' "${packages[@]}" | sort -u)

missing=()
for package in "${packages[@]}"; do
    [[ $(dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null) == ii* ]] || missing+=("$package")
done
if ((${#missing[@]})); then
    if ((EUID != 0)); then
        echo "$what needs Debian packages that are not installed. Install them, then run it again:" >&2
        echo "    sudo apt-get install --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    echo "$what: installing what it needs: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
    echo "$what: installed in $SECONDS s"
fi

# The pipe tests and the pipe fuzz target mount a fresh /Customer in a mount
# namespace of their own (tests/support/customer.cpp). Tried here the same
# way, so that a machine that cannot is told once, rather than by tests that
# skip or fail one by one.
[[ " $* " == *" suite "* ]] || exit 0
cannot() {
    echo "$what: this machine cannot run the pipe-driven tests." >&2
    echo "  Each gets a private /Customer: a file system of its own mounted in a mount namespace of its own." >&2
    echo "  That takes root with the right to mount, or unprivileged user namespaces (for root in a" >&2
    echo "  container, and for other users, who also need an existing /Customer)." >&2
    echo "  Here: $1" >&2
    exit 1
}
# As there: root unshares the mount namespace alone where it may, anyone
# else (or root in a container that may not) a user namespace with it.
namespace=(-r -m)
if ((EUID == 0)) && unshare -m --propagation unchanged true 2>/dev/null; then
    namespace=(-m --propagation unchanged)
elif ((EUID != 0)) && [[ ! -d /Customer ]]; then
    cannot "/Customer does not exist, and only root may make it (sudo mkdir /Customer)."
fi
mount_point=$(mktemp -d)
trap 'rmdir "$mount_point"' EXIT
# shellcheck disable=SC2016 # expanded by the inner shell
if ! why=$(unshare "${namespace[@]}" sh -c 'mount --make-rprivate / && mount -t tmpfs tulvak "$0"' "$mount_point" 2>&1); then
    [[ $why != *"not mount point"* ]] || cannot "/ is not a mount point, so its mounts cannot be made private \
to the tests (as in a chroot whose folder was not bound onto itself first)."
    cannot "the mount namespace cannot be made: $why"
fi

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

not_installed() {
    for package in "${packages[@]}"; do
        [[ $(dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null) == ii* ]] || echo "$package"
    done
}
mapfile -t missing < <(not_installed)
# Another apt may be installing some of them this very moment, and until it is
# done dpkg shows them unpacked or half-configured: so an apt that holds dpkg's
# lock is waited for (apt-get check takes the lock, then lets go), as is any
# that takes it before the install below, and what is missing is looked at
# again once the lock is free.
lock_wait=600
if ((${#missing[@]} && EUID == 0)); then
    # Who holds it, where lslocks can tell; the wait is the same either way.
    holder=$(lslocks --noheadings --raw --output PID,COMMAND,PATH 2>/dev/null |
        awk '$3 == "/var/lib/dpkg/lock-frontend" {print $2 ", process " $1}') || holder=
    [[ -z $holder ]] || echo "$what: another apt ($holder) holds dpkg's lock: waiting for it, $((lock_wait / 60)) minutes at most"
    apt-get -qq -o DPkg::Lock::Timeout=$lock_wait check
    mapfile -t missing < <(not_installed)
fi
if ((${#missing[@]})); then
    if ((EUID != 0)); then
        echo "$what needs Debian packages that are not installed. Install them, then run it again:" >&2
        echo "    sudo apt-get install --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    echo "$what: installing what it needs: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    # No package's service starts on installing (openssh-server's sshd, for
    # one): invoke-rc.d and deb-systemd-invoke ask policy-rc.d, and 101 is a no.
    policy=/usr/sbin/policy-rc.d added= status=0
    if [[ ! -e $policy ]]; then
        printf '#!/bin/sh\nexit 101\n' >"$policy" && chmod 755 "$policy" && added=$policy
    fi
    apt-get install -y -q -o DPkg::Lock::Timeout=$lock_wait --no-install-recommends "${missing[@]}" || status=$?
    [[ -z $added ]] || rm -f "$added"
    ((status == 0)) || exit "$status"
    echo "$what: installed in $SECONDS s"
fi

# The tests each mount a fresh /Customer in a mount
# namespace of their own, as the first process of a process namespace of
# their own (tests/harness.py). Tried here the same way, so that
# a machine that cannot is told so once, before anything is built.
[[ " $* " == *" suite "* ]] || exit 0
cannot() {
    echo "$what: this machine cannot run the tests of the pipe-driven platform." >&2
    echo "  Each test mounts a /Customer of its own, seen by its own processes alone. That takes" >&2
    echo "  root with the right to mount, or unprivileged user namespaces (for root in a container" >&2
    echo "  that may not mount, and for other users, who also need an existing /Customer)." >&2
    echo "  Here: $1" >&2
    exit 1
}
namespace= why=
for flags in -mpf -rmpf; do
    if message=$(unshare "$flags" --mount-proc true 2>&1); then
        namespace=$flags
        break
    fi
    why+=" unshare $flags: ${message#unshare: }."
done
if [[ -z $namespace ]]; then
    [[ $why != *propagation* ]] || cannot "/ is not a mount point, so the tests' mounts cannot be kept \
from it (as in a chroot whose folder was not bound onto itself first).$why"
    cannot "neither a mount namespace nor a user namespace can be made.$why"
fi
[[ $EUID == 0 || -d /Customer ]] || cannot "/Customer does not exist, and only root may make it (sudo mkdir /Customer)."
mount_point=$(mktemp -d)
trap 'rmdir "$mount_point"' EXIT
why=$(unshare "$namespace" --mount-proc mount -t tmpfs tulvak "$mount_point" 2>&1) || cannot "no file system can be mounted: $why"

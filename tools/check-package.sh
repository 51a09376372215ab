#!/usr/bin/env bash
# Checks the Debian package as an engineer gets it. On the host: lintian reports no error, the
# package holds nothing but /usr paths and neither names nor points into the build tree. Then on
# a fresh Debian 12 root (debootstrap, in a chroot): apt installs the package with its declared
# dependencies only (no recommended packages), and the installed programs work: vrxctl identifies
# a demo instrument and vrx-sim prints its help; with the test tools added, `man vrxctl` shows
# the page, the window comes up in demo mode on a virtual display and closes with "Выход", and
# its F1 and F2 open the help and a scheme picture from the installed data folder.
#
#   tools/check-package.sh [PACKAGE.deb]      (default: build-package/vrx-service_*.deb)
#
# Needs root (debootstrap, chroot, mount) and a Debian mirror (VRX_CHECK_MIRROR, default
# http://deb.debian.org/debian). The fresh root is made once in VRX_CHECK_BASE (default
# /var/tmp/vrx-debian12) and copied for every run; the copy is removed afterwards unless
# VRX_CHECK_KEEP=1.
set -euo pipefail
cd "$(dirname "$0")/.."
repo="$PWD"
[ "$(id -u)" -eq 0 ] || { echo "tools/check-package.sh needs root (debootstrap, chroot, mount)"; exit 2; }
if [ $# -ge 1 ]; then
  package="$(realpath "$1")"
else
  package="$(ls -t "$repo"/build-package/vrx-service_*.deb 2>/dev/null | head -n 1)"
  [ -n "$package" ] || { echo "no build-package/vrx-service_*.deb: run tools/make-package.sh"; exit 2; }
fi
mirror="${VRX_CHECK_MIRROR:-http://deb.debian.org/debian}"
base="${VRX_CHECK_BASE:-/var/tmp/vrx-debian12}"
root="$base.check"

step() { echo "== $*"; }
fail() {
  echo "FAILED: $*"
  exit 1
}
tools_needed=()
for tool in lintian:lintian debootstrap:debootstrap readelf:binutils; do
  command -v "${tool%%:*}" >/dev/null || tools_needed+=("${tool#*:}")
done
if ((${#tools_needed[@]})); then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${tools_needed[@]}"
fi

step "lintian $(basename "$package")"
lintian --fail-on error "$package" || fail "lintian reports errors"

step "package contents"
outside="$(dpkg-deb -c "$package" | awk '{print $6}' | grep -v '^\./usr/' | grep -vx '\./' || true)"
[ -z "$outside" ] || fail "paths outside /usr: $outside"
unpacked="$(mktemp -d)"
dpkg-deb -x "$package" "$unpacked"
build_refs="$(grep -rlF "$repo" "$unpacked" || true)"
search_paths="$(find "$unpacked" -type f -perm -u+x -exec readelf -d {} + 2>/dev/null |
  grep -E 'RPATH|RUNPATH' || true)"
rm -rf "$unpacked"
[ -z "$build_refs" ] || fail "files naming the build tree $repo: $build_refs"
[ -z "$search_paths" ] || fail "programs with a library search path: $search_paths"

if [ ! -e "$base/etc/debian_version" ]; then
  step "debootstrap Debian 12 into $base"
  rm -rf "$base.partial"
  debootstrap --variant=minbase bookworm "$base.partial" "$mirror"
  mv "$base.partial" "$base"
fi
step "fresh root $root"
mounted=()
cleanup() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" || true; done
  [ "${VRX_CHECK_KEEP:-0}" = 1 ] || rm -rf --one-file-system "$root"
}
trap cleanup EXIT
# A run that was killed may have left its mounts behind.
for mount_point in dev/pts dev proc; do
  if mountpoint -q "$root/$mount_point"; then umount -l "$root/$mount_point"; fi
done
rm -rf --one-file-system "$root"
cp -a "$base" "$root"
mount_in_root() {
  mount "$@"
  mounted+=("${@: -1}")
}
# /proc for man and apt, the host's /dev with its pseudo-terminals for the demo instrument.
mount_in_root -t proc proc "$root/proc"
mount_in_root --bind /dev "$root/dev"
mount_in_root --bind /dev/pts "$root/dev/pts"
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
cp "$package" "$root/tmp/"
in_root() {
  chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "$@"
}

step "apt-get install ./$(basename "$package") (declared dependencies only)"
in_root apt-get update -qq
in_root sh -c "cd /tmp && apt-get install -y -q --no-install-recommends ./$(basename "$package")"

step "vrxctl --demo VRX-L13-2.2 identify"
out="$(in_root vrxctl --demo VRX-L13-2.2 identify)" || fail "vrxctl exited with $?"
echo "$out"
grep -qx 'type=VRX-L13-2.2' <<<"$out" || fail "vrxctl did not identify the demo VRX-L13-2.2"

step "vrx-sim --help"
out="$(in_root vrx-sim --help)" || fail "vrx-sim --help exited with $?"
head -n 1 <<<"$out"
grep -q '^usage: vrx-sim' <<<"$out" || fail "vrx-sim --help printed no usage"

step "the help file and the scheme pictures in the data folder"
[ -s "$root/usr/share/vrx-service/VRX_L.chm" ] || fail "no /usr/share/vrx-service/VRX_L.chm"
pictures=("$root"/usr/share/vrx-service/images/*.jpg)
[ -s "${pictures[0]}" ] || fail "no scheme pictures in /usr/share/vrx-service/images"
echo "VRX_L.chm and ${#pictures[@]} pictures"

step "test tools: man-db xvfb xauth xdotool"
in_root apt-get install -y -qq --no-install-recommends man-db xvfb xauth xdotool >/dev/null

step "man vrxctl, man vrx-sim, man vrx-service"
for page in vrxctl vrx-sim vrx-service; do
  out="$(in_root env MANWIDTH=100 man -P cat "$page" 2>&1)" || fail "man $page: $out"
  grep -q "^NAME" <<<"$out" || fail "man $page shows no page: $out"
  grep -A 1 '^NAME' <<<"$out" | tail -n 1
done
grep -q 'identify' <<<"$(in_root env MANWIDTH=100 man -P cat vrxctl)" ||
  fail "man vrxctl does not describe the command identify"

step "vrx-service --demo on a virtual display"
cp tests/app/demo-session.sh tests/app/demo-smoke.sh tests/app/help-keys-check.sh "$root/tmp/"
in_root xvfb-run -a /tmp/demo-smoke.sh /usr/bin/vrx-service || fail "the demo window"

step "F1 and F2 find the help file and the pictures of the installed data folder"
in_root xvfb-run -a /tmp/help-keys-check.sh /usr/bin/vrx-service || fail "F1 or F2"

step "all checks passed"

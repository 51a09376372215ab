#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need (and those named as arguments), only
# when some are missing. With --fuzz first, also clang and its libFuzzer runtime (tools/run-fuzz.sh).
set -euo pipefail

if [ "${1:-}" = --fuzz ]; then
  shift
  set -- clang libclang-rt-14-dev "$@"
fi

packages=(
  cmake g++ make pkg-config lld
  qt6-base-dev qt6-serialport-dev qt6-charts-dev libqt6opengl6-dev
  fp-utils libchm-dev libjpeg62-turbo-dev
  libgensio-dev ser2net
  libgtest-dev libgmock-dev
  libqt6sql6-sqlite qt6-translations-l10n fonts-dejavu-core
  xvfb xauth xdotool poppler-utils
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

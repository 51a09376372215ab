#!/usr/bin/env bash
# Builds a release of the three programs in build-package (no tests) and makes the Debian
# package build-package/vrx-service_VERSION_ARCH.deb with CPack; prints the package's path.
# VRX_JOBS limits the parallel compile jobs (default: every processor).
set -euo pipefail
cd "$(dirname "$0")/.."
# Without locale variables the C library is ASCII-only: take the UTF-8 locale it always has.
[ -n "${LC_ALL:-}${LC_CTYPE:-}${LANG:-}" ] || export LANG=C.UTF-8
# dpkg-shlibdeps (dpkg-dev) finds the libraries' packages; CPack tells programs by `file`.
tools/install-deps.sh dpkg-dev file

build_dir=build-package
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
# Debian's build flags with all its hardening (stack protector, fortified functions, read-only
# relocations bound at start); without -g, as no debug symbols package is made.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
cxxflags="$(sed -E 's/(^| )-g( |$)/ /' <<<"$cxxflags")"
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DVRX_BUILD_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_CXX_FLAGS="$cxxflags" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" "${launcher[@]}"
cmake --build "$build_dir" -j"${VRX_JOBS:-$(nproc)}"
rm -f "$build_dir"/vrx-service_*.deb
(cd "$build_dir" && cpack -G DEB >cpack.log) || { cat "$build_dir/cpack.log"; exit 1; }
ls "$PWD/$build_dir"/vrx-service_*.deb

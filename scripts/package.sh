#!/usr/bin/env bash
# Builds the Debian package hxv5-clone_<version>_<arch>.deb into BUILD/packages/, its
# dependencies found by dpkg-shlibdeps.
#
# Usage: package.sh [BUILD]   (BUILD is build-package by default: a release build without the
# tests. A folder already configured, such as the test build, is built and packaged as it is.)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(realpath -m "${1:-$root/build-package}")"
"$root/scripts/deps.sh"
if [[ ! -f "$build/CMakeCache.txt" ]]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHXV5_TESTS=OFF
fi
cmake --build "$build"
rm -rf "$build/packages"
(cd "$build" && cpack -G DEB -B "$build/packages")
ls "$build"/packages/*.deb

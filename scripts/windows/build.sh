#!/usr/bin/env bash
# Cross-builds the Windows programs hxv5-clone.exe and hxv5-cli.exe (Release, x86-64, MinGW-w64
# with posix threads), the tests a Windows build runs and the benchmark, from the same CMake
# project as the Linux build, against the prebuilt Qt 6.4.2 for MinGW-w64. The Qt archive's
# checksum is checked before it is unpacked into the build folder. See common.sh for the folders;
# CMAKE_CXX_COMPILER_LAUNCHER is honoured, and ccache is used when it is installed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

step_start
install_packages mingw-w64 g++-mingw-w64-x86-64-posix icoutils
step_done "packages"

# The Qt for Windows: checked, then unpacked once for each archive.
step_start
(cd "$qt_archive_dir" && sha256sum --check --quiet "$qt_archive.sha256")
sum="$(cut -d' ' -f1 "$qt_archive_dir/$qt_archive.sha256")"
if [[ "$(cat "$win_build/qt.sha256" 2>/dev/null)" != "$sum" ]]; then
    rm -rf "$qt_prefix"
    mkdir -p "$win_build"
    tar -xJf "$qt_archive_dir/$qt_archive" -C "$win_build"
    echo "$sum" > "$win_build/qt.sha256"
fi
step_done "Qt for Windows checked and unpacked"

# The icon is drawn, and the user guide's pictures are taken, by programs of the Linux build: a
# Windows build cannot run its own.
step_start
build_linux_programs hxv5-render-icons hxv5_guide_pictures
step_done "icon drawer and guide pictures (Linux build)"

step_start
launcher="${CMAKE_CXX_COMPILER_LAUNCHER:-$(command -v ccache || true)}"
cmake -S "$root" -B "$cross_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DHXV5_WERROR=ON \
    -DCMAKE_TOOLCHAIN_FILE="$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake" -DQT_HOST_PATH=/usr \
    -DHXV5_HOST_RENDER_ICONS="$linux_build/bin/hxv5-render-icons" \
    -DHXV5_GUIDE_PICTURES="$linux_build/share/hxv5-clone/guide" \
    ${launcher:+-DCMAKE_CXX_COMPILER_LAUNCHER="$launcher"} >/dev/null
cmake --build "$cross_build"
step_done "Windows build"
ls -l "$cross_build"/bin/*.exe

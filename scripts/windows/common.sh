# shellcheck shell=bash disable=SC2034
# Shared by the Windows scripts (sourced): where things are, and the packages each step needs.
#
#   HXV5_WINDOWS_BUILD_DIR  the Windows build folder (build-win beside the sources by default)
#   HXV5_WINDOWS_QT_DIR     the folder holding qt6.4.2-mingw64-posix.tar.xz and its .sha256
#                           (../shared/windows beside the checkout by default)
#   HXV5_LINUX_BUILD_DIR    a Linux build of this project, for hxv5-render-icons (the icon),
#                           hxv5-cli and hxv5-radio-sim (the comparisons under Wine); build-test by
#                           default when it exists, else build-win/linux, made as needed

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
win_build="$(realpath -m "${HXV5_WINDOWS_BUILD_DIR:-$root/build-win}")"
qt_archive_dir="$(realpath -m "${HXV5_WINDOWS_QT_DIR:-$root/../shared/windows}")"
qt_archive=qt6.4.2-mingw64-posix.tar.xz
qt_prefix="$win_build/qt6.4.2-mingw64"
cross_build="$win_build/cross"
if [[ -n "${HXV5_LINUX_BUILD_DIR:-}" ]]; then
    linux_build="$(realpath -m "$HXV5_LINUX_BUILD_DIR")"
elif [[ -f "$root/build-test/CMakeCache.txt" ]]; then
    linux_build="$root/build-test"
else
    linux_build="$win_build/linux"
fi

# Installs what is missing: the Linux build's packages and these.
install_packages() {
    HXV5_EXTRA_PACKAGES="$*" "$root/scripts/deps.sh"
}

# The Linux programs the Windows scripts use, built in the Linux build (configured if need be).
build_linux_programs() {
    if [[ ! -f "$linux_build/CMakeCache.txt" ]]; then
        cmake -S "$root" -B "$linux_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DHXV5_TESTS=OFF \
            ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER="$CMAKE_CXX_COMPILER_LAUNCHER"}
    fi
    cmake --build "$linux_build" --target "$@"
}

# Seconds since the step began, for the timings the scripts print.
step_start() { step_began=$SECONDS; }
step_done() { echo "== $1: $((SECONDS - step_began)) s"; }

# Wine with a private prefix in the build folder; no menu entries on this machine for what it
# installs.
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
export WINEPREFIX="$win_build/wine" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d"

# A path as Wine's Windows programs name it.
windows_path() {
    local path="$1"
    printf 'Z:%s' "${path//\//\\}"
}

# The programs of the build folder find Qt and the MinGW runtime through these; the installed
# ones need none of it.
build_environment() {
    WINEPATH="$(windows_path "$qt_prefix/bin");$(windows_path /usr/lib/gcc/x86_64-w64-mingw32/12-posix)"
    WINEPATH+=";$(windows_path /usr/x86_64-w64-mingw32/lib)"
    QT_PLUGIN_PATH="$(windows_path "$qt_prefix/plugins")"
    export WINEPATH QT_PLUGIN_PATH
}
bare_environment() {
    unset WINEPATH QT_PLUGIN_PATH
}

#!/usr/bin/env bash
# Makes the Windows packages from the build of build.sh, into build-win/packages/:
#   hxv5-clone-<version>-setup.exe     an NSIS installer (silent with /S)
#   hxv5-clone-<version>-windows-x64.zip   the same installation in a folder, to run from anywhere
# Both hold the two programs, the Qt libraries and plugins they load and the MinGW runtime, all
# stripped of their symbols.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

step_start
install_packages mingw-w64 nsis zip
if [[ ! -f "$cross_build/CMakeCache.txt" ]]; then
    echo "No Windows build in $cross_build: run scripts/windows/build.sh first" >&2
    exit 1
fi
cmake --build "$cross_build" --target hxv5-clone hxv5-cli
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$cross_build/CMakeCache.txt")"
name="hxv5-clone-$version"
stage="$win_build/stage"
app="$stage/$name"
packages="$win_build/packages"
rm -rf "$stage" "$packages"
mkdir -p "$packages"

# The installation as CMake lays it out, its bin folder being the program's folder.
cmake --install "$cross_build" --prefix "$stage/install" >/dev/null
mv "$stage/install/bin" "$app"
rm -rf "$stage/install"
find "$app" -type f \( -name '*.dll' -o -name '*.exe' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
cp "$cross_build/packaging/windows/hxv5-clone.ico" "$stage/"

# The uninstaller removes exactly what was installed.
files="$stage/files.nsh"
(cd "$app" && find . -type f | sed 's|^\./||' | sort | while read -r f; do
    printf 'Delete "$INSTDIR\\%s"\n' "${f//\//\\}"
done
find . -mindepth 1 -type d | sed 's|^\./||' | sort -r | while read -r d; do
    printf 'RMDir "$INSTDIR\\%s"\n' "${d//\//\\}"
done) > "$files"

(cd "$stage" && zip -q -r -9 "$packages/$name-windows-x64.zip" "$name")
makensis -V2 -DVERSION="$version" -DAPPDIR="$app" -DFILES="$files" \
    -DOUTFILE="$packages/$name-setup.exe" "$root/packaging/windows/hxv5-clone.nsi"
step_done "Windows packages"
du -sh "$app"
ls -l "$packages"

#!/usr/bin/env bash
# What an installation holds, and that the programs run from it: every file in its place, the
# desktop entry, the software-centre record, the file type and the manual pages pass their
# validators, and hxv5-cli, hxv5-radio-sim and the window program start from the installed
# folder without writing to it (as from a read-only one).
#
# Usage: tst_install.sh install BUILD   (cmake --install of the build folder into a temporary prefix)
#        tst_install.sh package FILE.deb (the Debian package unpacked into a fresh root; also
#                                         checks its dependencies)
# A validator that is not installed is skipped with a message; scripts/deps.sh installs them.
set -euo pipefail

mode=${1:-}
source=${2:-}
if [[ -z $mode || -z $source ]]; then
    echo "usage: tst_install.sh install BUILD | package FILE.deb" >&2
    exit 2
fi

work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
tree=$work/root
prefix=$tree/usr
app=org.hxv5.Clone
version=0.10.0
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
skip() {
    echo "SKIP: $* is not installed (scripts/deps.sh installs it)"
}
have() { command -v "$1" >/dev/null 2>&1; }

case $mode in
install)
    cmake --install "$source" --prefix "$prefix" >/dev/null
    ;;
package)
    have dpkg-deb || { echo "SKIP: dpkg-deb is not installed"; exit 0; }
    depends=$(dpkg-deb -f "$source" Depends)
    for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6 \
        libqt6printsupport6 qt6-translations-l10n; do
        [[ $depends == *"$lib "* || $depends == *"$lib,"* || $depends == *"$lib" ]] ||
            fail "the package does not depend on $lib (Depends: $depends)"
    done
    [[ $(dpkg-deb -f "$source" Package) == hxv5-clone ]] || fail "package name"
    [[ $(dpkg-deb -f "$source" Version) == "$version" ]] || fail "package version"
    dpkg-deb -x "$source" "$tree"
    ;;
*)
    echo "usage: tst_install.sh install BUILD | package FILE.deb" >&2
    exit 2
    ;;
esac

share=$prefix/share
for file in bin/hxv5-clone bin/hxv5-cli bin/hxv5-radio-sim \
    share/applications/$app.desktop share/metainfo/$app.metainfo.xml \
    share/mime/packages/$app.xml \
    share/icons/hicolor/scalable/apps/$app.svg \
    share/icons/hicolor/48x48/apps/$app.png share/icons/hicolor/256x256/apps/$app.png \
    share/man/man1/hxv5-clone.1 share/man/man1/hxv5-cli.1 share/man/man1/hxv5-radio-sim.1 \
    share/hxv5-clone/guide/en/index.html share/hxv5-clone/guide/ja/index.html \
    share/hxv5-clone/guide/en/messages.html share/hxv5-clone/guide/ja/messages.html; do
    [[ -s $prefix/$file ]] || fail "$file is missing from the installation"
done

desktop=$share/applications/$app.desktop
grep -qx 'Exec=hxv5-clone %f' "$desktop" || fail "the desktop entry does not start hxv5-clone %f"
grep -qx "Icon=$app" "$desktop" || fail "the desktop entry's icon"
grep -q '^MimeType=.*application/x-hxv5-clone;' "$desktop" || fail "the desktop entry's file type"
if have desktop-file-validate; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
else
    skip desktop-file-validate
fi

metainfo=$share/metainfo/$app.metainfo.xml
grep -q '<caption>' "$metainfo" || fail "the screenshot has no caption"
grep -q "<release version=\"$version\"" "$metainfo" || fail "release $version is not listed"
if have appstreamcli; then
    appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
        { cat "$work/appstream.log" >&2; fail "appstreamcli validate"; }
else
    skip appstreamcli
fi

# The clone files' type: both spellings of the extension reach it once the database is built.
if have update-mime-database; then
    mime=$work/mime
    mkdir -p "$mime/packages"
    cp "$share/mime/packages/$app.xml" "$mime/packages/"
    update-mime-database "$mime" >/dev/null 2>&1 || fail "update-mime-database"
    for glob in '*.TV5' '*.tv5'; do
        grep -qF "application/x-hxv5-clone:$glob" "$mime/globs2" ||
            fail "$glob does not lead to application/x-hxv5-clone"
    done
else
    skip update-mime-database
fi

if have file; then
    for size in 48 256; do
        file "$share/icons/hicolor/${size}x$size/apps/$app.png" | grep -q "PNG image data, $size x $size" ||
            fail "the ${size} px icon is not a $size x $size PNG"
    done
    file "$share/icons/hicolor/scalable/apps/$app.svg" | grep -qi 'SVG' || fail "the scalable icon is no SVG"
    # The guide's pictures, taken from the program when it was built.
    for language in en ja; do
        file "$share/hxv5-clone/guide/$language/pictures/main-memory.png" | grep -q 'PNG image data' ||
            fail "the $language guide has no picture of the main window"
    done
else
    skip file
fi

if have man; then
    for page in hxv5-clone hxv5-cli hxv5-radio-sim; do
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man1/$page.1" 2>&1 >/dev/null)
        [[ -z $warnings ]] || fail "man page $page.1: $warnings"
        LC_ALL=C.UTF-8 man -l "$share/man/man1/$page.1" 2>/dev/null | grep -q "$page" ||
            fail "man page $page.1 does not name its program"
    done
else
    skip man
fi

# The programs from the installed place, which stays as it was: nothing of theirs is written there.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
chmod -R a-w "$tree"
marker=$work/marker
touch "$marker"
for program in hxv5-cli hxv5-radio-sim hxv5-clone; do
    out=$(env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/$program" --version 2>&1) ||
        fail "$program --version failed: $out"
    [[ $out == "$program $version" ]] || fail "$program --version said: $out"
done
"$prefix/bin/hxv5-cli" ports >"$work/ports.txt" 2>&1 || fail "hxv5-cli ports failed"
[[ $(grep -c '^COM ' "$work/ports.txt") == 14 ]] || fail "hxv5-cli ports: $(cat "$work/ports.txt")"
# The window program comes up offscreen and runs until it is ended.
status=0
QT_QPA_PLATFORM=offscreen timeout 10 "$prefix/bin/hxv5-clone" >"$work/window.log" 2>&1 || status=$?
[[ $status == 124 ]] || { cat "$work/window.log" >&2; fail "hxv5-clone ended by itself with status $status"; }
written=$(find "$tree" -newer "$marker" -print)
[[ -z $written ]] || fail "the programs wrote into the installed folder: $written"

if ((failures > 0)); then
    echo "tst_install: $failures failures" >&2
    exit 1
fi
echo "tst_install ($mode): every file in place, validators passed, the programs run from it"

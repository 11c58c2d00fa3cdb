#!/usr/bin/env bash
# Tests the Windows build (scripts/windows/build.sh) and its packages (package.sh) under Wine:
# /usr/lib/wine/wine64, a private prefix in build-win/wine, WINEDEBUG=-all, the windows on a
# private Xvfb display.
#
#  1. The core's tests that a Windows build runs (QT_QPA_PLATFORM=minimal).
#  2. hxv5-cli.exe export-csv, import-csv, report and diff give what the Linux hxv5-cli gives, byte
#     for byte: the files, the standard output and error, the exit status.
#  3. read-radio and write-radio (plain, --changes-only, --verify) through COM 5, which Wine maps to
#     the pseudo-terminal of the Linux hxv5-radio-sim, leave the clone file and the radio memory
#     that the Linux hxv5-cli leaves through the pseudo-terminal itself.
#  4. The installer installs silently; the installed programs and those of the zip run without
#     help and give the Linux build's version; the uninstaller removes what was installed.
#  5. The installed window starts, reads the simulated radio through COM 5 with Tool > Read, and
#     is photographed in English and in Japanese: build-win/screenshots/window-{en,ja}.png.
#
# With HXV5_WINDOWS_BENCH=1 it then runs the benchmark's transfers through COM 5 against the paced
# simulated radio, and the Linux benchmark beside it (scripts/windows/bench.sh does only that).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages wine wine64 fonts-wine xvfb x11-apps imagemagick xdotool unzip
step_start
build_linux_programs hxv5-cli hxv5-radio-sim hxv5-clone
step_done "Linux programs"
for needed in "$cross_build/bin/hxv5-cli.exe" "$win_build"/packages/*-setup.exe; do
    if [[ ! -f "$needed" ]]; then
        echo "$needed is missing: run scripts/windows/build.sh and package.sh first" >&2
        exit 1
    fi
done

work="$win_build/wine-tests"
shots="$win_build/screenshots"
# The Linux programs keep their bindings, backups and settings in the test's folders.
export XDG_CONFIG_HOME="$work/xdg/config" XDG_DATA_HOME="$work/xdg/data"
linux_cli="$linux_build/bin/hxv5-cli"
sim="$linux_build/bin/hxv5-radio-sim"
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

sim_pid=
xvfb_pid=
cleanup() {
    "$wineserver" -k 2>/dev/null || true
    [[ -n "$sim_pid" ]] && kill "$sim_pid" 2>/dev/null || true
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

# The simulated radio on a pseudo-terminal of its own, answering at once (or at the line's pace
# with "paced"), its memory in the file given; sets sim_pid and sim_pty.
start_sim() {
    local memory="$1" log="$2" pace="${3:---unpaced}"
    [[ "$pace" == paced ]] && pace=
    "$sim" --no-bind $pace --verbose --memory "$memory" >"$log.out" 2>"$log.err" &
    sim_pid=$!
    for _ in $(seq 100); do
        sim_pty="$(head -n 1 "$log.out" 2>/dev/null || true)"
        [[ -n "$sim_pty" ]] && return 0
        sleep 0.1
    done
    echo "the simulated radio did not start: $(cat "$log.err")" >&2
    exit 1
}
# Wine lets go of the line first: the radio's hang-up would otherwise reach wineserver.
stop_sim() {
    "$wineserver" -k 2>/dev/null || true
    kill -INT "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
    sim_pid=
}
# COM 5 of the Wine prefix leads to the simulated radio, listed as Windows lists its ports.
map_com5() {
    ln -sfn "$sim_pty" "$WINEPREFIX/dosdevices/com5"
    "$wine" reg add 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' /v '\Device\Serial4' /d COM5 /f >/dev/null
}

rm -rf "$work" "$shots" "$WINEPREFIX"
mkdir -p "$work/linux" "$work/windows" "$work/results" "$shots" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"

# A display of its own, there before Wine's first program: a wineserver that started without one
# never shows a window later.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
    [[ -s "$work/display" ]] && break
    sleep 0.1
done
DISPLAY=":$(cat "$work/display")"
export DISPLAY

step_start
"$wine" wineboot --init >/dev/null 2>&1
# Wine has none of the fonts Windows draws its dialogs and menus with: faces with the same
# metrics stand in, as the fonts of a Windows machine would.
for face in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "Segoe UI" "Arial" "Microsoft Sans Serif"; do
    "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "Liberation Sans" /f >/dev/null
done
for face in "MS UI Gothic" "MS Gothic" "MS PGothic" "Meiryo" "Meiryo UI" "Yu Gothic UI"; do
    "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "Noto Sans CJK JP" /f >/dev/null
done
"$wineserver" -w
step_done "Wine prefix"

# --- 1. the core's tests -------------------------------------------------------------------
step_start
build_environment
held="$work/held-port"
mkdir -p "$held"
# COM 7 is a port Windows lists; COM 8 one whose open it refuses (a folder stands in for a port
# that another program holds); COM 14 none. The list lives while wineserver does.
"$wineserver" -p
ln -sfn /dev/null "$WINEPREFIX/dosdevices/com7"
ln -sfn "$held" "$WINEPREFIX/dosdevices/com8"
"$wine" reg add 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' /v '\Device\Serial6' /d COM7 /f >/dev/null
for test in "$cross_build"/bin/tst_*.exe; do
    name="$(basename "$test" .exe)"
    result="$work/results/$name.txt"
    status=0
    QT_QPA_PLATFORM=minimal "$wine" "$test" -o "$(windows_path "$result"),txt" >/dev/null 2>&1 ||
        status=$?
    totals="$(grep '^Totals:' "$result" 2>/dev/null || echo "no result")"
    echo "$name: $totals"
    if ((status != 0)) || [[ "$totals" != *" 0 failed"* ]]; then
        grep -A4 '^FAIL!' "$result" 2>/dev/null | head -40 || true
        fail "$name (exit status $status)"
    fi
done
"$wineserver" -k
rm -f "$WINEPREFIX/dosdevices/com7" "$WINEPREFIX/dosdevices/com8"
step_done "core tests under Wine"

# --- 2. the file commands, byte for byte -----------------------------------------------------
step_start
# The inputs: the radio's factory image, and channels with notes in quotes, commas, Japanese, and
# one row no radio takes.
start_sim "$work/factory.txt" "$work/factory"
"$linux_cli" read-radio --port "$sim_pty" "$work/a.TV5"
stop_sim
{
    printf '"MODEL","BANK","CHANNEL","FREQUENCY","MODE","STEP","TONE","TXTONE","RXTONE","SHIFT",'
    printf '"SHIFT FREQUENCY","NOTES","ENABLE"\r\n'
    printf '"HX-V5","MEMORY","10","145.67500","FM","12.5KHz","Tone","88.5Hz","88.5Hz","-Shift",'
    printf '".60000","Repeater, ""north""",#TRUE#\r\n'
    printf '"HX-V5","MEMORY","11","433.12500","FM","12.5KHz","TSQ","100.0Hz","100.0Hz","None",'
    printf '".00000","日本語のメモ",#TRUE#\r\n'
    printf '"HX-V5","MEMORY","12","118.10000","AM","25KHz","None","67.0Hz","67.0Hz","None",'
    printf '".00000","Tower",#FALSE#\r\n'
    printf '"HX-V5","MEMORY","13","999.00000","FM","12.5KHz","None","67.0Hz","67.0Hz","None",'
    printf '".00000","no such band",#TRUE#\r\n'
} >"$work/b.csv"
for side in linux windows; do
    cp "$work/a.TV5" "$work/b.csv" "$work/$side/"
done

# Runs hxv5-cli with the arguments on both sides (in folders of their own, so that the messages
# name the same relative paths) and compares the exit status, both outputs and the files named.
compare_cli() {
    local label="$1" files="$2"
    shift 2
    (cd "$work/linux" && { "$linux_cli" "$@" >stdout 2>stderr && echo 0 >status || echo $? >status; })
    (cd "$work/windows" && { "$wine" "$cross_build/bin/hxv5-cli.exe" "$@" >stdout 2>stderr &&
        echo 0 >status || echo $? >status; })
    local same=1
    for file in status stdout stderr $files; do
        if ! cmp -s "$work/linux/$file" "$work/windows/$file"; then
            same=0
            fail "$label: $file differs from the Linux build's"
            diff <(od -c "$work/linux/$file") <(od -c "$work/windows/$file") | head -10 || true
        fi
    done
    ((same)) && echo "same as Linux: hxv5-cli $* (exit status $(cat "$work/linux/status"))"
    return 0
}

compare_cli "import onto a base" b.TV5 import-csv b.csv b.TV5 --onto a.TV5
compare_cli "import" b0.TV5 import-csv b.csv b0.TV5
# Notes an older program wrote in Shift-JIS and in Windows-1252 (slots 12 and 13).
{
    head -n 243 "$work/linux/b.TV5"
    printf '\x93\xFA\x96\x7B\x8C\xEA\r\n'
    printf 'Caf\xE9 \x80 5\r\n'
    tail -n +246 "$work/linux/b.TV5"
} >"$work/c.TV5"
cp "$work/c.TV5" "$work/linux/"
cp "$work/c.TV5" "$work/windows/"
compare_cli "export" c.csv export-csv c.TV5 c.csv
compare_cli "export as CHIRP" c-chirp.csv export-csv c.TV5 c-chirp.csv --format chirp
cp "$work/linux/c-chirp.csv" "$work/windows/c-chirp.csv"
compare_cli "import from CHIRP" d.TV5 import-csv c-chirp.csv d.TV5 --onto a.TV5 --format chirp
compare_cli "report" "" report c.TV5
compare_cli "diff" "" diff a.TV5 c.TV5
compare_cli "diff of equal files" "" diff c.TV5 c.TV5
compare_cli "version" "" --version
grep -q '日本語' "$work/windows/c.csv" || fail "the Shift-JIS note did not come out as Japanese"
step_done "file commands compared"

# --- 3. the radio through COM 5 ------------------------------------------------------------
step_start
failed_before=$failures
cp "$work/factory.txt" "$work/linux/memory.txt"
cp "$work/factory.txt" "$work/windows/memory.txt"
# Each step on both sides, each against a simulated radio of its own with the same memory.
radio_steps=(
    "write-radio b.TV5"
    "read-radio read.TV5"
    "write-radio c.TV5 --changes-only"
    "write-radio a.TV5 --verify"
    "read-radio read-again.TV5"
)
# A radio of its own for each step: it has stored its memory when it ends.
for side in linux windows; do
    for step in "${radio_steps[@]}"; do
        read -r command file option <<<"$step"
        start_sim "$work/$side/memory.txt" "$work/$side/sim"
        if [[ "$side" == linux ]]; then
            (cd "$work/linux" && "$linux_cli" $command --port "$sim_pty" $file $option) ||
                fail "Linux $step"
        else
            map_com5
            (cd "$work/windows" && "$wine" "$cross_build/bin/hxv5-cli.exe" $command --port 5 $file $option) ||
                fail "Windows $step"
        fi
        stop_sim
        cp "$work/$side/memory.txt" "$work/$side/memory-after-${command}-${file%.TV5}.txt"
    done
done
start_sim "$work/windows/memory.txt" "$work/windows/sim"
map_com5
"$wine" "$cross_build/bin/hxv5-cli.exe" ports >"$work/windows/ports.txt"
grep -q '^COM  5  \\\\.\\COM5  *ok' "$work/windows/ports.txt" ||
    fail "hxv5-cli.exe ports does not find COM 5: $(sed -n 5p "$work/windows/ports.txt")"
stop_sim
for step in "${radio_steps[@]}"; do
    read -r command file option <<<"$step"
    memory="memory-after-${command}-${file%.TV5}.txt"
    cmp -s "$work/linux/$memory" "$work/windows/$memory" ||
        fail "the radio's memory after $step differs from the Linux build's"
done
for file in read.TV5 read-again.TV5; do
    cmp -s "$work/linux/$file" "$work/windows/$file" || fail "$file differs from the Linux build's"
done
((failures > failed_before)) ||
    echo "the radio steps leave the same memory and files on both sides: ${radio_steps[*]/%/;}"
step_done "radio through COM 5"

# --- 4. the packages -------------------------------------------------------------------------
step_start
bare_environment
installer="$(ls "$win_build"/packages/*-setup.exe)"
zip="$(ls "$win_build"/packages/*-windows-x64.zip)"
installed="$WINEPREFIX/drive_c/Program Files/HX-V5 Clone"
"$wine" "$installer" /S || fail "the silent installation"
[[ -f "$installed/hxv5-clone.exe" && -f "$installed/platforms/qwindows.dll" ]] ||
    fail "the installation lacks the programs"
[[ -f "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/HX-V5 Clone.lnk" ]] ||
    fail "no Start menu entry"
"$wine" reg query 'HKLM\Software\Classes\.TV5' | grep -q HXV5Clone.CloneFile || fail "no .TV5 file type"
"$wine" reg query 'HKLM\Software\Classes\HXV5Clone.CloneFile\DefaultIcon' | grep -q 'hxv5-clone.exe",0' ||
    fail "the clone files have not the program's icon"
for program in hxv5-cli hxv5-clone; do
    expected="$("$linux_build/bin/$program" --version)"
    got="$("$wine" "$installed/$program.exe" --version 2>&1 | tr -d '\r')"
    [[ "$got" == "$expected" ]] || fail "installed $program --version: '$got', not '$expected'"
done
rm -rf "$work/zip"
mkdir -p "$work/zip"
(cd "$work/zip" && unzip -q "$zip")
(cd "$work/linux" && "$wine" "$work"/zip/*/hxv5-cli.exe report c.TV5 >report-of-the-zip) ||
    fail "hxv5-cli.exe of the zip"
(cd "$work/linux" && "$linux_cli" report c.TV5 | cmp -s - report-of-the-zip) ||
    fail "hxv5-cli.exe of the zip reports otherwise than the Linux build"
echo "installed: $(ls "$installed" | tr '\n' ' ')"
step_done "installer and zip"

# --- 5. the window ----------------------------------------------------------------------------
# The installed program, with COM 5 in its port file, reads the simulated radio (Tool > Read >
# ALL, by its keys) and is photographed once the radio has answered the last block. It runs on a
# desktop of Wine's own, which frames it as Windows does. (Under Wine on Xvfb Qt's popup menus
# open and work but are not drawn: the keys find their way all the same.)
photograph_window() {
    local language="$1" locale="$2"
    local log="$work/window-$language"
    cp "$work/factory.txt" "$log-memory.txt"
    start_sim "$log-memory.txt" "$log"
    map_com5
    local config
    config="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/hxv5-clone"
    mkdir -p "$config"
    printf '5\r\n' >"$config/HX-V5.ini"
    LANG="$locale" LC_ALL="$locale" "$wine" explorer /desktop=hxv5,1280x1024 \
        "$installed/hxv5-clone.exe" >"$log.stdout" 2>&1 &
    local desktop
    desktop="$(timeout 60 xdotool search --sync --onlyvisible --name 'hxv5 - Wine desktop' | head -n 1)" ||
        { fail "the $language window did not open"; stop_sim; return; }
    local read=0
    # The splash window and the start-up pause come first; the keys are given again until the
    # radio is asked for its blocks.
    for _ in $(seq 6); do
        sleep 4
        xdotool windowfocus "$desktop"
        xdotool key --delay 400 alt+t r a
        for _ in $(seq 100); do
            grep -q 'AL~F0D40R' "$log.err" && read=1 && break
            sleep 0.1
        done
        ((read)) && break
    done
    ((read)) || fail "the $language window did not read the radio"
    sleep 2 # the last rows drawn
    xwd -root -silent | /usr/bin/convert xwd:- "png:$shots/window-$language.png"
    echo "screenshot: $shots/window-$language.png"
    stop_sim
}
step_start
photograph_window en en_US.UTF-8
photograph_window ja ja_JP.UTF-8
step_done "window under Wine"

step_start
# The uninstaller runs on from a copy of itself: wineserver ends when it has.
"$wine" "$installed/Uninstall.exe" /S || fail "the silent removal"
"$wineserver" -w
[[ ! -e "$installed" ]] || fail "the uninstaller left $(cd "$installed" && find . | head -n 5)"
! "$wine" reg query 'HKLM\Software\Classes\HXV5Clone.CloneFile' >/dev/null 2>&1 ||
    fail "the uninstaller left the file type"
[[ ! -e "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/HX-V5 Clone.lnk" ]] ||
    fail "the uninstaller left the Start menu entry"
step_done "uninstaller"

if [[ "${HXV5_WINDOWS_BENCH:-0}" == 1 ]]; then
    "$(dirname "${BASH_SOURCE[0]}")/bench.sh"
fi

if ((failures > 0)); then
    echo "$failures Windows check(s) failed"
    exit 1
fi
echo "All Windows checks passed"

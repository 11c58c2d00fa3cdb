#!/usr/bin/env bash
# Keeps the folders under src/ and tools/ in one downward order: a file includes ("...") only
# from its own folder or from a folder on a line above its own in the list below. Folders on
# one line stand side by side and include nothing of each other. Nothing under src/core includes
# anything under src/gui. Every folder holding a source file must be in the list, so that a new
# folder gets its place before it gets includes.
#
# Includes name a header by its subsystem folder ("link/transfers.h"): the core's headers lie
# under src/core, the widgets' under src/gui, and a name is looked up in the file's own library
# first (a gui file's "editing/edit_dialog.h" is src/gui/editing/edit_dialog.h), then in the core.
#
# Usage: check-layers.sh [ROOT]   (ROOT holds src/ and tools/; the repository by default)
# Exit status: 0 when every include goes down the order, 1 naming each one that does not.
set -euo pipefail

# Lowest first: core folders by their name under src/core, widget folders as gui/<name> under
# src/gui, tools as tools/<name>.
LAYERS=(
    "base"
    "image"
    "editing"
    "settings"
    "document"
    "link files print"
    "session"
    "gui/editing"
    "gui/settings"
    "gui/link gui/print"
    "gui/app"
    "tools/cli tools/radio-sim tools/guide-shots"
)

root="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
if [[ ! -d "$root/src" ]]; then
    echo "check-layers: no src/ folder under $root" >&2
    exit 2
fi

declare -A level=()
for i in "${!LAYERS[@]}"; do
    for folder in ${LAYERS[$i]}; do
        level[$folder]=$i
    done
done

# The folder a source file belongs to, from its path relative to the root.
file_folder() {
    local path=$1
    case "$path" in
    src/core/*/*) path=${path#src/core/}; echo "${path%%/*}" ;;
    src/gui/*/*) path=${path#src/gui/}; echo "gui/${path%%/*}" ;;
    tools/*/*) path=${path#tools/}; echo "tools/${path%%/*}" ;;
    *) echo "" ;;
    esac
}

# The folder an include names; a name without a folder is a neighbour in the file's own folder.
include_folder() {
    local name=$1 own=$2
    case "$name" in
    tools/*/*) name=${name#tools/}; echo "tools/${name%%/*}" ;;
    */*)
        if [[ $own == gui/* && -e src/gui/$name ]] || [[ ! -e src/core/$name && -e src/gui/$name ]]; then
            echo "gui/${name%%/*}"
        else
            echo "${name%%/*}"
        fi
        ;;
    *) echo "$own" ;;
    esac
}

is_gui() { [[ $1 == gui/* ]]; }
is_core() { [[ $1 != tools/* ]] && ! is_gui "$1"; }

faults=0
checked=0
fault() {
    echo "$1: $2" >&2
    faults=$((faults + 1))
}

cd "$root"
sources=()
for top in src tools; do
    [[ -d $top ]] && sources+=("$top")
done
while IFS= read -r line; do
    file=${line%%:*}
    rest=${line#*:}
    number=${rest%%:*}
    text=${rest#*:}
    [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]] || continue
    name=${BASH_REMATCH[1]}
    from=$(file_folder "$file")
    to=$(include_folder "$name" "$from")
    where="$file:$number"
    checked=$((checked + 1))

    if [[ -z $from || -z ${level[$from]+set} ]]; then
        fault "$where" "includes $name: folder ${from:-of $file} is not in the order at the top of scripts/check-layers.sh"
        continue
    fi
    [[ $to == "$from" ]] && continue
    if [[ -z ${level[$to]+set} ]]; then
        fault "$where" "includes $name: folder $to is not in the order"
    elif is_core "$from" && is_gui "$to"; then
        fault "$where" "includes $name: core folder $from includes gui folder $to"
    elif ((level[$to] > level[$from])); then
        fault "$where" "includes $name: goes up the order ($to stands above $from)"
    elif ((level[$to] == level[$from])); then
        fault "$where" "includes $name: goes sideways ($to and $from stand side by side)"
    fi
done < <(grep -rnE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' \
    "${sources[@]}" | LC_ALL=C sort -t: -k1,1 -k2,2n)

if ((faults > 0)); then
    echo "check-layers: $faults of $checked includes break the order" >&2
    exit 1
fi
echo "check-layers: $checked includes, all down the order"

#!/usr/bin/env bash
# scripts/check-layers.sh on copies of src/ and tools/, each with one include added: an include
# against the order must fail naming the file and line, one down the order must pass.
# Usage: tst_check_layers.sh ROOT
set -uo pipefail
root=${1:?usage: tst_check_layers.sh ROOT}
check="$root/scripts/check-layers.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# case name | file that gets the include | include | expected exit status | expected message
cases=(
    "upward|src/core/image/clone_image.h|editing/channel_table.h|1|goes up the order (editing stands above image)"
    "base on the document|src/core/base/table_row.cpp|document/document.h|1|goes up the order (document stands above base)"
    "sideways|src/core/link/transfers.cpp|files/clone_file.h|1|goes sideways (files and link stand side by side)"
    "core into its own gui folder|src/core/settings/settings_model.cpp|settings/settings_pages.h|1|core folder settings includes gui folder gui/settings"
    "core into another gui folder|src/core/print/report_lines.cpp|editing/row_grid.h|1|core folder print includes gui folder gui/editing"
    "gui up to the shell|src/gui/editing/row_grid.cpp|app/main_window.h|1|goes up the order (gui/app stands above gui/editing)"
    "core up to a tool|src/core/files/clone_file.cpp|tools/cli/cli_commands.h|1|goes up the order (tools/cli stands above files)"
    "folder not in the order|src/core/extras/extra.cpp|base/table_row.h|1|folder extras is not in the order"
    "include from no known folder|src/core/base/table_row.cpp|ui/table_row_form.h|1|folder ui is not in the order"
    "relative path past the folder|src/core/image/clone_image.cpp|../app/document.h|1|folder .. is not in the order"
    "down the order|src/core/link/transfers.cpp|base/table_row.h|0|"
    "gui down to the core|src/gui/link/port_dialog.cpp|link/port_doctor.h|0|"
    "tool on the core|tools/radio-sim/radio_memory.cpp|settings/settings_record.h|0|"
)

failures=0
for entry in "${cases[@]}"; do
    IFS='|' read -r name file include status message <<<"$entry"
    tree="$work/tree"
    rm -rf "$tree"
    mkdir -p "$tree"
    cp -r "$root/src" "$root/tools" "$tree/"
    mkdir -p "$(dirname "$tree/$file")"
    touch "$tree/$file"
    printf '#include "%s"\n' "$include" >>"$tree/$file"
    line=$(wc -l <"$tree/$file")

    output=$(bash "$check" "$tree" 2>&1)
    got=$?
    if [[ $got != "$status" ]]; then
        echo "FAIL $name: exit status $got, expected $status"
        echo "$output"
        failures=$((failures + 1))
    elif [[ $status != 0 && $output != *"$file:$line: includes $include: "* ]]; then
        echo "FAIL $name: $file:$line not named"
        echo "$output"
        failures=$((failures + 1))
    elif [[ -n $message && $output != *"$message"* ]]; then
        echo "FAIL $name: expected \"$message\""
        echo "$output"
        failures=$((failures + 1))
    else
        echo "PASS $name"
    fi
done

if ((failures > 0)); then
    echo "$failures of ${#cases[@]} cases failed"
    exit 1
fi
echo "all ${#cases[@]} cases passed"

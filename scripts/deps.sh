#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, skipping what is already there.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-serialport-dev qt6-svg-dev qt6-tools-dev qt6-l10n-tools libgl-dev
    # Qt's own dialogs in Japanese (qtbase_ja.qm), which the program and its tests load.
    qt6-translations-l10n
    fonts-liberation2 fonts-noto-cjk poppler-utils
    # The Debian package and the validators of the installed desktop files and manual pages.
    dpkg-dev file desktop-file-utils appstream shared-mime-info man-db
)
if [[ "${HXV5_EXTRA_PACKAGES:-}" != "" ]]; then
    # shellcheck disable=SC2206
    packages+=(${HXV5_EXTRA_PACKAGES})
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]} > 0)); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    if [[ $(id -u) -ne 0 ]]; then
        sudo_cmd=(sudo)
    fi
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

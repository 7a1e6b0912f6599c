#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building and testing Volantor need, and
# any further packages named as arguments (scripts/fuzz.sh adds clang).
# Safe to run again: it only calls apt-get when something is missing.
# Usage: scripts/install-deps.sh [PACKAGE...]
set -euo pipefail

packages=(
    build-essential
    cmake
    ninja-build
    googletest
    libgtest-dev
    libgmock-dev
    libbenchmark-dev
    qt6-base-dev
    qt6-qpa-plugins
    # the manual's Markdown is turned into HTML at build time
    cmark
    # the desktop entry and the AppStream metainfo are checked by the tests
    desktop-file-utils
    appstream
    # a locale that writes numbers with a decimal comma, for the locale tests
    locales
    "$@"
)

# Fails with the command to run as root when this user can't become root.
require_root() {
    if [ "$(id -u)" -ne 0 ] && ! command -v sudo >/dev/null 2>&1; then
        echo "install-deps.sh: $1, but this user is neither root nor has sudo." >&2
        echo "Ask an administrator to run:" >&2
        echo "  $2" >&2
        exit 1
    fi
}

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    require_root "packages are missing" "apt-get install --no-install-recommends ${missing[*]}"
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -q
    "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
fi

if ! locale -a | grep -qix 'de_DE.utf-\?8'; then
    require_root "the de_DE.UTF-8 locale is missing" "localedef -i de_DE -f UTF-8 de_DE.UTF-8"
    echo "Generating the de_DE.UTF-8 locale"
    "${sudo_cmd[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi

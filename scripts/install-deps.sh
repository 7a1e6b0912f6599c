#!/usr/bin/env bash
# Installs every Debian package that building and testing Volantor needs.
# Safe to run again: it only calls apt-get when something is missing.
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
    # clang with its sanitizer and libFuzzer runtimes, for scripts/fuzz.sh
    clang
    libclang-rt-14-dev
    # a locale that writes numbers with a decimal comma, for the locale tests
    locales
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -q
    "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
fi

if ! locale -a | grep -qix 'de_DE.utf-\?8'; then
    echo "Generating the de_DE.UTF-8 locale"
    "${sudo_cmd[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi

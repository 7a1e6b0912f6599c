#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs, builds and starts Volantor; without a display it shows what
# volantor-cli can do instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window cannot open." >&2
    echo "Here is volantor-cli, which runs the same commands without one:" >&2
    echo >&2
    exec build/bin/volantor-cli --help
fi
exec build/bin/volantor "$@"

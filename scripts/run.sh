#!/usr/bin/env bash
# Installs, builds and starts Volantor.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
if [ -x build/bin/volantor ]; then
    exec build/bin/volantor "$@"
fi
exec build/bin/volantor-cli --help

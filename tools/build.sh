#!/usr/bin/env bash
# Installs the packages, then configures and builds Trackora into build/.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/install-deps.sh" "$@"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$here/build" -j"$(nproc)"

#!/usr/bin/env bash
# Builds Trackora and runs every test. Display tests start their own X server.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/build.sh"
cd "$here/build"
ctest --output-on-failure --timeout 600 -j"$(nproc)"

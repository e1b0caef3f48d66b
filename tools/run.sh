#!/usr/bin/env bash
# Builds Trackora and starts the viewer.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/build.sh"
exec "$here/build/bin/Trackora" "$@"

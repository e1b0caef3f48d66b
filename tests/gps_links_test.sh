#!/usr/bin/env bash
# The command-line tool must start without the viewer's GUI, chart,
# multimedia or web modules: loading them costs more than a parse.
#   gps_links_test.sh TRACKORA_GPS
set -euo pipefail
tool=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -x "$tool" ] || fail "$tool is not a program"
libs=$(ldd "$tool") || fail "ldd cannot read $tool"
grep -q 'libQt5Core' <<<"$libs" || fail "ldd lists no Qt Core: is this the right program?"
if heavy=$(grep -E 'libQt5(Gui|Widgets|OpenGL|WebEngine[A-Za-z]*|Charts|Multimedia[A-Za-z]*|Quick[A-Za-z]*)\.so' <<<"$libs"); then
  echo "$heavy" >&2
  fail "$(basename "$tool") loads GUI modules"
fi
grep -q 'not found' <<<"$libs" && fail "$(basename "$tool") has unresolved libraries"
echo "$(basename "$tool"): $(wc -l <<<"$libs") shared libraries, none of them GUI"

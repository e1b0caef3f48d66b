#!/usr/bin/env bash
# Builds the Debian package from a finished build, unpacks it into a scratch
# root and runs what it installed from there.
#   package_test.sh BUILD_DIR MEDIA_DIR
set -euo pipefail
build=$1
media=$2
work=$(mktemp -d)
viewer=""
cleanup() {
  [ -n "$viewer" ] && kill "$viewer" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  fail "cpack did not build the package"
fi
deb=$(ls "$work"/out/*.deb)
echo "package: $(basename "$deb")"
dpkg-deb -x "$deb" "$work/root"
root=$work/root
app=$root/usr/lib/trackora

for f in "$app/Trackora" "$app/libTrackoraActiveX.so" "$app/License_jp.txt" "$app/License_en.txt" \
         "$app/maps/WG_GoogleMapIndex.html" "$app/maps/leaflet/leaflet.js" \
         "$root/usr/bin/trackora" "$root/usr/bin/trackora-gps" \
         "$root/usr/share/applications/com.ostravane.trackora.desktop" \
         "$root/usr/share/metainfo/com.ostravane.trackora.metainfo.xml" \
         "$root/usr/share/icons/hicolor/scalable/apps/com.ostravane.trackora.svg" \
         "$root/usr/share/icons/hicolor/48x48/apps/com.ostravane.trackora.png"; do
  [ -e "$f" ] || fail "the package lacks ${f#"$root"}"
done
[ "$(readlink -f "$root/usr/bin/trackora")" = "$(readlink -f "$app/Trackora")" ] || fail "the launcher does not lead to the program"

# Every shared library the binaries link must come from a package that the
# control file names.
depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
depends_names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*//; s/[[:space:]]//g')
owner() {
  local lib=$1 path
  path=$(/sbin/ldconfig -p | awk -v l="$lib" '$1 == l && /x86-64/ { print $NF; exit }')
  [ -n "$path" ] || return 1
  for candidate in "$path" "/usr$path" "$(readlink -f "$path")"; do
    dpkg -S "$candidate" 2>/dev/null | head -1 | cut -d: -f1 && return 0
  done
  return 1
}
checked=0
for elf in "$app/Trackora" "$app/libTrackoraActiveX.so" "$root/usr/bin/trackora-gps"; do
  for lib in $(objdump -p "$elf" | awk '$1 == "NEEDED" { print $2 }'); do
    pkg=$(owner "$lib") || fail "$(basename "$elf") links $lib, which no installed package provides"
    grep -Fxq "$pkg" <<<"$depends_names" || fail "$(basename "$elf") links $lib from $pkg, missing in Depends"
    checked=$((checked + 1))
  done
done
[ "$checked" -gt 10 ] || fail "only $checked linked libraries found"

# The command-line tool answers from the unpacked tree.
clip=$media/engine/clip_short_F.mp4
[ -f "$clip" ] || fail "no test recording $clip"
answer=$("$root/usr/bin/trackora-gps" info "$clip") || fail "trackora-gps info failed"
[ -n "$answer" ] || fail "trackora-gps info printed nothing"
echo "trackora-gps: $answer"

# The viewer starts from the unpacked launcher and shows its window. Its
# settings and instance lock stay in the scratch folder.
export HOME=$work/home XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/home/.config \
       XDG_DATA_HOME=$work/home/.local/share TMPDIR=$work/tmp
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$TMPDIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QTWEBENGINE_DISABLE_SANDBOX=1 SDL_AUDIODRIVER=dummy
unset QT_QPA_PLATFORM
"$root/usr/bin/trackora" >"$work/viewer.log" 2>&1 &
viewer=$!
shown=""
for _ in $(seq 1 120); do
  kill -0 "$viewer" 2>/dev/null || { cat "$work/viewer.log" >&2; fail "the viewer exited"; }
  if xwininfo -root -tree 2>/dev/null | grep -q '"VELMORA LUMA-TRAK VIEWER"'; then
    shown=yes
    break
  fi
  sleep 0.5
done
[ -n "$shown" ] || { cat "$work/viewer.log" >&2; fail "no viewer window within 60 s"; }
[ "$(readlink -f "/proc/$viewer/exe")" = "$(readlink -f "$app/Trackora")" ] || fail "another viewer answered"
echo "viewer window shown"

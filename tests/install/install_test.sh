#!/usr/bin/env bash
# Builds the Debian package from this build tree, unpacks it into a scratch root and runs the
# installed editor and batch tool from there with an empty HOME: both must find their data,
# and the editor may write only below that HOME.
# usage: install_test.sh BUILD_DIR GAMEDATA_DIR
set -euo pipefail
build=$1
gamedata=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "FAILED: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$scratch/pkg" > "$scratch/cpack.log" 2>&1) ||
    { cat "$scratch/cpack.log"; fail "cpack -G DEB"; }
deb=$(ls "$scratch"/pkg/*.deb | head -n 1)
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "the package declares no Qt dependency"
dpkg-deb -f "$deb" Depends | grep -q libadplug || fail "the package declares no libadplug dependency"

root=$scratch/root
dpkg-deb -x "$deb" "$root"
for f in usr/bin/zentrik usr/bin/zentrik-cli usr/lib/libimflib.so usr/share/zentrik/extensions.txt \
         usr/share/applications/zentrik.desktop usr/share/icons/hicolor/scalable/apps/zentrik.svg; do
    [ -e "$root/$f" ] || fail "missing from the package: $f"
done
metainfo=$(ls "$root"/usr/share/metainfo/*.metainfo.xml)

desktop-file-validate "$root/usr/share/applications/zentrik.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"

export HOME=$scratch/home
unset XDG_CONFIG_HOME XDG_DATA_HOME
mkdir -p "$HOME"
chmod -R a-w "$root/usr" # an installation is read-only for its user
before=$(cd "$root" && find . | sort | md5sum)

"$root/usr/bin/zentrik" --version | grep -q '^zentrik ' || fail "zentrik --version"
"$root/usr/bin/zentrik" --help | grep -q 'usage: zentrik' || fail "zentrik --help"
"$root/usr/bin/zentrik-cli" --version | grep -q '^zentrik-cli ' || fail "zentrik-cli --version"
if [ -f "$gamedata/wl1/GAMEMAPS.WL1" ]; then
    "$root/usr/bin/zentrik-cli" maps info "$gamedata/wl1/GAMEMAPS.WL1" > "$scratch/info.txt" ||
        fail "zentrik-cli maps info from the installed copy"
    grep -q . "$scratch/info.txt" || fail "maps info printed nothing"
    "$root/usr/bin/zentrik-cli" vswap export-wall "$gamedata/wl1/VSWAP.WL1" 0 "$scratch/wall.bmp" ||
        fail "the installed CLI did not find its palette"
fi

QT_QPA_PLATFORM=offscreen ZENTRIK_CLOSE_AFTER_MS=1500 "$root/usr/bin/zentrik" ||
    fail "the installed editor did not start and close cleanly"
[ -f "$HOME/.config/Zentrik/Zentrik.ini" ] || fail "no settings file below HOME"
[ -f "$HOME/.config/Zentrik/extensions.txt" ] || fail "no writable extension table below HOME"
[ -d "$HOME/.config/Zentrik/palette" ] || fail "no writable palette folder below HOME"
after=$(cd "$root" && find . | sort | md5sum)
[ "$before" = "$after" ] || fail "the editor wrote into the installation"
chmod -R u+w "$root"
echo "install test: 1 passed, 0 failed"

#!/usr/bin/env bash
# Installs the build into a scratch tree and uses it from there, as a user
# of the installed programs would: versions, demo mode, help, desktop entry,
# and the Debian package's dependencies.
# usage: check_install.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap '[ -n "${gui:-}" ] && kill "$gui" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=/opt/quelda-test
DESTDIR="$work/dest" cmake --install "$build" --prefix "$prefix" >/dev/null
root="$work/dest$prefix"

for f in bin/quelda bin/quelda-cli bin/quelda-device \
         share/applications/quelda.desktop \
         share/icons/hicolor/scalable/apps/quelda.svg \
         share/icons/hicolor/16x16/apps/quelda.png \
         share/icons/hicolor/48x48/apps/quelda.png \
         share/icons/hicolor/256x256/apps/quelda.png \
         share/quelda/help/help.html share/quelda/demo/QUELDA.INI \
         share/quelda/demo/device \
         share/man/man1/quelda.1 share/man/man1/quelda-cli.1 share/man/man1/quelda-device.1; do
  [ -e "$root/$f" ] || fail "$f is not installed"
done
[ -e "$root/bin/help" ] && fail "the help page landed in bin/"

export HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" && mkdir -m 700 -p "$XDG_RUNTIME_DIR"

# one version, printed by all three from the installed tree
cd "$work"
v_cli=$("$root/bin/quelda-cli" --version) || fail "quelda-cli --version failed"
v_dev=$("$root/bin/quelda-device" --version) || fail "quelda-device --version failed"
v_gui=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/bin/quelda" --version) || fail "quelda --version failed"
[ "${v_cli#quelda-cli }" = "${v_dev#quelda-device }" ] || fail "versions differ: $v_cli / $v_dev"
[ "${v_cli#quelda-cli }" = "${v_gui#quelda }" ] || fail "versions differ: $v_cli / $v_gui"
grep -q "${v_cli#quelda-cli }" "$root/share/man/man1/quelda-cli.1" || fail "man page without the version"

# the installed program's default directory is the user's, not bin/
echo quit | "$root/bin/quelda-cli" monitor --port "$work/none" >/dev/null 2>&1 || true
[ -d "$XDG_DATA_HOME/Quelda" ] || fail "quelda-cli did not use the user's data folder"

# demo mode from the installed tree, started from an unrelated folder
QT_QPA_PLATFORM=offscreen "$root/bin/quelda" --demo >"$work/gui.log" 2>&1 &
gui=$!
for _ in $(seq 1 100); do
  [ -f "$XDG_DATA_HOME/Quelda/demo/PSETTING.TXT" ] && break
  kill -0 "$gui" 2>/dev/null || break
  sleep 0.1
done
sleep 1
kill -0 "$gui" 2>/dev/null || { cat "$work/gui.log" >&2; fail "quelda --demo ended early"; }
[ -f "$XDG_DATA_HOME/Quelda/demo/MONITOR1.TXT" ] || fail "the demo files were not copied"
kill -TERM "$gui"
wait "$gui" || true
gui=

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/share/applications/quelda.desktop" || fail "desktop entry invalid"
fi

# the package names the libraries it links
if command -v dpkg-shlibdeps >/dev/null && command -v cpack >/dev/null; then
  (cd "$build" && cpack -G DEB -B "$work/pkg" >/dev/null 2>&1) || fail "cpack -G DEB failed"
  deb=$(ls "$work"/pkg/quelda_*_amd64.deb 2>/dev/null | head -1)
  [ -n "$deb" ] || fail "no quelda_<version>_amd64.deb"
  depends=$(dpkg-deb -f "$deb" Depends)
  for lib in libqt6widgets6 libqt6serialport6 libc6; do
    echo "$depends" | grep -q "$lib" || fail "package does not depend on $lib: $depends"
  done
  dpkg-deb -c "$deb" | grep -q "./usr/share/quelda/help/help.html" || fail "package lacks the help page"
fi
echo "installed tree OK (${v_cli#quelda-cli })"

#!/bin/sh
# Installs the build into a temporary DESTDIR and checks the installed tree:
# the files a desktop expects, the validators, and a first start of the
# installed game that keeps its data in the user's folder only.
set -eu
build=$1 validate_desktop=$2 appstreamcli=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
root=$tmp/root
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
for f in usr/libexec/tarvel/tarvel usr/libexec/tarvel/tarvel-selfplay \
         usr/libexec/tarvel/tarvel-calendar usr/libexec/tarvel/QorCalendar01.rcc \
         usr/libexec/tarvel/tarvel-installed \
         usr/share/applications/tarvel.desktop \
         usr/share/metainfo/io.github.tarvel.tarvel.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/tarvel.svg \
         usr/share/icons/hicolor/16x16/apps/tarvel.png \
         usr/share/icons/hicolor/256x256/apps/tarvel.png \
         usr/share/man/man6/tarvel.6 usr/share/man/man6/tarvel-selfplay.6 \
         usr/share/man/man6/tarvel-calendar.6 usr/share/man/man6/tarvel-services.6 \
         usr/libexec/tarvel/tarvel-services usr/libexec/tarvel/tarvel-photo-ftp.py \
         usr/libexec/tarvel/QorCGraph1.rcc \
         usr/libexec/tarvel/Tarvel.clb usr/libexec/tarvel/help/Tarvel_Eng.html \
         usr/libexec/tarvel/QorRadio.rad usr/libexec/tarvel/QorRadio02.rcc \
         usr/libexec/tarvel/radio/Tarvel_FM~Easy_Listening.mp3; do
  [ -e "$root/$f" ] || fail "$f is not installed"
done
for p in tarvel tarvel-selfplay tarvel-calendar; do
  [ "$(readlink "$root/usr/bin/$p")" = "../libexec/tarvel/$p" ] || fail "usr/bin/$p is not a link to the program"
done
"$validate_desktop" "$root/usr/share/applications/tarvel.desktop"
"$appstreamcli" validate --no-net "$root/usr/share/metainfo/io.github.tarvel.tarvel.metainfo.xml" >/dev/null
grep -q "^Exec=tarvel$" "$root/usr/share/applications/tarvel.desktop" || fail "launcher does not run tarvel"

# A first start through the bin link, as a user who cannot write the
# installed tree (an unprivileged account when the test runs as root).
home=$tmp/home
mkdir -p "$home"
before=$(cd "$root" && find . | sort | md5sum)
run() { "$@"; }
if [ "$(id -u)" -eq 0 ]; then
  chmod 0777 "$tmp" "$home"
  chmod 0755 "$root"
  run() { setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; }
else
  chmod -R a-w "$root/usr"
fi
run env HOME="$home" XDG_DATA_HOME="$home/data" QT_QPA_PLATFORM=offscreen \
  "$root/usr/bin/tarvel" --screenshot "$home/menu.png" --after menu >/dev/null
[ -s "$home/menu.png" ] || fail "no screenshot of the menu"
[ -f "$home/data/Qor/Tarvel/Tarvel.ini" ] || fail "settings not in the XDG data folder"
after=$(cd "$root" && find . | sort | md5sum)
[ "$before" = "$after" ] || fail "the installed tree changed"
[ "$(id -u)" -eq 0 ] || chmod -R u+w "$root/usr"
echo "installed tree ok"

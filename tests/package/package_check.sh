#!/usr/bin/env bash
# Builds the Debian package in its own folder, checks it with lintian (no error, no warning, no
# missing hardening), installs it on this machine with dpkg, checks the installed copy from a
# folder of no importance, and removes the package again.
#   tests/package/package_check.sh [BUILD_DIR]        (default: build-package)
set -euo pipefail
cd "$(dirname "$0")/../.."
repo=$PWD

fail() { echo "FAIL: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || fail "installing a package needs root"
if dpkg-query -W -f='${Status}' vesmer 2>/dev/null | grep -q "install ok installed"; then
    fail "a vesmer package is already installed; remove it first (dpkg -r vesmer)"
fi

deb=$(scripts/package.sh "${1:-build-package}" | tail -n 1)
version=$(dpkg-deb -f "$deb" Version)
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "no library dependencies: $deb"
status=0
hints=$(lintian -I --pedantic "$deb" 2>&1) || status=$?
# Lintian warns that it runs as root, which installing the package needs anyway.
hints=$(grep -v '^running with root privileges' <<<"$hints" || true)
[ -z "$hints" ] || echo "$hints"
! grep -qE '^[EW]: |hardening-no-' <<<"$hints" || fail "lintian: error, warning or missing hardening"
[ "$status" -eq 0 ] || fail "lintian ended with status $status"
work=$(mktemp -d)
dpkg -i "$deb" >/dev/null
trap 'dpkg -r vesmer >/dev/null; rm -rf "$work"' EXIT

cd "$work"
[ "$(/usr/bin/vesmer-cli --version)" = "vesmer-cli $version" ] || fail "vesmer-cli --version"
/usr/bin/vesmer-cli --resume wareki --pdf "$work/学歴.pdf" && [ "$(head -c 5 "$work/学歴.pdf")" = "%PDF-" ] ||
    fail "vesmer-cli --pdf"
bindir=$(dirname "$(readlink -f "$(command -v vesmer)")")
[ -x "$bindir/Tosvel" ] || fail "no Tosvel beside vesmer in $bindir"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY vesmer --version)" = "vesmer $version" ] ||
    fail "vesmer --version"
[ "$("$bindir/Tosvel" --to-wareki 1989-01-08)" = "平成元年1月8日" ] || fail "Tosvel --to-wareki"
desktop-file-validate /usr/share/applications/vesmer.desktop /usr/share/applications/tosvel.desktop
appstreamcli validate --no-net --strict /usr/share/metainfo/org.example.vesmer.metainfo.xml \
    >/dev/null || fail "metainfo"
for file in share/man/man1/vesmer.1.gz share/man/man1/vesmer-cli.1.gz share/man/man1/Tosvel.1.gz \
    share/doc/vesmer/copyright share/doc/vesmer/changelog.gz share/icons/hicolor/scalable/apps/tosvel.svg \
    share/icons/hicolor/48x48/apps/tosvel.png share/icons/hicolor/48x48/apps/vesmer.png; do
    [ -s "/usr/$file" ] || fail "missing /usr/$file"
done
for program in /usr/bin/vesmer-cli "$bindir/Tosvel" /usr/bin/vesmer; do
    "$repo/tests/package/manpage_check.py" "$program" "/usr/share/man/man1/$(basename "$program").1.gz" ||
        fail "manual page of $program"
done

dpkg -r vesmer >/dev/null
trap 'rm -rf "$work"' EXIT
[ ! -e /usr/bin/vesmer ] && [ ! -e /usr/bin/Tosvel ] || fail "the package was not removed"
echo "package check passed: $(basename "$deb") installed, checked and removed"

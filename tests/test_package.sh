#!/usr/bin/env bash
# Builds the Debian package from a build folder, checks it with lintian (any tag fails),
# unpacks it into a temporary root, checks what it holds, asks both unpacked programs for
# their help and version, and runs the unpacked orvanth-tour from there for one item.
#
#   tests/test_package.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
src=$(cd "$2" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() {
  echo "test_package: FAIL: $*" >&2
  exit 1
}
for tool in cpack dpkg-deb appstreamcli desktop-file-validate lintian man; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (tools/install-deps.sh installs it)"
done

# Only what the package holds is built; an up-to-date folder builds nothing.
cmake --build "$build" --target orvanth orvanth-tour orvanth_media orvanth_icons orvanth_docs >/dev/null
(cd "$build" && cpack -G DEB -B "$tmp/out" >"$tmp/cpack.log" 2>&1) || {
  cat "$tmp/cpack.log" >&2
  fail "cpack failed"
}
debs=("$tmp"/out/orvanth_*.deb)
[ -f "${debs[0]}" ] || fail "no orvanth_*.deb was made"
deb=${debs[0]}

# The control fields: the runtime pieces the programs load by name, not by linking.
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libqt6multimedia6 qt6-qpa-plugins fonts-ipafont-gothic; do
  grep -q "$dep" <<<"$depends" || fail "Depends lacks $dep: $depends"
done

# Debian's own checks: not one error, warning or other tag of the default level.
status=0
lintian --tag-display-limit 0 --fail-on error,warning "$deb" >"$tmp/lintian.log" 2>"$tmp/lintian.err" ||
  status=$?
if [ "$status" -ne 0 ] || [ -s "$tmp/lintian.log" ]; then
  cat "$tmp/lintian.log" "$tmp/lintian.err" >&2
  fail "lintian reports tags"
fi

root="$tmp/root"
dpkg-deb -x "$deb" "$root"
app=org.orvanth.Orvanth
for f in usr/lib/orvanth/orvanth usr/lib/orvanth/orvanth-tour \
  usr/share/applications/$app.desktop usr/share/metainfo/$app.metainfo.xml \
  usr/share/icons/hicolor/48x48/apps/$app.png usr/share/icons/hicolor/256x256/apps/$app.png; do
  [ -f "$root/$f" ] || fail "the package lacks /$f"
done
for d in Light Material wave; do
  [ -n "$(ls -A "$root/usr/lib/orvanth/$d" 2>/dev/null)" ] || fail "the package lacks the media folder $d"
done
for link in orvanth orvanth-tour; do
  [ -L "$root/usr/bin/$link" ] || fail "/usr/bin/$link is not a link"
  [ "$(readlink "$root/usr/bin/$link")" = "../lib/orvanth/$link" ] || fail "/usr/bin/$link points elsewhere"
done
[ -x "$root/usr/lib/orvanth/orvanth" ] || fail "orvanth is not executable"
# Nothing of the build folder or the test programs goes into the package.
if dpkg-deb -c "$deb" | grep -E 'test_|orvanth-bench|orvanth-shots|mediagen|icongen' >&2; then
  fail "the package holds build or test programs"
fi

desktop-file-validate "$root/usr/share/applications/$app.desktop" >"$tmp/desktop.log" 2>&1 || {
  cat "$tmp/desktop.log" >&2
  fail "desktop-file-validate"
}
grep -q '^Name\[ja\]=' "$root/usr/share/applications/$app.desktop" || fail "no Japanese name"
grep -q '^Categories=Education;Science;Chemistry;' "$root/usr/share/applications/$app.desktop" ||
  fail "categories"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app.metainfo.xml" >"$tmp/as.log" 2>&1 || {
  cat "$tmp/as.log" >&2
  fail "appstreamcli validate"
}

# The changelog names the package's version, and the manual pages describe every option
# the programs' own help lists.
version=$(dpkg-deb -f "$deb" Version)
head -n1 < <(zcat "$root/usr/share/doc/orvanth/changelog.gz") | grep -qF "orvanth ($version)" ||
  fail "the changelog's last entry is not version $version"
for prog in orvanth orvanth-tour; do
  out=$("$root/usr/bin/$prog" --version) || fail "$prog --version failed"
  [ "$out" = "$prog $version" ] || fail "$prog --version says: $out"
  help=$("$root/usr/bin/$prog" --help) || fail "$prog --help failed"
  grep -q "^usage: $prog" <<<"$help" || fail "$prog --help prints no usage"
  page=$(MANWIDTH=200 man -l "$root/usr/share/man/man1/$prog.1.gz" 2>/dev/null | col -b) ||
    fail "the manual page of $prog does not format"
  for opt in $(grep -oE -- '--[a-z][a-z-]+' <<<"$help" | sort -u); do
    grep -qF -- "$opt" <<<"$page" || fail "the manual page of $prog lacks $opt"
  done
  set +e
  "$root/usr/bin/$prog" --no-such-option >/dev/null 2>"$tmp/bad.err"
  status=$?
  set -e
  [ "$status" -eq 2 ] || fail "$prog --no-such-option exits with $status, not 2"
  grep -q "no-such-option" "$tmp/bad.err" || fail "$prog does not name the unknown option"
done

# The unpacked tour, through its link, finds the media beside the real executable.
QT_QPA_PLATFORM=offscreen "$root/usr/bin/orvanth-tour" --out "$tmp/tour" --items L5 --scale 1 \
  >"$tmp/tour.log" 2>&1 || {
  cat "$tmp/tour.log" >&2
  fail "the unpacked orvanth-tour failed"
}
[ -f "$tmp/tour/index.html" ] || fail "the unpacked tour wrote no index.html"
[ -f "$tmp/tour/1/frmStart/ready.png" ] || fail "the unpacked tour drew no start window"
ls "$tmp/tour/1/Iro/"*.png >/dev/null 2>&1 || fail "the unpacked tour drew no step of item 5"
echo "test_package: ok ($(basename "$deb"), $(dpkg-deb -c "$deb" | wc -l) entries)"

#!/usr/bin/env bash
# The web edition: the tour writes it for two items, its faults end in one line and exit
# code 1 with no page left that looks complete, and headless Chromium plays it from the
# file system (tests/test_web.py).
#
#   tests/test_web.sh BUILD_DIR SOURCE_DIR [SHOTS_DIR]
set -euo pipefail
build=$(cd "$1" && pwd)
src=$(cd "$2" && pwd)
shots=${3:-}
tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
fail() {
  echo "test_web: FAIL: $*" >&2
  exit 1
}
for tool in ffmpeg ffprobe chromium chromedriver /usr/bin/python3; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (tools/install-deps.sh installs it)"
done
/usr/bin/python3 -c 'import selenium' 2>/dev/null || fail "python3-selenium is not installed"
tour="$build/bin/orvanth-tour"
[ -x "$tour" ] || fail "no $tour"
export ASAN_OPTIONS=detect_leaks=0

# One line on stderr, exit code 1, and no index.html.
expect_fault() {
  local what=$1 dir=$2
  shift 2
  local rc=0
  "$@" >"$tmp/out" 2>"$tmp/err" || rc=$?
  [ "$rc" -eq 1 ] || fail "$what: exit code $rc, not 1 ($(cat "$tmp/err"))"
  [ "$(grep -c . "$tmp/err")" -eq 1 ] || fail "$what: not one line: $(cat "$tmp/err")"
  grep -q '^orvanth-tour: error: ' "$tmp/err" || fail "$what: $(cat "$tmp/err")"
  [ ! -e "$dir/index.html" ] && [ ! -e "$dir/course.js" ] || fail "$what: a page was left in $dir"
}
cd "$build/bin"
touch "$tmp/file"
expect_fault "a file as the folder" "$tmp/file" "$tour" --web "$tmp/file/site" --items L5
mkdir "$tmp/locked" && chmod a-w "$tmp/locked"
if [ "$(id -u)" -ne 0 ]; then
  expect_fault "an unwritable folder" "$tmp/locked" "$tour" --web "$tmp/locked" --items L5
fi
expect_fault "no ffmpeg" "$tmp/none" env PATH=/nonexistent "$tour" --web "$tmp/none" --items L1
mkdir -p "$tmp/fake"
printf '#!/bin/sh\necho "fake encoder: broken" >&2\nexit 1\n' >"$tmp/fake/ffmpeg"
chmod +x "$tmp/fake/ffmpeg"
expect_fault "ffmpeg failing" "$tmp/broken" env PATH="$tmp/fake:$PATH" "$tour" --web "$tmp/broken" --items L1
grep -q 'fake encoder: broken' "$tmp/err" || fail "ffmpeg's own words are not told: $(cat "$tmp/err")"
[ ! -d "$tmp/broken/1.5" ] || fail "a failed run left its pictures"

# The site of four items (the stars, a judged question, a yes/no prompt, a quiz in the
# input box), then the browser.
"$tour" --web "$tmp/site" --items L1,L2,L3,L5 >"$tmp/out" 2>"$tmp/err" || {
  cat "$tmp/err" >&2
  fail "the tour could not write the site"
}
grep -q 'web edition of' "$tmp/out" || fail "no summary: $(cat "$tmp/out")"
for f in index.html course.js orvanth.js orvanth.css; do
  [ -s "$tmp/site/$f" ] || fail "no $f"
done
# Nothing is fetched from elsewhere and nothing is stored.
if grep -nE 'https?://|//[a-z0-9.-]+\.[a-z]{2,}/|localStorage|sessionStorage|indexedDB|document\.cookie' \
  "$tmp/site/index.html" "$tmp/site/orvanth.js" "$tmp/site/orvanth.css"; then
  fail "the page reaches out of the site or stores something"
fi
# The stars of the introduction: a video as long as the step, H.264 in MP4 in yuv420p.
video="$tmp/site/1.5/Intro/1-01.mp4"
[ -s "$video" ] || fail "no video of Intro 1-01"
probe=$(ffprobe -v error -select_streams v:0 -show_entries stream=codec_name,pix_fmt,width,height -of csv=p=0 "$video")
[ "$probe" = "h264,960,600,yuv420p" ] || fail "Intro 1-01 is $probe"
[ ! -e "$tmp/site/1.5/Kika/1-06.mp4" ] || [ -s "$tmp/site/1.5/Kika/1-06.mp4" ] || fail "an empty video"
# Its last frame is the step's picture (as near as H.264 gets).
ffmpeg -v error -sseof -0.1 -i "$video" -frames:v 1 -update 1 -y "$tmp/last.png"
psnr=$(ffmpeg -i "$tmp/last.png" -i "$tmp/site/1.5/Intro/1-01.png" -lavfi psnr -f null - 2>&1 |
  sed -n 's/.*average:\([0-9.inf]*\).*/\1/p')
awk -v p="$psnr" 'BEGIN { exit !(p == "inf" || p + 0 >= 30) }' || fail "the last frame is not the picture (PSNR $psnr)"

/usr/bin/python3 "$src/tests/test_web.py" "$tmp/site" ${shots:+"$shots"}
echo "test_web: the site, its faults and the browser hold"

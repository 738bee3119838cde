#!/usr/bin/env bash
# Smoke test of the program on a real X server, started the way scripts/run starts it (scripts/start-program with
# the unit emulator as COM1): its main window appears on the screen and it saves a screenshot of the same size.
# Usage: app_smoke.sh BUILD_DIR (DISPLAY must name the server; without it the test is skipped).
set -uo pipefail
build=$1
root=$(cd "$(dirname "$0")/../../.." && pwd)
if [[ -z "${DISPLAY:-}" ]]; then
  echo "SKIP: no DISPLAY (scripts/test runs this under Xvfb)"
  exit 77
fi
command -v xdotool >/dev/null || { echo "FAIL: xdotool is missing (scripts/install-deps installs it)"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$root/scripts/start-program" "$build" --screenshot "$work/main.png" >"$work/out" 2>&1 &
pid=$!
window=""
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name '^Orvane' 2>/dev/null | head -n 1)
  [[ -n "$window" ]] && break
  sleep 0.1
done
[[ -n "$window" ]] && eval "$(xdotool getwindowgeometry --shell "$window")"  # WIDTH HEIGHT
wait "$pid"
status=$?
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
((status == 0)) || fail "start-program ended with status $status"
[[ -n "$window" ]] || fail "no visible X window whose name starts with 'Orvane'"
grep -q 'the unit emulator plays COM1' "$work/out" || fail "the unit emulator did not play COM1"
if [[ -s "$work/main.png" ]]; then
  # A PNG's width and height are the big-endian words at bytes 16 and 20.
  read -r pngWidth pngHeight < <(od -An -tu1 -j16 -N8 "$work/main.png" |
    awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4, $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }')
  [[ -z "$window" || "$pngWidth $pngHeight" == "$WIDTH $HEIGHT" ]] ||
    fail "the screenshot is ${pngWidth}x$pngHeight, the X window ${WIDTH}x$HEIGHT"
else
  fail "no screenshot was saved"
fi
if ((failures)); then
  echo "--- output"; cat "$work/out"
  exit 1
fi
echo "PASS"

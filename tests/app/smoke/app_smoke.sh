#!/usr/bin/env bash
# Smoke test of the program on a real X server, started the way scripts/run starts it (scripts/start-program with
# the unit emulator as COM1): its main window appears on the screen and it saves a screenshot of the same size.
# Then once more on a private X server that is killed under it: it ends with a message and status 1, no hang.
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
serverPid=
trap '[[ -n "$serverPid" ]] && kill "$serverPid" 2>/dev/null; rm -rf "$work"' EXIT
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

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
serverPid=$!
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
private=":$(tr -d '[:space:]' <"$work/display")"
DISPLAY=$private "$root/scripts/start-program" "$build" >"$work/lost" 2>&1 &
pid=$!
window=""
for _ in $(seq 150); do
  window=$(DISPLAY=$private xdotool search --onlyvisible --name '^Orvane' 2>/dev/null | head -n 1)
  [[ -n "$window" ]] && break
  sleep 0.1
done
[[ -n "$window" ]] || fail "the program did not show its window on the private X server"
kill -KILL "$serverPid"; wait "$serverPid" 2>/dev/null; serverPid=
for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
  fail "the program was still running 20 s after its X server was killed"
  # The program only, so start-program still stops the emulator and removes its link.
  kill -KILL $(ps -o pid=,comm= --ppid "$pid" | awk '$2 == "overlay-config" { print $1 }') 2>/dev/null
  wait "$pid"
else
  wait "$pid"
  status=$?
  ((status == 1)) || fail "the program ended with status $status, not 1, when its X server was killed"
  grep -q 'overlay-config: the connection to the X display .* was lost' "$work/lost" ||
    fail "the program said nothing about the lost display"
fi

if ((failures)); then
  echo "--- output"; cat "$work/out"
  [[ -e "$work/lost" ]] && { echo "--- after the X server was killed"; cat "$work/lost"; }
  exit 1
fi
echo "PASS"

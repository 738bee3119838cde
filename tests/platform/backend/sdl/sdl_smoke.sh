#!/usr/bin/env bash
# Smoke test of the SDL driver on a real X server: the demo's window is where the window manager put it and the
# screen shows what it painted; a synthetic click in its panel arrives as WM_LBUTTONDOWN at the right point; the
# pointer moved off every window reaches the panel as WM_MOUSELEAVE, and GetCursorPos then answers the desktop's
# pointer position; a window made later and shown without activation leaves the keyboard focus on the demo and shows
# above it until SetWindowPos sends it to the bottom, after which the pointer's leaving is still heard; when its X
# server (a private one) is killed, the demo ends with a message and status 1 instead of crashing or hanging.
# Usage: sdl_smoke.sh CLASSIC_DEMO XWD_PIXELS (DISPLAY must name the server; without it the test is skipped).
set -uo pipefail
demo=$1 pixels=$2
if [[ -z "${DISPLAY:-}" ]]; then
  echo "SKIP: no DISPLAY (scripts/test runs this under Xvfb)"
  exit 77
fi
for tool in xdotool xwd; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps installs it)"; exit 1; }
done

work=$(mktemp -d)
demoPid=
serverPid=
cleanup() {
  [[ -n "$demoPid" ]] && kill "$demoPid" 2>/dev/null && wait "$demoPid" 2>/dev/null
  [[ -n "$serverPid" ]] && kill "$serverPid" 2>/dev/null && wait "$serverPid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# waitFor SECONDS COMMAND...: polls until the command succeeds.
waitFor() {
  local deadline=$((SECONDS + $1)); shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

# The X libraries keep allocations for the life of the process; the leak check is for our own code's tests.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" "$demo" --quit-after 60000 >"$work/out" 2>"$work/err" &
demoPid=$!
if ! waitFor 30 grep -q '^READY$' "$work/out"; then
  echo "FAIL: the demo did not come up"; cat "$work/out" "$work/err"; exit 1
fi
window=$(xdotool search --onlyvisible --name '^Classic demo$' | head -n 1)
[[ -n "$window" ]] || { echo "FAIL: no visible X window named 'Classic demo'"; exit 1; }

echo "== the window and what it shows"
read -r _ left top right bottom < <(grep '^WINDOW ' "$work/out")
eval "$(xdotool getwindowgeometry --shell "$window")"  # X Y WIDTH HEIGHT
[[ "$X $Y $WIDTH $HEIGHT" == "$left $top $((right - left)) $((bottom - top))" ]] ||
  fail "the X window is at $X,$Y size ${WIDTH}x$HEIGHT, the window manager has $left,$top to $right,$bottom"
xwd -root -silent >"$work/screen.xwd" || fail "xwd could not read the screen"
mapfile -t probes < <(grep '^PROBE ' "$work/out")
coordinates=()
for probe in "${probes[@]}"; do
  read -r _ _ x y _ <<<"$probe"
  coordinates+=("$x" "$y")
done
mapfile -t shown < <("$pixels" "$work/screen.xwd" "${coordinates[@]}")
for i in "${!probes[@]}"; do
  read -r _ name x y painted <<<"${probes[$i]}"
  [[ "${shown[$i]:-}" == "$painted" ]] || fail "$name at $x,$y: the screen shows ${shown[$i]:-nothing}, the window has $painted"
done
read -r _ left top width height painted < <(grep '^DIGEST ' "$work/out")
shown=$("$pixels" "$work/screen.xwd" --digest "$left" "$top" "$width" "$height")
[[ "$shown" == "$painted" ]] || fail "the window's pixels on the screen differ from what it painted (digest $shown, not $painted)"
# The panel paints a colour no system colour has, so finding it proves the pixels came from the demo.
grep -q '^PROBE panel .* 309060$' "$work/out" || fail "the panel was not painted in its colour"

echo "== a click in the panel"
read -r _ panelLeft panelTop panelRight panelBottom < <(grep '^PANEL ' "$work/out")
clickX=$((panelLeft + 37)) clickY=$((panelTop + 21))
xdotool mousemove "$clickX" "$clickY" click 1
expected="WM_LBUTTONDOWN 37 21"
waitFor 10 grep -q "^$expected\$" "$work/out" ||
  fail "clicked the panel ($panelLeft,$panelTop to $panelRight,$panelBottom) at $clickX,$clickY; expected '$expected', the demo printed: $(grep WM_LBUTTONDOWN "$work/out" | tr '\n' ' ')"

waitFor 10 grep -q '^OVERLAY ' "$work/out" || fail "the first click made no overlay window"
focus=$(xdotool getwindowfocus)
[[ "$focus" == "$window" ]] || fail "the overlay shown with SW_SHOWNOACTIVATE took the keyboard focus (X window $focus)"

# leaveCheck COUNT: the pointer enters the panel and leaves for the bare desktop; the demo must have printed COUNT
# WM_MOUSELEAVE lines with the desktop's pointer position.
leaveCheck() {
  xdotool mousemove "$((panelLeft + 40))" "$((panelTop + 30))"
  sleep 0.3
  xdotool mousemove 1250 1000
  waitFor 10 test "$(grep -c '^WM_MOUSELEAVE 1250 1000$' "$work/out")" -ge "$1" ||
    fail "moved the pointer off the window; expected WM_MOUSELEAVE 1250 1000 ($1 in all), the demo printed: $(grep WM_MOUSELEAVE "$work/out" | tr '\n' ' ')"
}

echo "== the pointer leaves for the bare desktop"
leaveCheck 1

echo "== stacking"
# shownAt X Y: the colour the screen shows there.
shownAt() {
  xwd -root -silent >"$work/now.xwd" && "$pixels" "$work/now.xwd" "$1" "$2"
}
read -r _ overlayX overlayY < <(grep '^OVERLAY ' "$work/out")
waitFor 10 test "$(shownAt "$overlayX" "$overlayY")" == C03090 ||
  fail "the overlay window made last does not show above the panel at $overlayX,$overlayY: $(shownAt "$overlayX" "$overlayY")"
xdotool mousemove "$clickX" "$clickY" click 1
waitFor 10 grep -q '^RESTACKED ' "$work/out" || fail "the second click did not restack"
waitFor 10 test "$(shownAt "$overlayX" "$overlayY")" == 309060 ||
  fail "after SetWindowPos HWND_BOTTOM the overlay still shows at $overlayX,$overlayY: $(shownAt "$overlayX" "$overlayY")"
focus=$(xdotool getwindowfocus)
[[ "$focus" == "$window" ]] || fail "restacking without activation moved the keyboard focus (X window $focus)"
echo "== the pointer leaves again after the restack"
leaveCheck 2

echo "== the X server killed under the demo"
kill "$demoPid" 2>/dev/null; wait "$demoPid" 2>/dev/null; demoPid=
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
serverPid=$!
if waitFor 10 test -s "$work/display"; then
  DISPLAY=":$(tr -d '[:space:]' <"$work/display")" ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
    "$demo" --quit-after 60000 >"$work/lost-out" 2>"$work/lost-err" &
  demoPid=$!
  if waitFor 30 grep -q '^READY$' "$work/lost-out"; then
    kill -KILL "$serverPid"; wait "$serverPid" 2>/dev/null; serverPid=
    if waitFor 20 eval '! kill -0 "$demoPid" 2>/dev/null'; then
      wait "$demoPid"; status=$?; demoPid=
      ((status == 1)) || fail "the demo ended with status $status, not 1, when its X server was killed"
      grep -q 'connection to the X display .* was lost' "$work/lost-err" ||
        fail "the demo said nothing about the lost display on standard error"
      ! grep -qiE 'sanitizer|segmentation|abort' "$work/lost-err" || fail "the demo crashed when its X server was killed"
    else
      fail "the demo was still running 20 s after its X server was killed"
    fi
  else
    fail "the demo did not come up on the private X server"
  fi
else
  fail "no private X server started"
fi

if ((failures)); then
  echo "--- demo output"; cat "$work/out" "$work/err"
  [[ -e "$work/lost-err" ]] && { echo "--- after the X server was killed"; cat "$work/lost-out" "$work/lost-err"; }
  exit 1
fi
echo "PASS"

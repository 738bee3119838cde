#!/usr/bin/env bash
# Start-up against a bare SDL2 window, paired run by run under one private Xvfb server: each run starts the
# program (with the unit emulator as COM1, as scripts/start-program does) and the bare window, in alternating
# order, and times each from its start to its first frame on the server (first-frame-probe, preloaded). Prints
# every pair, then the median of each, the median of the per-run ratios and the program's largest peak RSS.
#   bench/startup/startup-ratio.sh BUILD_DIR [RUNS]    (built with -DOVERLAY_BENCH=ON; RUNS defaults to 15)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:?usage: startup-ratio.sh BUILD_DIR [RUNS]}" && pwd)
runs=${2:-15}
program="$build/app/overlay-config"
bare="$build/bench/bare-sdl-window"
probe="$build/bench/libfirst-frame-probe.so"
for file in "$program" "$bare" "$probe" "$build/tools/unit-emulator/unit-emulator"; do
  [[ -e "$file" ]] || { echo "startup-ratio: $file is not built (configure with -DOVERLAY_BENCH=ON)" >&2; exit 1; }
done
source "$root/scripts/lib/xvfb.sh"

work=$(mktemp -d)
link="$build/app/ports/com1"
emulator_pid=""
cleanup() {
  [[ -n "$emulator_pid" ]] && kill "$emulator_pid" 2>/dev/null && wait "$emulator_pid" 2>/dev/null
  [[ -n "$emulator_pid" ]] && rm -f "$link"
  rm -rf "$work"
}
trap cleanup EXIT
if [[ ! -e "$link" ]]; then
  mkdir -p "$build/app/ports"
  "$build/tools/unit-emulator/unit-emulator" --link "$link" >"$work/emulator.log" 2>&1 &
  emulator_pid=$!
  for _ in $(seq 100); do [[ -e "$link" ]] && break; sleep 0.05; done
  [[ -e "$link" ]] || { cat "$work/emulator.log"; echo "startup-ratio: the unit emulator did not start" >&2; exit 1; }
fi

# timeFirstFrame PROGRAM: prints "MICROSECONDS PEAK_KIB" from the start to the first frame, then ends the program.
timeFirstFrame() {
  local stamp="$work/frame" start pid
  rm -f "$stamp"
  start=${EPOCHREALTIME/./}
  FIRST_FRAME_FILE="$stamp" LD_PRELOAD="$probe" ASAN_OPTIONS=detect_leaks=0 "$1" >>"$work/out" 2>&1 &
  pid=$!
  for _ in $(seq 2000); do
    [[ -s "$stamp" ]] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.005
  done
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  [[ -s "$stamp" ]] || { echo "startup-ratio: $1 showed no frame" >&2; cat "$work/out" >&2; return 1; }
  read -r shown peak <"$stamp"
  echo "$((shown - start)) $peak"
}

measure() {
  local i programUs bareUs peak _
  echo "run program_ms bare_ms ratio program_peak_MiB"
  for ((i = 1; i <= runs; i++)); do
    if ((i % 2)); then
      read -r programUs peak < <(timeFirstFrame "$program")
      read -r bareUs _ < <(timeFirstFrame "$bare")
    else
      read -r bareUs _ < <(timeFirstFrame "$bare")
      read -r programUs peak < <(timeFirstFrame "$program")
    fi
    awk -v i="$i" -v p="$programUs" -v b="$bareUs" -v k="$peak" \
      'BEGIN { printf "%d %.1f %.1f %.2f %.1f\n", i, p / 1000, b / 1000, p / b, k / 1024 }'
  done
}

with_xvfb measure | tee "$work/pairs"
awk 'NR > 1 { p[NR] = $2; b[NR] = $3; r[NR] = $4; if ($5 > peak) peak = $5; n++ }
  function median(a,   k, v, m, i, j, t) {
    m = 0; for (k in a) v[++m] = a[k]
    for (i = 2; i <= m; i++) for (j = i; j > 1 && v[j - 1] > v[j]; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
    return m % 2 ? v[(m + 1) / 2] : (v[m / 2] + v[m / 2 + 1]) / 2
  }
  END {
    printf "median: program %.1f ms, bare window %.1f ms, ratio %.2f (%d runs); program peak RSS %.1f MiB\n",
      median(p), median(b), median(r), n, peak
  }' "$work/pairs"

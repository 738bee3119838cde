# Fuzzing with libFuzzer: a clang build of the libraries and the fuzz targets in build/fuzz (AddressSanitizer and
# UndefinedBehaviorSanitizer on). Sourced by scripts/fuzz and scripts/test.

fuzz_targets=(reply profile description bmp skin_bitmap theme_tables codepage)

# Configures and builds build/fuzz; false when clang is missing.
fuzz_build() {
  local root=$1
  command -v clang++ >/dev/null || { echo "clang++ is not installed: scripts/install-deps installs it" >&2; return 1; }
  CC=clang CXX=clang++ cmake -S "$root" -B "$root/build/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DOVERLAY_FUZZ=ON >/dev/null
  cmake --build "$root/build/fuzz" -j "$(nproc)"
}

# Runs one target for the given seconds over its seed corpus (an input still running after a minute counts as a
# hang: the windows of the description target take a few seconds on a loaded machine under the sanitizers); inputs it finds go to build/fuzz/corpus/TARGET (not
# into the tree), findings to build/fuzz/findings/TARGET. Fails on a finding.
fuzz_run() {
  local root=$1 target=$2 seconds=$3
  local corpus="$root/build/fuzz/corpus/$target" findings="$root/build/fuzz/findings/$target"
  mkdir -p "$corpus" "$findings"
  "$root/build/fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "$root/tests/fuzz/corpus/$target" \
    >"$root/build/fuzz/$target.log" 2>&1 || {
    tail -n 60 "$root/build/fuzz/$target.log" >&2
    echo "fuzz_$target found a fault: its input is in $findings" >&2
    return 1
  }
  local runs cov
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$root/build/fuzz/$target.log")
  cov=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$root/build/fuzz/$target.log" | tail -n 1)
  echo "fuzz_$target: $runs inputs in ${seconds}s, $cov, nothing found"
}

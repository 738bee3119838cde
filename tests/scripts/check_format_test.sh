#!/usr/bin/env bash
# The format check on a scratch tree: it names an unformatted file and fails, and passes once the file is formatted.
set -euo pipefail
source_root=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$source_root/.clang-format" "$scratch/"
cd "$scratch"
git init -q
printf 'int Twice(int value) { return value * 2; }\n' >good.cpp
printf 'int  Half( int value ){\n  return value/2;}\n' >bad.cpp
git add .
if output=$("$source_root/scripts/check-format" "$scratch" 2>&1); then
  echo "the check passed a tree with an unformatted file"; exit 1
fi
grep -q 'bad.cpp' <<<"$output" || { echo "the unformatted file is not named: $output"; exit 1; }
if grep -q 'good.cpp' <<<"$output"; then echo "a formatted file is named: $output"; exit 1; fi
clang-format -i bad.cpp
"$source_root/scripts/check-format" "$scratch" >/dev/null || { echo "the check failed a formatted tree"; exit 1; }
echo "format check: ok"

#!/bin/sh
# Builds the fuzz targets (fuzz/build.sh) and runs every file of the committed
# corpus through its target once, under AddressSanitizer and
# UndefinedBehaviorSanitizer. Fails on the first report or broken invariant.
#   fuzz/replay.sh [BUILD_DIR]    (default build-replay beside the sources)
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$source_dir/build-replay}
"$source_dir/fuzz/build.sh" "$build_dir" >/dev/null
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
for corpus in "$source_dir"/fuzz/corpus/*/; do
  target=$(basename "$corpus")
  count=$(find "$corpus" -type f | wc -l)
  # Files, not the folder: libFuzzer then runs each once and fuzzes nothing.
  if ! find "$corpus" -type f -print0 | xargs -0 "$build_dir/fuzz/fuzz_$target" >"$build_dir/replay-$target.log" 2>&1; then
    cat "$build_dir/replay-$target.log" >&2
    echo "replay of $target failed" >&2
    exit 1
  fi
  echo "$target: $count inputs replayed"
done

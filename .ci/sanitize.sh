#!/bin/sh
# The whole test suite once more under AddressSanitizer and
# UndefinedBehaviorSanitizer, in a build folder of its own; any report fails.
#   .ci/sanitize.sh [BUILD_DIR]    (default build-sanitize beside the sources)
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$source_dir/build-sanitize}
cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDEZODUVO_SANITIZE=ON \
  -DDEZODUVO_WINDOW=OFF >/dev/null
cmake --build "$build_dir" -j2
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
cd "$build_dir" && ctest -j2 --output-on-failure

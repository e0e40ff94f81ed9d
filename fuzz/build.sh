#!/bin/sh
# Builds the fuzz targets under AddressSanitizer and UndefinedBehaviorSanitizer
# into the folder given (default build-fuzz beside the sources): libFuzzer
# programs with clang++, plain replay programs with the default compiler when
# clang++ is missing or CXX names another compiler.
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$source_dir/build-fuzz}
compiler=
if [ -z "${CXX:-}" ] && command -v clang++ >/dev/null 2>&1; then compiler=-DCMAKE_CXX_COMPILER=clang++; fi
cmake -S "$source_dir" -B "$build_dir" $compiler -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDEZODUVO_FUZZ=ON -DDEZODUVO_SANITIZE=ON -DDEZODUVO_TESTS=OFF -DDEZODUVO_WINDOW=OFF >/dev/null
cmake --build "$build_dir" -j2 --target fuzz_parameters fuzz_mopac fuzz_homo_lumo fuzz_mo_text fuzz_real_text fuzz_arguments

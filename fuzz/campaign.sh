#!/bin/sh
# One fuzzing campaign: fuzz/campaign.sh TARGET SECONDS [BUILD_DIR]. New inputs
# gather in BUILD_DIR/work/TARGET, findings in BUILD_DIR/findings/TARGET; the
# committed corpus is only read. Afterwards merge what is worth keeping:
#   fuzz_TARGET -merge=1 fuzz/corpus/TARGET BUILD_DIR/work/TARGET
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
target=$1
seconds=$2
build_dir=${3:-$source_dir/build-fuzz}
work=$build_dir/work/$target
findings=$build_dir/findings/$target
mkdir -p "$work" "$findings"
dictionary=
case $target in
  mopac | homo_lumo) dictionary=-dict=$source_dir/fuzz/mopac.dict ;;
  arguments) dictionary=-dict=$source_dir/fuzz/arguments.dict ;;
esac
exec nice -n 10 "$build_dir/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -max_len=16384 \
  -print_final_stats=1 -artifact_prefix="$findings/" $dictionary "$work" "$source_dir/fuzz/corpus/$target"

#!/bin/sh
# Runs the Debian MOPAC programs on the example inputs and keeps their
# listings: NAME.mop -> NAME.out (MOPAC 22, package mopac) and
# NAME-mopac7.dat -> NAME-mopac7.OUT (MOPAC 7.01, package mopac7-bin).
# Both programs write scratch files next to their input, so they run in a
# temporary directory and only the listings come back.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
for program in mopac run_mopac7; do
  command -v "$program" >/dev/null || { echo "$0: $program is missing (apt-get install mopac mopac7-bin)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for input in "$here"/*.mop; do
  name=$(basename "$input" .mop)
  cp "$input" "$work/"
  (cd "$work" && mopac "$name.mop" >/dev/null)
  cp "$work/$name.out" "$here/$name.out"
done

for input in "$here"/*-mopac7.dat; do
  name=$(basename "$input" .dat)
  cp "$input" "$work/"
  (cd "$work" && run_mopac7 "$name" >/dev/null)
  cp "$work/$name.OUT" "$here/$name.OUT"
done

echo "Regenerated the MOPAC outputs in $here"

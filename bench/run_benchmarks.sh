#!/bin/bash
# Times the grid walk on a 60-atom molecule (the HOMO of C60) and on a small
# one (the HOMO of formaldehyde) at Scale 4, 8 and 16, Accuracy 3, threshold
# 0.05, cutoff 3.5 angstrom, and prints a markdown table: the cube-by-cube
# walk, the fast walk on one and on all threads, the sampling floor (Orbital
# once at every grid point of the box with the same side-by-side evaluator,
# one thread), triangles, output bytes per second and peak memory.
#
# The orbitals come from MOPAC (the Debian package "mopac") run here with
# PM3 ALLVEC VECTORS 1SCF. When the program's own reader cannot take that
# output, the HOMO is copied into an atom table with awk; without MOPAC the
# built-in synthetic molecules are used, and the table says so.
#
#   bench/run_benchmarks.sh [BUILD_DIR] [SCALES...]
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$source_dir/build-bench}
shift || true
scales=${*:-4 8 16}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake -S "$source_dir" -B "$build_dir" -DDEZODUVO_BENCH=ON -DDEZODUVO_TESTS=OFF -DDEZODUVO_WINDOW=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" -j2 --target dezoduvo_walk_timing >/dev/null
timer=$build_dir/bench/dezoduvo_walk_timing

write_c60() {
  printf 'PM3 ALLVEC VECTORS 1SCF\nC60, the truncated icosahedron with edges of 1.4 angstrom\n\n'
  awk '{ printf "%s %s 1 %s 1 %s 1\n", $1, $2, $3, $4 }' <<'GEOMETRY'
C -3.397871 0.000000 -0.700000
C -3.397871 0.000000 0.700000
C -2.965248 -1.132624 -1.400000
C -2.965248 -1.132624 1.400000
C -2.965248 1.132624 -1.400000
C -2.965248 1.132624 1.400000
C -2.532624 -2.265248 -0.700000
C -2.532624 -2.265248 0.700000
C -2.532624 2.265248 -0.700000
C -2.532624 2.265248 0.700000
C -2.265248 -0.700000 -2.532624
C -2.265248 -0.700000 2.532624
C -2.265248 0.700000 -2.532624
C -2.265248 0.700000 2.532624
C -1.400000 -2.965248 -1.132624
C -1.400000 -2.965248 1.132624
C -1.400000 2.965248 -1.132624
C -1.400000 2.965248 1.132624
C -1.132624 -1.400000 -2.965248
C -1.132624 -1.400000 2.965248
C -1.132624 1.400000 -2.965248
C -1.132624 1.400000 2.965248
C -0.700000 -3.397871 0.000000
C -0.700000 -2.532624 -2.265248
C -0.700000 -2.532624 2.265248
C -0.700000 2.532624 -2.265248
C -0.700000 2.532624 2.265248
C -0.700000 3.397871 0.000000
C 0.000000 -0.700000 -3.397871
C 0.000000 -0.700000 3.397871
C 0.000000 0.700000 -3.397871
C 0.000000 0.700000 3.397871
C 0.700000 -3.397871 0.000000
C 0.700000 -2.532624 -2.265248
C 0.700000 -2.532624 2.265248
C 0.700000 2.532624 -2.265248
C 0.700000 2.532624 2.265248
C 0.700000 3.397871 0.000000
C 1.132624 -1.400000 -2.965248
C 1.132624 -1.400000 2.965248
C 1.132624 1.400000 -2.965248
C 1.132624 1.400000 2.965248
C 1.400000 -2.965248 -1.132624
C 1.400000 -2.965248 1.132624
C 1.400000 2.965248 -1.132624
C 1.400000 2.965248 1.132624
C 2.265248 -0.700000 -2.532624
C 2.265248 -0.700000 2.532624
C 2.265248 0.700000 -2.532624
C 2.265248 0.700000 2.532624
C 2.532624 -2.265248 -0.700000
C 2.532624 -2.265248 0.700000
C 2.532624 2.265248 -0.700000
C 2.532624 2.265248 0.700000
C 2.965248 -1.132624 -1.400000
C 2.965248 -1.132624 1.400000
C 2.965248 1.132624 -1.400000
C 2.965248 1.132624 1.400000
C 3.397871 0.000000 -0.700000
C 3.397871 0.000000 0.700000
GEOMETRY
}

write_formaldehyde() {
  printf 'PM3 ALLVEC VECTORS 1SCF\nFormaldehyde\n\n'
  printf 'O 0.0 1 0.0 1 0.0 1\nC 1.21 1 0.0 1 0.0 1\nH 1.80 1 0.94 1 0.0 1\nH 1.80 1 -0.94 1 0.0 1\n'
}

# The HOMO of a MOPAC output as "symbol x y z s px py pz" lines.
homo_table() {
  local output=$1
  local homo
  homo=$(awk '/NO. OF FILLED LEVELS/ { print $NF }' "$output" | tail -1)
  awk -v mo="$homo" '
    /CARTESIAN COORDINATES/ { coordinates = 1; count = 0; next }
    coordinates && NF == 5 && $1 ~ /^[0-9]+$/ { count++; symbol[$1] = $2; x[$1] = $3; y[$1] = $4; z[$1] = $5; atoms = $1; next }
    coordinates && NF == 0 && count > 0 { coordinates = 0 }
    /Root No\./ { column = 0; for (i = 3; i <= NF; i++) if ($i == mo) column = i - 2; next }
    column && ($1 == "S" || $1 == "Px" || $1 == "Py" || $1 == "Pz") && NF >= 4 { value[$1, $3] = $(3 + column) }
    END {
      for (i = 1; i <= atoms; i++)
        printf "%s %s %s %s %s %s %s %s\n", symbol[i], x[i], y[i], z[i], value["S", i] + 0, value["Px", i] + 0,
               value["Py", i] + 0, value["Pz", i] + 0
    }' "$output"
}

# Prints the name the timer takes for the molecule, and notes where it came from on stderr.
prepare() {
  local name=$1 writer=$2 fallback=$3
  if command -v mopac >/dev/null; then
    (cd "$work" && $writer >"$name.mop" && mopac "$name.mop" >/dev/null 2>&1) || true
    if [ -s "$work/$name.out" ]; then
      local homo
      homo=$(awk '/NO. OF FILLED LEVELS/ { print $NF }' "$work/$name.out" | tail -1)
      if "$timer" "$work/$name.out" 1 floor 1 "$homo" >/dev/null 2>&1; then
        echo "$name: HOMO ($homo) of the MOPAC output, read by the program's reader" >&2
        echo "$work/$name.out $homo"
        return
      fi
      homo_table "$work/$name.out" >"$work/$name.atoms"
      echo "$name: HOMO ($homo) of the MOPAC output, copied into an atom table" >&2
      echo "$work/$name.atoms 1"
      return
    fi
  fi
  echo "$name: MOPAC unavailable; the built-in synthetic molecule with seeded coefficients" >&2
  echo "$fallback 1"
}

run() {  # molecule orbital scale mode [threads] -> "seconds triangles bytes peak_kib"
  "$timer" "$1" "$3" "$4" "${5:-0}" "$2"
}

echo "Machine: $(nproc) processors, $(lscpu | awk -F: '/Model name/ { gsub(/^ +/, "", $2); print $2 }'), load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "| molecule | scale | literal s | fast 1 thread s | fast all threads s | literal / fast 1 | literal / fast all | floor s | fast 1 / floor | triangles | MB/s (all threads) | peak MiB literal / fast all |"
echo "|---|---|---|---|---|---|---|---|---|---|---|---|"
for entry in "c60 write_c60 c60" "formaldehyde write_formaldehyde small"; do
  set -- $entry
  read -r molecule orbital < <(prepare "$1" "$2" "$3")
  for scale in $scales; do
    read -r literal triangles bytes literal_kib < <(run "$molecule" "$orbital" "$scale" literal)
    read -r fast1 _ _ _ < <(run "$molecule" "$orbital" "$scale" fast 1)
    read -r fastall fast_triangles fast_bytes fast_kib < <(run "$molecule" "$orbital" "$scale" fast 0)
    read -r floor _ _ _ < <(run "$molecule" "$orbital" "$scale" floor 1)
    if [ "$triangles $bytes" != "$fast_triangles $fast_bytes" ]; then
      echo "$1 at scale $scale: the walks disagree ($triangles/$bytes against $fast_triangles/$fast_bytes)" >&2
    fi
    awk -v m="$1" -v s="$scale" -v l="$literal" -v f1="$fast1" -v fa="$fastall" -v fl="$floor" -v t="$triangles" \
        -v b="$bytes" -v lk="$literal_kib" -v fk="$fast_kib" 'BEGIN {
      printf "| %s | %d | %.2f | %.3f | %.3f | %.1f | %.1f | %.3f | %.2f | %d | %.0f | %.1f / %.1f |\n",
             m, s, l, f1, fa, l / f1, l / fa, fl, f1 / fl, t, b / fa / 1e6, lk / 1024, fk / 1024 }'
  done
done

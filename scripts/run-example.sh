#!/usr/bin/env bash
# Installs what is missing, builds the command line and draws the HOMO of the
# bundled benzene example into build/example/benzene-homo.png.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target dezoduvo-cli dezoduvo
mkdir -p build/example
build/dezoduvo-cli --homo -s 8 -p data/pm3r.txt -o build/example/benzene-homo.pov --render=800x600 \
  examples/benzene.out
echo "Scene:   build/example/benzene-homo.pov"
echo "Picture: build/example/benzene-homo.png"

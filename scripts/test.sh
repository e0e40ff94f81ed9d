#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDEZODUVO_WINDOW=ON -DDEZODUVO_TESTS=ON >/dev/null
cmake --build build -j"$(nproc)"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)")

# The same suite under AddressSanitizer and UndefinedBehaviorSanitizer, then
# every input of the fuzz corpus once.
bash .ci/sanitize.sh
bash fuzz/replay.sh

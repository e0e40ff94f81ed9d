#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the fuzz
# corpus once, the suites under AddressSanitizer and UndefinedBehaviorSanitizer,
# then the suites of the ordinary build, whose summary closes the output.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash fuzz/replay.sh
bash .ci/sanitize.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDEZODUVO_WINDOW=ON -DDEZODUVO_TESTS=ON >/dev/null
cmake --build build -j"$(nproc)"
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"

#!/usr/bin/env bash
# Installs what is needed, builds the test configuration (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/check-source.sh
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

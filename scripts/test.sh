#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test with ctest; then the core tests again
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZEL_WERROR=ON -DZEL_SANITIZE=ON \
      -DZEL_BUILD_GUI=OFF >/dev/null
cmake --build build-sanitize --target zel_core_tests
ctest --test-dir build-sanitize --output-on-failure -j2 -L core

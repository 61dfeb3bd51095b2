#!/usr/bin/env bash
# Builds everything and runs the project's own tests: the framework's, the harness's, the
# reference library's and every conformance suite that the reference library must pass.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEMO_WERROR=ON "$@"
cmake --build build
ctest --test-dir build --output-on-failure

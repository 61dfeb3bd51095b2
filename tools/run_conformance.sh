#!/usr/bin/env bash
# Builds the conformance program against the reference library (or the libzemo.so given
# with -DZEMO_LIBRARY=...) and runs it; extra arguments after -- go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake_args=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do cmake_args+=("$1"); shift; done
[ "${1:-}" = "--" ] && shift
bash tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${cmake_args[@]}"
cmake --build build --target zemo_interface_test
exec ./build/bin/zemo_interface_test "$@"

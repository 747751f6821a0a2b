#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest, headless.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh

build=build/test
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"

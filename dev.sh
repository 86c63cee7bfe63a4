#!/usr/bin/env bash
# ./dev.sh editor   installs what is missing, builds, and starts the editor
# ./dev.sh test     installs what is missing, builds, and runs every test
set -euo pipefail
cd "$(dirname "$0")"

case "${1:-}" in
  editor|test) ;;
  *) echo "usage: $0 editor|test" >&2; exit 2 ;;
esac

./cmake/install-deps.sh
cmake -S . -B build
cmake --build build -j"$(nproc)"

case "$1" in
  editor)
    # The machine's settings key, which the editor's installer package writes
    # and the editor needs, in the build's own Wine prefix.
    build/wine-run reg add 'HKLM\Software\Quorel\Pellorin\Settings' /f /reg:32 >/dev/null
    exec build/wine-run build/editor/KIV.exe ;;
  test)   ctest --test-dir build --output-on-failure -j"$(nproc)" ;;
esac

#!/usr/bin/env bash
# Reports every tracked C++ file that clang-format (with the .clang-format in
# the root) would change and exits non-zero if there is one; ./test runs it
# first. Format a file with `clang-format -i FILE`.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    echo "Formatierung: kein git-Arbeitsverzeichnis, die Prüfung entfällt"
    exit 0
fi
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

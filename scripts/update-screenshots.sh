#!/usr/bin/env bash
# Refreshes the user guide's screenshots from the ones the GUI tests took in the test build
# (run `bash scripts/zentrik.sh test` first, or just the gui test program).
set -euo pipefail
cd "$(dirname "$0")/.."
from=${1:-build/test/screenshots}
[ -d "$from" ] || { echo "no screenshots in $from: run the GUI tests first" >&2; exit 1; }
mkdir -p docs/screenshots
cp "$from"/*.png docs/screenshots/
echo "copied $(ls "$from"/*.png | wc -l) screenshots into docs/screenshots"

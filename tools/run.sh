#!/usr/bin/env bash
# Builds the program and starts it in its program directory.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/tools/build.sh"
cd "$root/build/program"
exec ./qelvana "$@"

#!/usr/bin/env bash
# Fails when a C++ file under src/, tests/ or tools/ differs from what clang-format makes of it
# with the repository's .clang-format; prints the places. `clang-format -i FILE` fixes one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
format=${CLANG_FORMAT:-clang-format}
if ! command -v "$format" >/dev/null; then
  echo "check-format: $format not found (apt-get install clang-format)" >&2
  exit 2
fi
# The files git knows, so build folders and fetched sources are never read.
git ls-files -z --cached --others --exclude-standard -- 'src/*.h' 'src/*.cpp' 'tests/*.h' 'tests/*.cpp' 'tools/*.h' 'tools/*.cpp' |
  xargs -0 "$format" --style=file --dry-run --Werror
echo "check-format: every file is formatted"

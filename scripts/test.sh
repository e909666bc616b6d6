#!/usr/bin/env bash
# Builds everything twice (plain, and with AddressSanitizer + UndefinedBehaviorSanitizer)
# and runs every test in both builds, the fault-injection cases included.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
# GoogleTest comes with this machine's image; a bare Debian gets it from its packages.
if [ ! -e /usr/include/gtest/gtest.h ] && command -v apt-get >/dev/null; then
  apt-get install -y libgtest-dev >/dev/null || { apt-get update >/dev/null && apt-get install -y libgtest-dev >/dev/null; }
fi

# The tree keeps the format of .clang-format; generated tables stay as their script writes them.
if command -v clang-format >/dev/null; then
  sources=$( (git ls-files '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h') | grep -v '_generated\.')
  # shellcheck disable=SC2086  # the tree's file names have no spaces
  if ! clang-format --dry-run --Werror $sources 2>/dev/null; then
    echo "These files are not formatted as .clang-format says (clang-format -i FILE mends them):"
    clang-format --dry-run $sources 2>&1 | grep -o '^[^:]*:[0-9]*' | sort -u
    exit 1
  fi
  echo "clang-format: the tree is formatted"
else
  echo "clang-format is not installed: the format check is skipped"
fi

configure_and_test() {
  local dir=$1; shift
  cmake -S . -B "$dir" -DBUILD_TESTING=ON -DWERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  ctest --test-dir "$dir" -j"$jobs" --output-on-failure
  # Failing saves, special files, wrong switches, interrupted runs, a full disk.
  tests/fault_injection.sh "$dir"
}

configure_and_test build -DCMAKE_BUILD_TYPE=Release
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  configure_and_test build-asan -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=ON

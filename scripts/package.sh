#!/usr/bin/env bash
# Builds the programs (Release, into build-package/) and makes a Debian package of what
# `cmake --install` installs: tolvane, KORVET, rpls-dump, their man pages and the user docs.
#   scripts/package.sh        -> build-package/tv-recording-tools_VERSION_ARCH.deb
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
dir=build-package
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DWERROR=OFF >/dev/null
cmake --build "$dir" -j"$jobs" >/dev/null
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls -t "$dir"/*.deb | head -n 1)
echo "$deb"
dpkg-deb -c "$deb"

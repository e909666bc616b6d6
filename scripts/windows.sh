#!/usr/bin/env bash
# Builds tolvane.exe and KORVET.exe for 32-bit (i686) and 64-bit (x86_64) Windows with
# mingw-w64, runs every test of both builds under Wine, and checks that the Windows programs
# write the same bytes as the Linux build. Installs the cross compilers and Wine first where
# they are missing (Debian, as root).
#   scripts/windows.sh            build and test both targets
#   scripts/windows.sh --package  the same, then tolvane-KORVET-win32.zip and -win64.zip
# Ends non-zero when an install, a build, a test or a comparison fails.
#
# Some hosts run 64-bit user code only (an i386 program fails with "Exec format error"). There
# Debian's `wine` command cannot start anything, since with wine32 installed it always starts the
# 32-bit loader: the script then runs the 64-bit loader directly, tests the x86_64 build, and only
# builds and inspects the i686 one (PE32 format, system DLLs only), saying so in its last line.
# WINDOWS_64BIT_ONLY=1 takes that path on purpose, on a host that does run 32-bit code.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build-windows
package=false
[ "${1:-}" = "--package" ] && package=true
targets=(i686 x86_64)

say() { printf '\n== %s\n' "$*"; }

# --- Tools -------------------------------------------------------------------------------
need=()
for t in "${targets[@]}"; do
  command -v "$t-w64-mingw32-g++-posix" >/dev/null || need+=("g++-mingw-w64-${t//_/-}-posix")
done
command -v wine >/dev/null || need+=(wine)
dpkg -s wine64 >/dev/null 2>&1 || need+=(wine64)
dpkg -s wine32:i386 >/dev/null 2>&1 || need+=(wine32:i386)
$package && ! command -v zip >/dev/null && need+=(zip)
if [ ${#need[@]} -gt 0 ]; then
  say "Installing ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  # An index that a mirror is still syncing fails the update; the others are still read.
  apt-get update >/dev/null || echo "apt-get update reported errors; going on with the indexes it has"
  if ! apt-get install -y --no-install-recommends "${need[@]}" >/dev/null; then
    # When the i386 index of the security archive could not be read, its amd64 libraries are
    # newer than any i386 twin apt knows, and the two architectures of a library must agree:
    # take both from the main archive then.
    echo "retrying with the libraries of the main archive for both architectures"
    pin=$(mktemp)
    printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n' >"$pin"
    apt-get install -y --no-install-recommends -o Dir::Etc::Preferences="$pin" "${need[@]}" >/dev/null
    rm -f "$pin"
  fi
fi

# --- Wine ----------------------------------------------------------------------------------
# A prefix of our own inside the build folder (never one in $HOME), no debug chatter, no
# offers to install Mono or Gecko, and a locale whose code page is not 932 (the tests read
# the programs' redirected output as UTF-8).
mkdir -p "$out"
export WINEPREFIX=$out/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8
unset DISPLAY
# Wine's service processes inherit the descriptors of whoever starts them first and keep
# them open; started here with all three on /dev/null, they never hold ctest's pipes.
# (wineserver -p fails when a persistent server of this prefix runs already: that one is used.)
wineserver -p </dev/null >/dev/null 2>&1 || true
# Stop this prefix's server and whatever Wine left running in it (a prefix set-up step was seen
# spinning for half an hour after the tests), so that nothing outlives the script.
trap 'wineserver -k </dev/null >/dev/null 2>&1 || true' EXIT

# Can this host run 32-bit code? Ask the 32-bit Wine loader for its version: a kernel without
# IA-32 emulation refuses to start it ("Exec format error", status 126).
wine32_loader=/usr/lib/wine/wine
wine64_loader=/usr/lib/wine/wine64
run_32bit=true
if [ -n "${WINDOWS_64BIT_ONLY:-}" ]; then
  run_32bit=false
  no_32bit_reason="WINDOWS_64BIT_ONLY is set"
elif ! loader_says=$("$wine32_loader" --version 2>&1 </dev/null); then
  run_32bit=false
  case "$loader_says" in
    *"Exec format error"*) no_32bit_reason="this host runs no 32-bit code" ;;
    *) no_32bit_reason="the 32-bit Wine loader does not start: ${loader_says:-no answer}" ;;
  esac
fi
if $run_32bit; then
  echo "32-bit code runs on this host: both targets are tested under Wine"
  wine_run=(env "WINEPREFIX=$WINEPREFIX" WINEDEBUG=-all "WINEDLLOVERRIDES=$WINEDLLOVERRIDES" wine)
else
  echo "32-bit code is not run ($no_32bit_reason): x86_64 is tested through the 64-bit Wine loader, i686 only built"
  # The `wine` wrapper would start the 32-bit loader; the 64-bit one, started directly, needs to
  # be told where it is.
  wine_run=(env "WINEPREFIX=$WINEPREFIX" WINEDEBUG=-all "WINEDLLOVERRIDES=$WINEDLLOVERRIDES"
    "WINELOADER=$wine64_loader" "$wine64_loader")
fi
"${wine_run[@]}" cmd /c exit </dev/null >/dev/null 2>&1 || { echo "Wine cannot start a Windows program"; exit 1; }

# --- Build and test ------------------------------------------------------------------------
failed=()
build_target() {
  local t=$1 dir=$out/$1
  say "$t: GoogleTest"
  if [ ! -f "$dir/googletest/lib/cmake/GTest/GTestConfig.cmake" ]; then
    cmake -S /usr/src/googletest -B "$dir/googletest-build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$t.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON -DCMAKE_INSTALL_PREFIX="$dir/googletest" >/dev/null || return 1
    cmake --build "$dir/googletest-build" -j2 >/dev/null || return 1
    cmake --install "$dir/googletest-build" >/dev/null || return 1
  fi
  say "$t: build"
  # Tests are listed when ctest runs them (under Wine), not while building.
  cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$t.cmake" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBUILD_TESTING=ON -DWERROR=ON -DGTest_DIR="$dir/googletest/lib/cmake/GTest" \
    -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST "-DCMAKE_CROSSCOMPILING_EMULATOR=$(IFS=';'; echo "${wine_run[*]}")" \
    >/dev/null || return 1
  cmake --build "$dir" -j2 || return 1
  # Flat copies of the programs where people look for them.
  cp "$dir/info_copier/tolvane.exe" "$dir/ts_converter/KORVET.exe" "$dir/tools/rpls/rpls-dump.exe" "$dir/" || return 1
}

# The programs of a target are of its PE format and import nothing but DLLs that every Windows
# has (the C++ runtime is linked in statically).
inspect_target() {
  local t=$1 dir=$out/$1 exe format imports bad=0
  format=$([ "$t" = i686 ] && echo pei-i386 || echo pei-x86-64)
  for exe in tolvane.exe KORVET.exe rpls-dump.exe; do
    if ! "$t-w64-mingw32-objdump" -f "$dir/$exe" | grep -q "file format $format"; then
      echo "$exe ($t) is not $format"
      bad=1
    fi
    imports=$("$t-w64-mingw32-objdump" -p "$dir/$exe" | sed -n 's/^\s*DLL Name: //p' | sort -u)
    if grep -viqE '^(KERNEL32|msvcrt|SHELL32|USER32|ADVAPI32|ntdll)\.dll$' <<<"$imports"; then
      echo "$exe ($t) imports a DLL that Windows does not bring: $(tr '\n' ' ' <<<"$imports")"
      bad=1
    fi
  done
  [ $bad -eq 0 ] && echo "$t: $format programs that import only system DLLs"
  return $bad
}

test_target() {
  local t=$1 dir=$out/$1
  say "$t: tests under Wine"
  # A 32-bit program that Wine cannot start exits 0 without a word: every test program must
  # list its tests, and each program must print its banner.
  local exe listed
  for exe in $(find "$dir" -name '*_tests.exe' -not -path '*/googletest*'); do
    listed=$("${wine_run[@]}" "$exe" --gtest_list_tests </dev/null 2>&1 | grep -c '^  ' || true)
    if [ "$listed" -eq 0 ]; then
      echo "$(basename "$exe") ($t) lists no tests"
      return 1
    fi
  done
  for exe in tolvane.exe KORVET.exe; do
    if [ -z "$("${wine_run[@]}" "$dir/$exe" </dev/null 2>&1 || true)" ]; then
      echo "$exe ($t) printed nothing"
      return 1
    fi
  done
  # A fresh prefix finishes setting itself up in the background during the first runs, and a
  # test program can then lose its connection to the Wine server ("recvmsg: Connection reset
  # by peer") and fail before its first test: such a test is run again, up to three times.
  ctest --test-dir "$dir" -j2 --output-on-failure --no-tests=error --timeout 300 --repeat until-pass:3 </dev/null
}

# --- Same bytes as the Linux build ---------------------------------------------------------
linux=$root/build
compare_with_linux() {
  local t=$1 dir=$out/$1 cmp_dir=$out/compare-$1
  say "$t: outputs against the Linux build"
  rm -rf "$cmp_dir" && mkdir -p "$cmp_dir/linux" "$cmp_dir/windows"
  local ts=ts_converter/tests/data/sample.ts si=info_copier/ts/tests/data/sample_programme.ts
  local side program_dir korvet tolvane run
  for side in linux windows; do
    local o=$cmp_dir/$side
    if [ $side = linux ]; then
      korvet=("$linux/ts_converter/KORVET"); tolvane=("$linux/info_copier/tolvane")
    else
      korvet=("${wine_run[@]}" "$dir/KORVET.exe"); tolvane=("${wine_run[@]}" "$dir/tolvane.exe")
    fi
    # Every conversion: the two from 188-byte packets, then the three from 192-byte packets.
    local -a runs=(
      "-f $ts $o/sample.fw192" "-b $ts $o/sample.bd192" "-bx $ts $o/sample-x.bd192"
      "-n $o/sample.bd192 $o/back.ts" "-r $o/sample.fw192 $o/fw-to-bd.bd192" "$o/sample.bd192 $o/bd-to-fw.fw192")
    for run in "${runs[@]}"; do
      # shellcheck disable=SC2086  # the paths have no spaces
      "${korvet[@]}" $run >>"$o/korvet.log" || { echo "$side: KORVET $run failed"; return 1; }
    done
    # tolvane: copy, joined description, TS source, parameter mode with Japanese text.
    for layout in news movie plain param; do
      "$linux/tools/rpls/make_sample_rpls" "${layout/param/news}" "$o/$layout.rpls" || return 1
    done
    "${tolvane[@]}" -dtpcnbig "$o/news.rpls" "$o/movie.rpls" >>"$o/tolvane.log" &&
      "${tolvane[@]}" -x "$o/news.rpls" "$o/plain.rpls" >>"$o/tolvane.log" &&
      "${tolvane[@]}" -dtpcnbieg "$si" "$o/news.rpls" >>"$o/tolvane.log" &&
      "${tolvane[@]}" -D 2025/4/1 -T 19:00:00 -P 0:45:00 -B "ドキュメント７２時間「駅前の食堂」" \
        -I "第１回\n街の人々の７２時間を見つめる。" -C "ＮＨＫ総合・東京" -G 0x80 -G 0x0F "$o/param.rpls" \
        >>"$o/tolvane.log" || { echo "$side: a tolvane run failed"; return 1; }
  done
  local f bad=0
  for f in sample.fw192 sample.bd192 sample-x.bd192 back.ts fw-to-bd.bd192 bd-to-fw.fw192 \
    news.rpls movie.rpls plain.rpls param.rpls tolvane.log; do
    if ! cmp "$cmp_dir/linux/$f" "$cmp_dir/windows/$f"; then bad=1; fi
  done
  [ $bad -eq 0 ] && echo "all outputs identical"
  return $bad
}

say "Linux programs to compare with"
if [ ! -f "$linux/CMakeCache.txt" ]; then
  cmake -S . -B "$linux" -DBUILD_TESTING=ON -DWERROR=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$linux" -j2 --target tolvane KORVET make_sample_rpls >/dev/null

tested=() built_only=()
for t in "${targets[@]}"; do
  start=$SECONDS
  if ! build_target "$t"; then failed+=("$t build"); continue; fi
  inspect_target "$t" || failed+=("$t inspection")
  if [ "$t" = i686 ] && ! $run_32bit; then
    echo "$t: tests and comparison skipped ($no_32bit_reason)"
    built_only+=("$t")
  else
    test_target "$t" || failed+=("$t tests")
    compare_with_linux "$t" || failed+=("$t comparison")
    tested+=("$t")
  fi
  echo "$t: $((SECONDS - start)) s"
done

# --- Release archives ----------------------------------------------------------------------
if $package && [ ${#failed[@]} -eq 0 ]; then
  say "Packages"
  for t in "${targets[@]}"; do
    bits=$([ "$t" = i686 ] && echo 32 || echo 64)
    stage=$out/package-win$bits && rm -rf "$stage" && mkdir -p "$stage"
    cp "$out/$t/tolvane.exe" "$out/$t/KORVET.exe" "$stage/"
    "$t-w64-mingw32-strip" "$stage/tolvane.exe" "$stage/KORVET.exe"  # no debug information
    sed 's/$/\r/' packaging/windows-readme.txt >"$stage/readme.txt"
    rm -f "$out/tolvane-KORVET-win$bits.zip"
    (cd "$stage" && zip -q -X "$out/tolvane-KORVET-win$bits.zip" tolvane.exe KORVET.exe readme.txt)
    echo "$out/tolvane-KORVET-win$bits.zip"
  done
fi

if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
if [ ${#built_only[@]} -eq 0 ]; then
  echo "Windows builds: $(sed 's/ / and /' <<<"${tested[*]}") tested under Wine"
else
  echo "Windows builds: ${tested[*]} tested under Wine; ${built_only[*]} built, not run ($no_32bit_reason)"
fi

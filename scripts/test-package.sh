#!/usr/bin/env bash
# The installed Brix package as another program sees it: builds the two
# libraries shared (BUILD_SHARED_LIBS=ON), installs them into a temporary
# prefix, then builds and runs against that prefix only:
#   - examples/engine with find_package(Brix) and again with pkg-config,
#   - tests/package: the libraries' objects used together (links, exceptions),
#   - examples/embed, in an X server: opens the calculator, types, closes it
#     with F10 and reads the result back from the window's number field.
#   scripts/test-package.sh <build folder>
# The library build is kept in <build folder>/package-test so that a second
# run rebuilds only what changed.
set -u
src=$(cd "$(dirname "$0")/.." && pwd)
# check, run_logged, finish; the checks expect the "." region, whatever the
# caller's locale.
source "$src/tests/e2e/lib.sh"
build=$(mkdir -p "${1:?usage: test-package.sh <build folder>}" && cd "$1" && pwd)
libbuild=$build/package-test
make_work
prefix=$work/prefix

launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# ---- the shared libraries, installed ----
run_logged "$work/configure.log" cmake -S "$src" -B "$libbuild" "${launcher[@]}" \
  -DBUILD_SHARED_LIBS=ON -DBRIX_TESTS=OFF -DCMAKE_BUILD_TYPE=Release
run_logged "$work/build.log" cmake --build "$libbuild" -j 2 --target brix-core brix-controls
for component in brix-runtime brix-dev; do
  run_logged "$work/install.log" cmake --install "$libbuild" --prefix "$prefix" --component $component
done
libdir=$(dirname "$(find "$prefix" -name 'libbrix-core.so.*' -print -quit)")
check "libbrix-core.so carries the SONAME libbrix-core.so.10" \
  bash -c "objdump -p '$libdir/libbrix-core.so' | grep -q 'SONAME *libbrix-core.so.10\$'"
check "libbrix-controls.so carries the SONAME libbrix-controls.so.10" \
  bash -c "objdump -p '$libdir/libbrix-controls.so' | grep -q 'SONAME *libbrix-controls.so.10\$'"

# ---- the engine example: CMake package and pkg-config ----
run_logged "$work/engine.log" cmake -S "$src/examples/engine" -B "$work/engine" "${launcher[@]}" \
  -DCMAKE_PREFIX_PATH="$prefix"
run_logged "$work/engine.log" cmake --build "$work/engine"
out=$("$work/engine/brix-engine-example" 2 + 3 '*' 4 =)
check "engine example (CMake) shows 14.0000, not '$out'" test "$out" = 14.0000
check "engine example (CMake) uses the installed shared library" \
  bash -c "ldd '$work/engine/brix-engine-example' | grep -q '=> $libdir/libbrix-core.so.10'"

export PKG_CONFIG_PATH=$libdir/pkgconfig
read -r -a pcflags <<< "$(pkg-config --cflags --libs brix-core)"
run_logged "$work/engine-pc.log" g++ -std=c++20 -fPIC -o "$work/engine-pc" \
  "$src/examples/engine/main.cpp" "${pcflags[@]}"
out=$(LD_LIBRARY_PATH=$libdir "$work/engine-pc" 2 + 3 '*' 4 =)
check "engine example (pkg-config) shows 14.0000, not '$out'" test "$out" = 14.0000
check "brix-controls.pc names the package's version" \
  test "$(pkg-config --modversion brix-controls)" = 10.2

# ---- the two libraries used together from a program ----
run_logged "$work/boundary.log" cmake -S "$src/tests/package" -B "$work/boundary" "${launcher[@]}" \
  -DCMAKE_PREFIX_PATH="$prefix"
run_logged "$work/boundary.log" cmake --build "$work/boundary"
check "the libraries work together across their boundary" \
  env QT_QPA_PLATFORM=offscreen "$work/boundary/brix-boundary"
check "the shared libraries export only marked symbols (an internal helper stays hidden)" \
  bash -c "! nm -D --defined-only '$libdir/libbrix-core.so' | grep -q FindFunctionCode"

# ---- the embed example, in an X server ----
run_logged "$work/embed.log" cmake -S "$src/examples/embed" -B "$work/embed" "${launcher[@]}" \
  -DCMAKE_PREFIX_PATH="$prefix"
run_logged "$work/embed.log" cmake --build "$work/embed"

if ! command -v xvfb-run > /dev/null || ! command -v xdotool > /dev/null; then
  echo "FAIL: xvfb-run or xdotool is missing (scripts/install-deps.sh installs them)"
  exit 1
fi
check "embed example: the calculator's result comes back into the window" \
  bash "$src/scripts/test-package-embed.sh" "$work/embed/brix-embed-example"

finish package

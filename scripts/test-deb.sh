#!/usr/bin/env bash
# The two Debian packages that `make package` writes, checked as a user and
# another program see them:
#   - lumopocketo holds exactly the two programs (stripped), their manual
#     pages (compressed), the menu entry, the icon, the metainfo, the bash
#     completion, the copyright file and the changelog, and recommends Qt's
#     Wayland platform;
#   - libbrix-dev holds the static libraries, every installed header (no
#     folder-internal one), the CMake package and the pkg-config files, and
#     no program, its pkg-config files in the multiarch library folder;
#   - lintian finds no error and no warning in either package;
#   - its CMake and pkg-config files name no folder of the source or build
#     tree, and examples/engine builds against the package unpacked into a
#     scratch folder (not /usr), with find_package(Brix) and with pkg-config,
#     and shows 14.0000 for 2 + 3 * 4 =.
#   scripts/test-deb.sh <build folder>
set -u
src=$(cd "$(dirname "$0")/.." && pwd)
# check, run_logged, finish; the "." region and English texts.
source "$src/tests/e2e/lib.sh"
build=$(cd "${1:?usage: test-deb.sh <build folder>}" && pwd)
make_work

# The regular files and links of a package, one path a line, sorted.
contents() { dpkg-deb -c "$1" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort; }

shopt -s nullglob
program_debs=("$build"/lumopocketo_*.deb)
dev_debs=("$build"/libbrix-dev_*.deb)
if [ ${#program_debs[@]} -ne 1 ] || [ ${#dev_debs[@]} -ne 1 ]; then
  echo "FAIL: expected one lumopocketo_*.deb and one libbrix-dev_*.deb in $build"
  exit 1
fi
program_deb=${program_debs[0]}
dev_deb=${dev_debs[0]}

# ---- the program's package ----
contents "$program_deb" > "$work/program.list"
cat > "$work/program.expected" <<'EOF'
usr/bin/lumopocketo
usr/bin/lumopocketo-cli
usr/share/applications/org.lumopocketo.LumoPocketo.desktop
usr/share/bash-completion/completions/lumopocketo-cli
usr/share/doc/lumopocketo/changelog.gz
usr/share/doc/lumopocketo/copyright
usr/share/icons/hicolor/scalable/apps/lumopocketo.svg
usr/share/man/man1/lumopocketo-cli.1.gz
usr/share/man/man1/lumopocketo.1.gz
usr/share/metainfo/org.lumopocketo.LumoPocketo.metainfo.xml
EOF
check "lumopocketo holds exactly the programs and their desktop files" \
  diff -u "$work/program.expected" "$work/program.list"
check "lumopocketo is the package named lumopocketo" \
  test "$(dpkg-deb -f "$program_deb" Package)" = lumopocketo
check "lumopocketo recommends Qt's Wayland platform: $(dpkg-deb -f "$program_deb" Recommends)" \
  grep -qw qt6-wayland <<< "$(dpkg-deb -f "$program_deb" Recommends)"
mkdir -p "$work/program"
dpkg-deb -x "$program_deb" "$work/program"
for exe in lumopocketo lumopocketo-cli; do
  check "$exe is stripped" bash -c "file '$work/program/usr/bin/$exe' | grep -q ', stripped'"
done

# ---- the library's package ----
contents "$dev_deb" > "$work/dev.list"
libdir=$(sed -n 's|/libbrix-core\.a$||p' "$work/dev.list")
{
  (cd "$src/src/brix" && find . -name '*.h' ! -name '*_internal.h' | sed 's|^\./|usr/include/brix/|')
  echo usr/include/brix/version.h
  echo usr/include/brix/export.h
  for f in libbrix-core.a libbrix-controls.a pkgconfig/brix-core.pc pkgconfig/brix-controls.pc \
           cmake/Brix/BrixConfig.cmake cmake/Brix/BrixConfigVersion.cmake cmake/Brix/BrixTargets.cmake; do
    echo "$libdir/$f"
  done
  # The per-configuration part of the exported targets (BrixTargets-release.cmake, ...).
  grep "^$libdir/cmake/Brix/BrixTargets-.*\.cmake$" "$work/dev.list"
  echo usr/share/doc/libbrix-dev/changelog.gz
  echo usr/share/doc/libbrix-dev/copyright
} | sort > "$work/dev.expected"
check "libbrix-dev holds the static libraries, the installed headers, the CMake and pkg-config files" \
  bash -c "[ -n '$libdir' ] && diff -u '$work/dev.expected' '$work/dev.list'"
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
check "libbrix-dev's libraries and pkg-config files are in usr/lib/$multiarch, not in '$libdir'" \
  test "$libdir" = "usr/lib/$multiarch"
check "libbrix-dev is the package named libbrix-dev and depends on the Qt development files" \
  bash -c "[ \"\$(dpkg-deb -f '$dev_deb' Package)\" = libbrix-dev ] &&
           dpkg-deb -f '$dev_deb' Depends | grep -q qt6-base-dev"

# ---- Debian's policy checks ----
check "lintian is installed (scripts/install-deps.sh --package)" bash -c "command -v lintian > /dev/null"
for deb in "$program_deb" "$dev_deb"; do
  name=$(basename "$deb")
  # lintian fails on an error tag of its own accord; a warning only shows.
  check "lintian runs through on $name" \
    bash -c "lintian --tag-display-limit 0 '$deb' > '$work/lintian-$name.log' 2>&1"
  check "lintian finds no error or warning in $name" \
    bash -c "! grep -E '^[EW]: ' '$work/lintian-$name.log'"
  grep -E '^[EW]: ' "$work/lintian-$name.log" || true
done
check "the changelog names the packages' version" \
  bash -c "zcat '$work/program/usr/share/doc/lumopocketo/changelog.gz' | head -1 |
           grep -qF '($(dpkg-deb -f "$program_deb" Version))'"

root=$work/root
mkdir -p "$root"
dpkg-deb -x "$dev_deb" "$root"
check "the installed export header describes a static build" \
  bash -c "! grep -q '^#define BRIX_SHARED' '$root/usr/include/brix/export.h'"
check "the CMake and pkg-config files name no folder of the source or build tree" \
  bash -c "! grep -rlF -e '$src' -e '$build' '$root/$libdir/cmake' '$root/$libdir/pkgconfig'"

# ---- another program built against the unpacked package ----
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
run_logged "$work/engine.log" cmake -S "$src/examples/engine" -B "$work/engine" "${launcher[@]}" \
  -DCMAKE_PREFIX_PATH="$root/usr"
run_logged "$work/engine.log" cmake --build "$work/engine"
check "the engine example found Brix in the unpacked package" \
  grep -q "^Brix_DIR:PATH=$root/$libdir/cmake/Brix\$" "$work/engine/CMakeCache.txt"
out=$("$work/engine/brix-engine-example" 2 + 3 '*' 4 =)
check "engine example (CMake, libbrix-dev) shows 14.0000, not '$out'" test "$out" = 14.0000

read -r -a pcflags <<< "$(PKG_CONFIG_PATH=$root/$libdir/pkgconfig pkg-config --cflags --libs brix-core)"
run_logged "$work/engine-pc.log" g++ -std=c++20 -fPIC -o "$work/engine-pc" \
  "$src/examples/engine/main.cpp" "${pcflags[@]}"
out=$("$work/engine-pc" 2 + 3 '*' 4 =)
check "engine example (pkg-config, libbrix-dev) shows 14.0000, not '$out'" test "$out" = 14.0000

finish deb

#!/usr/bin/env bash
# Builds the Windows release on this Debian machine and tests it under Wine (installing what
# is missing): the unit tests, the real Win32 calculator as a user meets it, the batch tool
# byte for byte against the Linux build in every mode, and a silent install and uninstall.
# Leaves the installer and the zip in build-windows/dist/; both carry the browser edition,
# which scripts/web.sh builds (or brings up to date) on the way.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh windows
version=$(sed -n 's/^project(disc_spring VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
jobs=$(nproc)

step() { echo "windows: $*"; }
under_x() { xvfb-run -a -s "-screen 0 1024x768x24" "$@"; }

step "building with mingw-w64"
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DDISC_SPRING_BENCHMARKS=OFF \
  -DDISC_SPRING_WERROR=ON >/dev/null
cmake --build build-windows -j"$jobs"
# The Linux batch tool, to hold the Windows bytes against.
cmake -S . -B build-windows/linux -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DDISC_SPRING_UI=OFF -DDISC_SPRING_BENCHMARKS=OFF >/dev/null
cmake --build build-windows/linux -j"$jobs" --target disc-spring-batch

step "a fresh Wine prefix"
eval "$(scripts/wine-prefix.sh build-windows/wine)"

step "unit tests and the calculator window under Wine"
under_x ctest --test-dir build-windows --output-on-failure -j1

step "the batch tool's bytes against Linux"
work=build-windows/compare
rm -rf "$work" && mkdir -p "$work"
python3 scripts/random_springs.py 100000 11 >"$work/plain.tsv"
python3 scripts/random_springs.py 2000 12 --curve >"$work/curve.tsv"
python3 scripts/random_springs.py 20000 13 --force >"$work/force.tsv"
python3 scripts/random_springs.py 50000 14 --flats >"$work/flats.tsv"
python3 scripts/random_springs.py 1000 15 --flats --curve >"$work/flats-curve.tsv"
compare() {  # name, input, options...
  local name=$1 input=$2
  shift 2
  build-windows/linux/bin/disc-spring-batch "$@" "$input" >"$work/$name.linux" || true
  wine build-windows/bin/disc-spring-batch.exe "$@" "$(winepath -w "$input")" \
    >"$work/$name.windows" || true
  if ! cmp -s "$work/$name.linux" "$work/$name.windows"; then
    cmp "$work/$name.linux" "$work/$name.windows" || true
    echo "windows: the batch tool's output differs from Linux in mode '$name'" >&2
    exit 1
  fi
  echo "windows:   $name: $(wc -l <"$work/$name.linux") lines, the same bytes"
}
compare plain "$work/plain.tsv"
compare check "$work/plain.tsv" --check
compare stack "$work/plain.tsv" --series 3 --parallel 2 --check
compare curve "$work/curve.tsv" --curve 50 --check
compare curve-stack "$work/curve.tsv" --curve 20 --series 2 --parallel 4
compare force "$work/force.tsv" --force --rate --check
compare design "$work/flats.tsv" --flats --rate --series 2 --parallel 3 --friction 0.02,0.03 \
  --material 195000,0.28 --check
compare flats-curve "$work/flats-curve.tsv" --flats --curve 20 --rate --friction 0.01,0.04
compare design-file tests/curve/example.dspring --design
printf '41\t20\t1.2\t5000\n40\t20.4\t0.675\t6500\n20\t8\t0.3\t50000\n60\t\t1\t8000\t0.4\t3000\n' \
  >"$work/select.tsv"
compare select "$work/select.tsv" --select --best 20 --special 5 --dynamic

step "the installer and the zip"
scripts/web.sh --build-only  # incremental: the page of these very sources
dist=build-windows/dist
rm -rf "$dist" && mkdir -p "$dist"
cp build-web/disc-spring.html "$dist/"
for exe in disc-spring disc-spring-batch; do
  x86_64-w64-mingw32-strip -o "$dist/$exe.exe" "build-windows/bin/$exe.exe"
done
makensis -V2 -DVERSION="$version" -DDIST="$PWD/$dist" -DSOURCE="$PWD" \
  packaging/windows/disc-spring.nsi
zip="disc-spring-$version-windows-x64.zip"
(cd "$dist" && cp ../../README.md ../../LICENSE . && mkdir docs && cp ../../docs/*.md docs/ &&
  cmake -E tar cf "$zip" --format=zip disc-spring.exe disc-spring-batch.exe disc-spring.html \
    README.md LICENSE docs &&
  rm -r README.md LICENSE docs)

step "a silent install and uninstall"
installed="$WINEPREFIX/drive_c/Program Files/disc-spring"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/碟形弹簧的设计计算.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\disc-spring'
wine "$dist/disc-spring-$version-setup.exe" /S
wineserver -w
for file in disc-spring.exe disc-spring-batch.exe disc-spring.html README.md LICENSE uninstall.exe \
  docs/selection.md; do
  [ -f "$installed/$file" ] || { echo "windows: not installed: $file" >&2; exit 1; }
done
[ -f "$shortcut" ] || { echo "windows: no Start-menu entry" >&2; exit 1; }
web_shortcut="$(dirname "$shortcut")/碟形弹簧设计（浏览器）.lnk"
[ -f "$web_shortcut" ] || { echo "windows: no Start-menu entry for the browser edition" >&2; exit 1; }
cmp -s "$installed/disc-spring.html" build-web/disc-spring.html ||
  { echo "windows: the installed page is not the one built" >&2; exit 1; }
wine reg query "$key" /v DisplayName >/dev/null
answer=$(printf '100\t51\t3.5\t6.3\t1.4\n' | wine "$installed/disc-spring-batch.exe" | tr -d '\r')
[ "$answer" = "$(printf '9822.55688774516\t617.501704752074\t-1350.87984743535\t411.326288335194\t749.011484596736')" ] ||
  { echo "windows: the installed batch tool answered '$answer'" >&2; exit 1; }
wine "$installed/uninstall.exe" /S
wineserver -w
sleep 2  # the uninstaller runs again from a temporary copy
wineserver -w
if [ -e "$installed" ] || [ -e "$shortcut" ] || [ -e "$web_shortcut" ] ||
  wine reg query "$key" >/dev/null 2>&1; then
  echo "windows: the uninstaller left something behind" >&2
  exit 1
fi

step "done: $dist/disc-spring-$version-setup.exe, $dist/$zip"

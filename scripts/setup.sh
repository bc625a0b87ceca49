#!/usr/bin/env bash
# Installs what is missing on Debian 12 for one purpose:
#   setup.sh run    build and start the calculator
#   setup.sh test   also build and run the test suite and benchmarks
#   setup.sh ci     also the sanitizer and fuzzing builds (clang, MPFR for the logarithm's
#                   reference) and the format check
#   setup.sh windows  the Windows build (mingw-w64), Wine to test it, NSIS to package it
#   setup.sh page     the browser edition's page alone: emscripten and esbuild
#   setup.sh web      the browser edition: the page, and Chromium with its driver to test it
set -euo pipefail

purpose=${1:-run}
packages=(g++ cmake make help2man gettext nlohmann-json3-dev libfmt-dev libfast-float-dev qt6-base-dev qt6-svg-dev qt6-translations-l10n
          fonts-arphic-uming fonts-arphic-ukai fonts-wqy-zenhei)
case "$purpose" in
  run) ;;
  windows) packages=(g++ cmake make python3 nlohmann-json3-dev libfmt-dev libfast-float-dev g++-mingw-w64-x86-64-posix wine64 wine fonts-wine
                     nsis xvfb xauth fonts-arphic-uming fonts-arphic-ukai) ;;
  page) packages=(g++ cmake make python3 nlohmann-json3-dev libfmt-dev libfast-float-dev emscripten esbuild) ;;
  web) packages=(g++ cmake make python3 nlohmann-json3-dev libfmt-dev libfast-float-dev emscripten esbuild
                 chromium chromium-driver python3-selenium firefox-esr python3-websocket poppler-utils fonts-arphic-uming
                 fonts-arphic-ukai fonts-wqy-zenhei) ;;
  test) packages+=(libgtest-dev libbenchmark-dev poppler-utils xvfb xauth libx11-dev locales) ;;
  ci) packages+=(libgtest-dev libbenchmark-dev libmpfr-dev poppler-utils xvfb xauth libx11-dev locales
                 clang libclang-rt-14-dev clang-format-14) ;;
  *) echo "usage: $0 run|test|ci|windows|page|web" >&2; exit 2 ;;
esac

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    echo "setup: '$*' needs root, and sudo is not installed" >&2
    return 1
  fi
}

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi

# The tests prove that a comma-decimal locale changes no result; they need one installed.
if [ "$purpose" = test ] || [ "$purpose" = ci ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8 ||
    echo "setup: could not generate de_DE.UTF-8; the comma-locale tests will fail" >&2
fi

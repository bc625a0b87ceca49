#!/usr/bin/env bash
# Builds the calculator (installing what is missing) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh run
if [ ! -f build/CMakeCache.txt ]; then
  # The compiler flags of scripts/test.sh, so that running the tests afterwards compiles
  # nothing twice.
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DDISC_SPRING_BENCHMARKS=OFF \
    -DDISC_SPRING_UI=ON -DDISC_SPRING_WERROR=ON
fi
cmake --build build --target disc-spring disc-spring-curve disc-spring-batch -j"$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display to open the window on. Start it from a desktop session," >&2
  echo "     or use the batch front end: printf '100\t51\t3.5\t6.3\t1.4\n' | build/bin/disc-spring-batch" >&2
  exit 1
fi
exec build/bin/disc-spring

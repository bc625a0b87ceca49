#!/usr/bin/env bash
# Builds the browser edition on this Debian machine (installing what is missing) and tests it in
# headless Chromium and Firefox ESR: the engine's bytes against the native batch tool, the calculator and the
# design view as a user meets them, the print page, the network; lints the page's script. Leaves
# build-web/disc-spring.html.
#   scripts/web.sh               build and test
#   scripts/web.sh --build-only  build only (the Windows and Debian packages carry the page)
#   scripts/web.sh --bench       build, test, then time the first result (a benchmark, no verdict)
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = --build-only ]; then scripts/setup.sh page; else scripts/setup.sh web; fi
# emcc's optimiser needs acorn, which Debian keeps here, also when another node comes first.
export NODE_PATH=/usr/share/nodejs
jobs=$(nproc)
step() { echo "web: $*"; }
options=(-DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DDISC_SPRING_UI=OFF
         -DDISC_SPRING_BENCHMARKS=OFF -DDISC_SPRING_WERROR=ON)

step "Form1's page and the batch tool to compare with, natively"
cmake -S . -B build-web/native "${options[@]}" >/dev/null
cmake --build build-web/native -j"$jobs" --target form_page page_words disc-spring-batch

step "the engine, with emscripten"
emcmake cmake -S . -B build-web/engine "${options[@]}" >/dev/null
cmake --build build-web/engine -j"$jobs" --target disc-spring-engine disc-spring-calculator

step "the page"
build-web/native/bin/form_page >build-web/form1.html 2>build-web/form1.css
build-web/native/bin/page_words >build-web/words.json
python3 scripts/web_page.py build-web/form1.html build-web/form1.css build-web/words.json \
  build-web/engine/bin/disc-spring-engine.js build-web/engine/bin/disc-spring-engine.wasm \
  build-web/engine/bin/disc-spring-calculator.js build-web/engine/bin/disc-spring-calculator.wasm \
  build-web/disc-spring.html
size=$(stat -c %s build-web/disc-spring.html)
if [ "$size" -gt $((1536 * 1024)) ]; then
  echo "web: the page is $size bytes, more than its 1.5 MB" >&2
  exit 1
fi
if grep -q -e 'new Function' -e 'eval(' build-web/disc-spring.html; then
  echo "web: the page holds dynamic code (eval or new Function)" >&2
  exit 1
fi

if [ "${1:-}" = --build-only ]; then
  exit 0
fi
step "the page's script, linted (npm's eslint, its recommended rules); axe-core for the tests"
lint="$PWD/build-web/lint"
if [ ! -x "$lint/node_modules/.bin/eslint" ] || [ ! -f "$lint/node_modules/axe-core/axe.min.js" ]; then
  npm install --prefix "$lint" --no-save --no-audit --no-fund --loglevel=error \
    eslint@9.39 @eslint/js@9.39 globals@17 axe-core@4 >/dev/null
fi
(cd web/page && NODE_PATH="$lint/node_modules" "$lint/node_modules/.bin/eslint" \
  --config eslint.config.cjs src/*.js worker.js)

step "tests in headless Chromium and Firefox ESR, through ctest"
# Debian's python, whose selenium drives Debian's chromium.
cmake -S . -B build-web/native -DDISC_SPRING_PAGE_TESTS="$PWD/build-web/disc-spring.html" >/dev/null
ctest --test-dir build-web/native --output-on-failure -R '^(page|firefox)_test$'
if [ "${1:-}" = --bench ]; then
  /usr/bin/python3 bench/web_first_result.py build-web/disc-spring.html
fi
step "done: build-web/disc-spring.html ($size bytes)"

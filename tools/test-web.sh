#!/usr/bin/env bash
# Builds the web app into build/web (the site in build/web/site) and runs its
# tests: the case table under node through the WebAssembly build, then the
# page in headless chromium (tests/web/page_test.mjs).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh web

tools/build-web.sh
ctest --test-dir build/web --output-on-failure

# puppeteer-core drives Debian's chromium; it downloads no browser.
if [ ! tests/web/node_modules/.package-lock.json -nt tests/web/package-lock.json ]; then
  npm ci --prefix tests/web --no-audit --no-fund
fi
QUORVEL_SITE="$PWD/build/web/site" QUORVEL_CASES="$PWD/build/web/cases.json" \
  node --test --test-timeout=600000 tests/web/page_test.mjs

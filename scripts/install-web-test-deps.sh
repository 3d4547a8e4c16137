#!/bin/sh
# Installs what the browser tests need: Debian's Chromium and Node.js, and from npm playwright-core
# (it drives the installed Chromium; no browser is downloaded) and axe-core (the accessibility rules the
# page is checked against) into tests/web/node_modules.
set -eu
cd "$(dirname "$0")/.."

missing=""
dpkg-query -W -f='${Status}' chromium 2>/dev/null | grep -q "install ok installed" || missing="$missing chromium"
command -v node >/dev/null 2>&1 || missing="$missing nodejs"
command -v npm >/dev/null 2>&1 || missing="$missing npm"
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
  $sudo apt-get update -qq
  # shellcheck disable=SC2086  # one word per package
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
fi

PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm install --prefix tests/web --no-audit --no-fund --no-save --loglevel=error

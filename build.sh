#!/bin/sh
# The two everyday commands on a fresh Debian machine, make included:
#   ./build.sh run     builds and starts the game
#   ./build.sh test    builds and runs every test
# Anything else is passed to make (package, web, clean...).
set -eu
cd "$(dirname "$0")"
scripts/install-deps.sh build
exec make "$@"

#!/bin/sh
# Installs the Debian packages that building, running or testing the game needs, when missing.
#   scripts/install-deps.sh build|test|clang|mutation|desktop
#   (clang: the compiler and runtime of the sanitizer and fuzz builds; mutation: the quick relinking build of
#   scripts/mutation.py; desktop: a virtual X display and the tools that drive and photograph the real
#   program in it)
set -eu
packages="build-essential make cmake pkg-config libsdl2-dev libpng-dev"
case "${1:-build}" in
  test) packages="$packages libgtest-dev libgmock-dev openmpt123 sox" ;;
  clang) packages="$packages clang libclang-rt-14-dev" ;;
  mutation) packages="$packages libgtest-dev libgmock-dev openmpt123 sox ninja-build ccache lld" ;;
  desktop) packages="$packages xvfb xauth xdotool imagemagick" ;;
esac
missing=""
for package in $packages; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing="$missing $package"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing

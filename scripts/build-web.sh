#!/bin/sh
# Builds the browser version of the game into build-web/site/ (index.html, spirehold.js,
# spirehold.wasm, the audio worklet, the service worker, the web app manifest and icons): a folder to
# serve as it stands.
# Installs Debian's emscripten (and the host build's packages) when missing.
#   scripts/build-web.sh            environment: WEB_BUILD (default build-web), JOBS
set -eu
cd "$(dirname "$0")/.."

out=${WEB_BUILD:-build-web}
jobs=${JOBS:-$(nproc)}
host=$out/host
wasm=$out/wasm
site=$out/site
size_budget=409600  # bytes of .wasm and .js together, before any compression

packages="build-essential cmake pkg-config libpng-dev emscripten"
missing=""
for package in $packages; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing="$missing $package"
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
  $sudo apt-get update -qq
  # shellcheck disable=SC2086  # one word per package
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
fi

# Debian's emscripten runs its JavaScript optimiser with Debian's node modules (acorn).
NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
export NODE_PATH

# Replaces $2 by $1 only when they differ, so that an unchanged table is not compiled again.
replace_if_changed() {
  if cmp -s "$1" "$2"; then rm -f "$1"; else mv "$1" "$2"; fi
}

mkdir -p "$out"
echo "== Resources (host build)"
cmake -S . -B "$host" -DCMAKE_BUILD_TYPE=Release -DSPIREHOLD_SDL=OFF -DSPIREHOLD_TESTS=OFF \
  >"$out/host-configure.log" 2>&1 || { cat "$out/host-configure.log"; exit 1; }
cmake --build "$host" -j "$jobs" --target spirehold-embed
find assets/images assets/sounds assets/music -type f \( -name '*.png' -o -name '*.wav' -o -name '*.mod' \) 2>/dev/null |
  LC_ALL=C sort >"$host/assets.list"
# shellcheck disable=SC2046  # asset names have no spaces
"$host/spirehold-embed" "$host/resources.cpp.new" $(cat "$host/assets.list")
replace_if_changed "$host/resources.cpp.new" "$host/resources.cpp"
# The packer links the embedded table, so it is rebuilt whenever the table or its own code changed.
packer_sources="src/platform/web/tools/pack_resources.cpp src/platform/web/resource_packing.h"
packer_sources="$packer_sources src/platform/resource_table.h $host/resources.cpp"
# shellcheck disable=SC2086  # a list of paths without spaces
if [ ! -x "$host/pack-resources" ] || [ -n "$(find $packer_sources -newer "$host/pack-resources")" ]; then
  c++ -std=c++20 -O2 -Wall -Wextra -Wpedantic -Isrc src/platform/web/tools/pack_resources.cpp "$host/resources.cpp" \
    -o "$host/pack-resources"
fi
"$host/pack-resources" "$host/packed_resources.cpp.new"
replace_if_changed "$host/packed_resources.cpp.new" "$host/packed_resources.cpp"

echo "== WebAssembly"
emcmake cmake -S web -B "$wasm" -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DSPIREHOLD_PACKED_RESOURCES="$(pwd)/$host/packed_resources.cpp" >"$out/wasm-configure.log" 2>&1 ||
  { cat "$out/wasm-configure.log"; exit 1; }
cmake --build "$wasm" -j "$jobs"

echo "== Site"
rm -rf "$site"
mkdir -p "$site/icons"
cp web/index.html web/manifest.webmanifest web/audio-worklet.js "$wasm/spirehold.js" "$wasm/spirehold.wasm" "$site/"
cp web/icons/*.png "$site/icons/"
# The service worker caches the page (under the folder's own address) and every other file but itself,
# under a version that changes with any of them or with the worker.
files=$(cd "$site" && find . -type f ! -name index.html | sed 's|^\./||' | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')
# shellcheck disable=SC2086  # file names have no spaces
version=$( (cd "$site" && cat index.html $files) | cat - web/sw.js | sha256sum | cut -c1-16)
sed -e "s/@BUILD_VERSION@/$version/" -e "s|@SITE_FILES@|$files|" web/sw.js >"$site/sw.js"

size=$(($(stat -c %s "$site/spirehold.wasm") + $(stat -c %s "$site/spirehold.js")))
echo "Site in $site: spirehold.wasm + spirehold.js = $size bytes (version $version)"
if [ "$size" -gt "$size_budget" ]; then
  echo "warning: the game's files exceed the $size_budget-byte budget" >&2
fi

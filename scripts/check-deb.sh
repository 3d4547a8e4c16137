#!/bin/bash
# Proves the Debian package on a clean Debian 12: installs it with apt in a fresh root (made once with
# debootstrap and cached), plays it under Xvfb as an ordinary user, checks where its records and window
# size go, then removes the package and checks that the player's records stay.
#   sudo scripts/check-deb.sh [build-package/spirehold_*.deb]
# Needs root, debootstrap, desktop-file-utils, appstream and man-db on this machine (lintian is used
# when present).
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
deb="${1:-$(ls -t "$here"/build-package/spirehold_*.deb 2>/dev/null | head -n 1)}"
base="${SPIREHOLD_DEBIAN_ROOT:-/var/tmp/spirehold-bookworm-root}"
mirror="${DEBIAN_MIRROR:-http://deb.debian.org/debian}"
# Tools of the check itself, kept in the cached root; the game's own dependencies never are.
check_tools="xvfb xauth xdotool"
player=player
records_size=900
play_seconds=4
peak_memory_kb=40960

say() { printf '== %s\n' "$*"; }
fail() { printf 'FAILED: %s\n' "$*" >&2; exit 1; }
# Runs a long, chatty command, showing its output only when it fails.
quietly() {
  local log
  log="$(mktemp)"
  if ! "$@" >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    fail "$*"
  fi
  rm -f "$log"
}

[ "$(id -u)" -eq 0 ] || fail "run as root (debootstrap and chroot need it)"
[ -f "$deb" ] || fail "no package: run 'make package' first or name the .deb"
for tool in debootstrap desktop-file-validate appstreamcli man; do
  command -v "$tool" >/dev/null || fail "$tool is missing on this machine"
done

say "metadata"
desktop-file-validate "$here/packaging/spirehold.desktop"
appstreamcli validate --no-net "$here/packaging/org.spirehold_game.Spirehold.metainfo.xml"
if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb"
fi
man_warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$here/packaging/spirehold.6" 2>&1 >/dev/null)"
[ -z "$man_warnings" ] || fail "the man page has warnings: $man_warnings"

# The cached root: plain debootstrap plus the check's tools. A debootstrap that did not finish leaves
# its /debootstrap folder behind and is started again.
if [ ! -f "$base/.spirehold-ready" ]; then
  say "making a Debian 12 root in $base (once)"
  if [ ! -d "$base" ] || [ -d "$base/debootstrap" ]; then
    rm -rf --one-file-system "$base"
    debootstrap --variant=minbase bookworm "$base" "$mirror"
  fi
  cp /etc/resolv.conf "$base/etc/resolv.conf"
  quietly chroot "$base" apt-get update
  quietly env DEBIAN_FRONTEND=noninteractive chroot "$base" apt-get install -y --no-install-recommends $check_tools
  chroot "$base" apt-get clean
  touch "$base/.spirehold-ready"
fi
if ! chroot "$base" dpkg-query -W $check_tools >/dev/null 2>&1; then
  quietly env DEBIAN_FRONTEND=noninteractive chroot "$base" apt-get install -y --no-install-recommends $check_tools
fi
if chroot "$base" dpkg-query -W libsdl2-2.0-0 >/dev/null 2>&1; then
  fail "the cached root already holds SDL2; remove $base and run again"
fi

root="$(mktemp -d /var/tmp/spirehold-check.XXXXXX)"
cleanup() {
  umount "$root/proc" 2>/dev/null || true
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT
say "a fresh copy of the root in $root"
cp -a "$base/." "$root/"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
in_root() { chroot "$root" "$@"; }
# The player gets the PATH that a login on Debian gives (it holds /usr/games).
login_path="$(sed -n 's/^ENV_PATH[[:space:]]*PATH=//p' "$root/etc/login.defs")"
as_player() {
  chroot --userspec="$player:$player" "$root" env -i HOME="/home/$player" PATH="${login_path:?}" "$@"
}

say "apt install ./$(basename "$deb")"
cp "$deb" "$root/tmp/spirehold.deb"
quietly in_root apt-get update
quietly env DEBIAN_FRONTEND=noninteractive chroot "$root" apt-get install -y --no-install-recommends /tmp/spirehold.deb
in_root dpkg-query -W libsdl2-2.0-0 >/dev/null || fail "SDL2 was not pulled in"

say "installed files"
for file in /usr/games/spirehold /usr/share/applications/spirehold.desktop \
    /usr/share/metainfo/org.spirehold_game.Spirehold.metainfo.xml /usr/share/man/man6/spirehold.6.gz \
    /usr/share/icons/hicolor/48x48/apps/spirehold.png /usr/share/doc/spirehold/copyright \
    /usr/share/doc/spirehold/changelog.gz; do
  [ -e "$root$file" ] || fail "$file is not installed"
done
desktop-file-validate "$root/usr/share/applications/spirehold.desktop"
in_root useradd --create-home --shell /bin/sh "$player"
exec_line="$(sed -n 's/^Exec=//p' "$root/usr/share/applications/spirehold.desktop")"
as_player sh -c "command -v $exec_line" >/dev/null || fail "the menu's command '$exec_line' is not on the PATH"
missing_libraries="$(in_root ldd /usr/games/spirehold | grep 'not found' || true)"
[ -z "$missing_libraries" ] || fail "libraries missing: $missing_libraries"

# One short game: started as the menu starts it, given the xdotool command `$1` once its window is up,
# ended as the desktop ends it (SIGTERM closes the window like its close button). Prints the program's
# exit code, its peak memory in kB and what xdotool answered; what the program says on stderr (there is
# no sound card in here) goes to /tmp/spirehold.log in the root.
play() {
  as_player xvfb-run -a -s "-screen 0 1280x1024x24" sh -c \
    "$exec_line 2>/tmp/spirehold.log & game=\$!; sleep $play_seconds
     answer=\$(xdotool search --name Spirehold $1 | tr '\n' ' ')
     sleep 1
     peak=\$(awk '/^VmHWM:/ { print \$2 }' /proc/\$game/status)
     kill -TERM \$game; wait \$game; echo \"\$? \$peak \$answer\""
}

# Checks one game's answer: a clean end within the memory budget; the rest of the answer is printed.
check_game() {
  local code peak answer
  read -r code peak answer <<<"$1"
  [ "$code" = 0 ] || fail "the game ended with code $code: $(cat "$root/tmp/spirehold.log")"
  [ -n "$peak" ] && [ "$peak" -le "$peak_memory_kb" ] || fail "the game took ${peak:-?} kB of memory"
  say "ended cleanly, peak memory $peak kB"
  [ -z "$answer" ] || printf '%s\n' "$answer"
}

say "first game as $player"
records="$root/home/$player/.local/share/spirehold/game.dat"
window="$root/home/$player/.config/spirehold/window.conf"
[ ! -e "$window" ] || fail "a window the player never resized left settings behind"
check_game "$(play "windowsize 600 900")"
[ -f "$records" ] || fail "no records at ~/.local/share/spirehold/game.dat"
[ "$(stat -c %s "$records")" -eq "$records_size" ] || fail "the records file is not $records_size bytes"
[ "$(stat -c %u "$records")" = "$(in_root id -u "$player")" ] || fail "the records file does not belong to $player"
[ ! -e "$root/usr/games/game.dat" ] || fail "records were written next to the program"
[ "$(cat "$window" 2>/dev/null)" = "$(printf 'width=600\nheight=900')" ] || fail "the resized window was not remembered"
say "records: $(stat -c '%s bytes' "$records"); window: $(tr '\n' ' ' < "$window")"

say "second game: the records are read, not made again; the window opens at its remembered size"
before="$(sha256sum < "$records")"
geometry="$(check_game "$(play getwindowgeometry)")"
printf '%s\n' "$geometry"
grep -q 'Geometry: 600x900' <<<"$geometry" || fail "the window did not open at its remembered size"
[ "$(sha256sum < "$records")" = "$before" ] || fail "the records changed without a game being played"

say "apt purge spirehold"
quietly env DEBIAN_FRONTEND=noninteractive chroot "$root" apt-get purge -y spirehold
[ ! -e "$root/usr/games/spirehold" ] || fail "the program is still installed"
[ "$(sha256sum < "$records")" = "$before" ] || fail "removing the package touched the records"

say "the package installs, runs from the menu's command and keeps the player's records"

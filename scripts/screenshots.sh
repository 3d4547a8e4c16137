#!/bin/sh
# Makes the README's pictures again: docs/screenshots/home.png (the home menu) and play.png (a 5x5
# level part solved, some viewpoints lit), taken with spirehold-sim and doubled pixel for pixel.
#   scripts/screenshots.sh [path/to/spirehold-sim]     (default: build/spirehold-sim)
# Needs python3 and ImageMagick's convert (installed from Debian when missing).
set -eu

if ! dpkg-query -W -f='${Status}' imagemagick 2>/dev/null | grep -q "install ok installed"; then
  echo "Installing: imagemagick"
  if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends imagemagick
fi

here="$(cd "$(dirname "$0")/.." && pwd)"
sim="${1:-$here/build/spirehold-sim}"
out="$here/docs/screenshots"
[ -x "$sim" ] || { echo "no simulator at $sim: cmake --build build --target spirehold-sim" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# A player who has seen the tutorial and reached level 44: the game writes its usual first records
# file, whose header (sound, tutorial seen, furthest level) is then changed.
printf 'quit\n' | "$sim" --dir "$work" >/dev/null
printf '1144' | dd of="$work/game.dat" bs=1 count=4 conv=notrunc 2>/dev/null

python3 - "$sim" "$work" <<'EOF'
import json
import subprocess
import sys

sim, work = sys.argv[1], sys.argv[2]
game = subprocess.Popen([sim, "--dir", work, "--seed", "44"], stdin=subprocess.PIPE,
                        stdout=subprocess.PIPE, text=True)

def send(command):
    game.stdin.write(command + "\n")
    game.stdin.flush()
    answer = json.loads(game.stdout.readline())
    if not answer["ok"]:
        sys.exit(f"spirehold-sim refused '{command}': {answer['error']}")
    return answer

PLAY_BUTTON = (186, 138)
TOWER_BUTTON_CENTRES = [(20, 245), (60, 245), (100, 245), (140, 245), (180, 245), (220, 245)]
GRID_SIDE = 6
# Rows and columns given their answer, so that their viewpoints light while the rest stays open.
SOLVED_ROWS = (0, 1)
SOLVED_COLUMNS = (0, 4)
EXTRA_CELLS = ((2, 3), (3, 2))
PLAYING_MS = 83000

send("wait 1000")
send(f"frame {work}/home.png")
send("tap %d %d" % PLAY_BUTTON)
board = send("state")["state"]
columns, rows = board["columnCount"], board["rowCount"]
cell = (board["boardRight"] - board["boardLeft"]) // columns
cells = {(c, r) for c in range(columns) for r in range(rows)
         if r in SOLVED_ROWS or c in SOLVED_COLUMNS or (c, r) in EXTRA_CELLS}
by_kind = {}
for c, r in sorted(cells):
    by_kind.setdefault(board["solutionGrid"][c * GRID_SIDE + r], []).append((c, r))
for kind, places in sorted(by_kind.items()):
    send("tap %d %d" % TOWER_BUTTON_CENTRES[kind - 1])
    for c, r in places:
        send("tap %d %d" % (board["boardLeft"] + c * cell + cell // 2, board["boardTop"] + r * cell + cell // 2))
send(f"wait {PLAYING_MS}")
send(f"frame {work}/play.png")
lit = sum(send("state")["state"]["viewpointLit"])
print(f"level {board['level']}: {columns}x{rows}, {len(cells)} towers placed, {lit} viewpoints lit")
send("quit")
EOF

for picture in home play; do
  convert "$work/$picture.png" -filter point -scale 200% -strip "$out/$picture.png"
done
echo "wrote $out/home.png and $out/play.png"

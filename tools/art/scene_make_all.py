"""Regenerates every scene picture (105, 106, 107, 108, 122) into assets/images/.

    python3 tools/art/scene_make_all.py

The generators are deterministic: running them again gives the same files byte for byte.
"""
import scene_home
import scene_title
import scene_towers
import scene_tutorial


def main():
    scene_towers.main()
    scene_home.main()
    scene_title.main()
    scene_tutorial.main()


if __name__ == "__main__":
    main()

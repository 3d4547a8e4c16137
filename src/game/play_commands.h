// The play screen's share of the stylus-up commands.
#pragma once

// A lift on the play screen: the placement picked at stylus-down, then the tower button or panel
// button under the lift point.
void liftOnPlayScreen(int x, int y);

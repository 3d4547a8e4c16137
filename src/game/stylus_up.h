// What the stylus lift does: the command of the control under it, for the screen in front.
#pragma once

void stylusUp(int x, int y);

// What the stylus going down does: it marks the control under it; only the record dialog's keyboard acts.
#pragma once

void stylusDown(int x, int y);

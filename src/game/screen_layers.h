// The layers of each screen that renderFrame draws, background first; none of them presents.
#pragma once

void drawHomeScreen();
void drawCreditsScreen();
void drawPlayScreen();
void drawNewRecordScreen();
void drawLevelCompleteScreen();
void drawGameCompleteScreen();

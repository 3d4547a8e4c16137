// The layers of each screen that renderFrame draws, background first; none of them presents.
#pragma once

// A fixed text of a screen, at its place and in its colour.
struct PlacedText {
    const char* text;
    int x;
    int y;
    int style;
};

void drawPlacedText(const PlacedText& placed);

void drawHomeScreen();
void drawCreditsScreen();
void drawPlayScreen();
void drawNewRecordScreen();
void drawLevelCompleteScreen();
void drawGameCompleteScreen();

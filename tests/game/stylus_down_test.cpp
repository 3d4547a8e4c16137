// Stylus-down: the marks on the home menu and the play screen, and typing on the record keyboard.
#include <string>

#include "game/stylus.h"
#include "game_fixture.h"

namespace {

class StylusDown : public GameTest {};

std::string typedName() { return gameState.nameEntry.data(); }

TEST_F(StylusDown, MenuRowsSharedByTwoButtonsMarkTheFirstTested) {
    gameState.screen = SCREEN_HOME;
    stylusDown(200, 156);
    EXPECT_EQ(gameState.playPressed, 1);
    EXPECT_EQ(gameState.helpPressed, 0);
    resetGameState();
    stylusDown(200, 191);  // QUIT is tested before HELP
    EXPECT_EQ(gameState.quitPressed, 1);
    EXPECT_EQ(gameState.helpPressed, 0);
    resetGameState();
    stylusDown(132, 170);
    EXPECT_EQ(gameState.helpPressed, 1);
    resetGameState();
    stylusDown(131, 170);
    stylusDown(200, 120);
    stylusDown(200, 227);
    EXPECT_EQ(gameState.playPressed + gameState.helpPressed + gameState.quitPressed, 0);
}

TEST_F(StylusDown, PlayScreenPicksTheCellUnderTheStylus) {
    playLevel(11, 11);  // 3 x 3 at offsets (4, 4): grid lines from 90 to 177
    gameState.boardLeft = 90, gameState.boardTop = 90, gameState.boardRight = 177, gameState.boardBottom = 177;
    stylusDown(125, 150);
    EXPECT_EQ(gameState.cellPicked, 1);
    EXPECT_EQ(gameState.hitColumn, 5);
    EXPECT_EQ(gameState.hitRow, 6);
    EXPECT_EQ(gameState.hitCellLeft, 120);
    EXPECT_EQ(gameState.hitCellTop, 149);
    EXPECT_EQ(gameState.pickedCellLeft, 120);

    // The outer grid line picks nothing but still moves the hit cell.
    stylusDown(90, 100);
    EXPECT_EQ(gameState.cellPicked, 0);
    EXPECT_EQ(gameState.hitColumn, 3);
    EXPECT_EQ(gameState.hitRow, 4);
    EXPECT_EQ(gameState.pickedCellLeft, 62);
}

TEST_F(StylusDown, PanelButtonsAreMarkedTowerButtonsAreNot) {
    playLevel(40, 40);
    const GameState before = gameState;
    stylusDown(20, 240);  // a tower button
    EXPECT_EQ(gameState.selectedTower, before.selectedTower);
    EXPECT_EQ(gameState.homePressed + gameState.prevPressed + gameState.solvePressed + gameState.resetPressed +
                  gameState.soundPressed + gameState.nextPressed,
              0);

    const struct {
        int x;
        std::int32_t GameState::*flag;
    } buttons[] = {{0, &GameState::homePressed},    {65, &GameState::homePressed},  {81, &GameState::prevPressed},
                   {136, &GameState::solvePressed}, {154, &GameState::resetPressed}, {171, &GameState::soundPressed},
                   {184, &GameState::nextPressed},  {236, &GameState::nextPressed}};
    for (const auto& button : buttons) {
        playLevel(40, 40);
        gameState.homePressed = gameState.prevPressed = gameState.solvePressed = 0;
        gameState.resetPressed = gameState.soundPressed = gameState.nextPressed = 0;
        stylusDown(button.x, 319);
        EXPECT_EQ(gameState.*button.flag, 1) << button.x;
        EXPECT_EQ(gameState.homePressed + gameState.prevPressed + gameState.solvePressed + gameState.resetPressed +
                      gameState.soundPressed + gameState.nextPressed,
                  1)
            << button.x;
    }
}

class NameKeyboard : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        gameState.screen = SCREEN_NEW_RECORD;
    }
};

TEST_F(NameKeyboard, EveryLetterKeyTypesItsLetterAndHoldsItsKey) {
    for (int key = 1; key <= 26; ++key) {
        gameState.nameEntry = {};
        const int column = (key - 1) % 9, row = (key - 1) / 9;
        const int left = 44 + 17 * column, top = 161 + 20 * row + (column % 2) * 3;
        stylusDown(left + 16, top + 16);
        EXPECT_EQ(typedName(), std::string(1, static_cast<char>('A' + key - 1))) << key;
        EXPECT_EQ(gameState.keyHeld, 1);
        EXPECT_EQ(gameState.heldKey, key);
        EXPECT_EQ(gameState.heldKeyX, left);
        EXPECT_EQ(gameState.heldKeyY, top);
    }
}

TEST_F(NameKeyboard, OddColumnsSitThreePixelsLower) {
    stylusDown(44, 161);
    stylusDown(60, 177);
    EXPECT_EQ(typedName(), "AA");
    stylusDown(61, 163);  // above key B, which starts at y 164
    EXPECT_EQ(typedName(), "AA");
    EXPECT_EQ(gameState.keyHeld, 0);
    stylusDown(61, 164);
    EXPECT_EQ(typedName(), "AAB");
}

TEST_F(NameKeyboard, TypingStopsAtEightLetters) {
    for (int tap = 0; tap < 9; ++tap) stylusDown(50, 170);
    EXPECT_EQ(typedName(), "AAAAAAAA");
    EXPECT_EQ(gameState.keyHeld, 0);  // the letter keys are not even tested
    stylusDown(180, 201);
    EXPECT_EQ(typedName(), "AAAAAAA");
    stylusDown(65, 170);
    EXPECT_EQ(typedName(), "AAAAAAAB");
}

TEST_F(NameKeyboard, DeleteRemovesTheLastLetterAndHoldsOnAnEmptyName) {
    std::snprintf(gameState.nameEntry.data(), RECORD_TEXT_SIZE, "%s", "ANN");
    stylusDown(180, 201);
    EXPECT_EQ(typedName(), "AN");
    EXPECT_EQ(gameState.heldKey, 27);
    EXPECT_EQ(gameState.heldKeyX, 180);
    EXPECT_EQ(gameState.heldKeyY, 201);
    gameState.nameEntry = {};
    gameState.keyHeld = 0;
    stylusDown(196, 217);
    EXPECT_EQ(typedName(), "");
    EXPECT_EQ(gameState.keyHeld, 1);
    EXPECT_EQ(gameState.heldKey, 27);
    gameState.keyHeld = 0;
    stylusDown(197, 201);  // right of the last key
    EXPECT_EQ(gameState.keyHeld, 0);
}

TEST_F(NameKeyboard, OkIsHeldButStoresNothingYet) {
    std::snprintf(gameState.nameEntry.data(), RECORD_TEXT_SIZE, "%s", "ANN");
    stylusDown(137, 248);
    EXPECT_EQ(gameState.keyHeld, 1);
    EXPECT_EQ(gameState.heldKey, 28);
    EXPECT_EQ(gameState.heldKeyX, 104);
    EXPECT_EQ(gameState.heldKeyY, 223);
    EXPECT_EQ(typedName(), "ANN");
    EXPECT_EQ(gameState.recordNames[gameState.level][0], '\0');
}

// Everything stylus-down may write.
bool inputUntouched() {
    const GameState fresh{};
    return gameState.playPressed == 0 && gameState.helpPressed == 0 && gameState.quitPressed == 0 &&
           gameState.homePressed == 0 && gameState.prevPressed == 0 && gameState.solvePressed == 0 &&
           gameState.resetPressed == 0 && gameState.soundPressed == 0 && gameState.nextPressed == 0 &&
           gameState.cellPicked == 0 && gameState.pickedCellLeft == 0 && gameState.hitCellLeft == 0 &&
           gameState.hitCellTop == 0 && gameState.hitColumn == 0 && gameState.hitRow == 0 &&
           gameState.keyHeld == 0 && gameState.heldKey == 0 && gameState.heldKeyX == 0 && gameState.heldKeyY == 0 &&
           gameState.nameEntry == fresh.nameEntry;
}

TEST_F(StylusDown, OtherScreensChangeNothing) {
    const std::uint32_t screens[] = {SCREEN_CREDITS,        SCREEN_LEVEL_COMPLETE,   SCREEN_GAME_COMPLETE, 2,
                                     SCREEN_TUTORIAL_INTRO, SCREEN_TUTORIAL_PLAYING, 12};
    for (const std::uint32_t screen : screens) {
        resetGameState();
        gameState.screen = screen;
        for (const auto& [x, y] : {std::pair{150, 130}, {50, 170}, {30, 310}, {120, 150}, {140, 240}}) {
            stylusDown(x, y);
        }
        EXPECT_TRUE(inputUntouched()) << screen;
        EXPECT_EQ(gameState.screen, screen);
    }
}

}  // namespace

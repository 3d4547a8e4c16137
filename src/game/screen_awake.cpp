// What the device was last told about keeping the screen awake, and telling it of each change.
#include "game/screen_awake.h"

#include "game/game_state.h"
#include "platform/platform.h"

namespace {

bool keptAwake = false;

}  // namespace

void keepScreenAwakeWhilePlaying() {
    const bool playing = gameState.screen == SCREEN_PLAY;
    if (playing == keptAwake) return;
    keptAwake = playing;
    platform::keepScreenAwake(playing);
}

void forgetScreenAwake() { keptAwake = false; }

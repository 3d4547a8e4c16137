// Placeholder until this concern is written; replaced by its implementation.
#include "sound/sound_cues.h"
void startGameSound() {}
void playButtonsSample() {}
void playClapsSample() {}
void pauseMusic(bool) {}
void startMusicLooping() {}
void stopMusic() {}

// The game's sounds and music as the game uses them: start-up, tap feedback, claps, music control.
// Everything here runs on the message-loop thread.
#pragma once

// Opens the output, sets the master volume, loads the four sounds and the music module, and starts the
// music when soundOn is set.
void startGameSound();
// The "buttons" tap sound, when soundOn is set and the sound loaded.
void playButtonsSample();
// The "claps" sound for a new best time, when soundOn is set and the sound loaded.
void playClapsSample();
// Music control on the engine's player.
void pauseMusic(bool paused);
void startMusicLooping();
void stopMusic();

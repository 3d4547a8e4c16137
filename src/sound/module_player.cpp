// Placeholder until this concern is written; replaced by its implementation.
#include "sound/module_player.h"
ModulePlayer::ModulePlayer() = default;
ModulePlayer::~ModulePlayer() = default;
bool ModulePlayer::Configure(std::uint8_t, std::uint32_t, std::uint8_t, std::uint8_t) { return true; }
bool ModulePlayer::LoadModule(const std::uint8_t*, std::int32_t) { return true; }
bool ModulePlayer::LoadModuleFile(const std::string&) { return false; }
bool ModulePlayer::StartMusic(bool) { return false; }
void ModulePlayer::StopMusic() {}
void ModulePlayer::PauseMusic(bool) {}
bool ModulePlayer::IsMusicPlaying() const { return false; }
void ModulePlayer::BuildVolumeTable(std::uint8_t) {}
bool ModulePlayer::RenderMusic(platform::AudioBufferHeader*) { return false; }

// Placeholder until this concern is written; replaced by its implementation.
#include "platform/platform.h"

namespace platform {
bool raiseRunningCopy(std::string_view) { return false; }
bool createWindow(std::string_view, WindowProcedure) { return false; }
void destroyWindow() {}
std::intptr_t defaultWindowProcedure(Message, std::uint32_t, std::uint32_t) { return 0; }
std::intptr_t sendMessage(Message, std::uint32_t, std::uint32_t) { return 0; }
bool getMessage(MessageRecord&) { return false; }
void dispatchMessage(const MessageRecord&) {}
void postQuitMessage(int) {}
int exitCode() { return 0; }
void captureStylus() {}
void releaseStylus() {}
void showMessageBox(std::string_view, std::string_view) {}
void setTimer(std::uint32_t, std::uint32_t, TimerCallback) {}
void killTimer(std::uint32_t) {}
std::uint32_t tickCount() { return 0; }
std::uint32_t randomNumber() { return 0; }
bool openDisplay() { return false; }
void closeDisplay() {}
bool openInput() { return false; }
void closeInput() {}
DisplayProperties displayProperties() { return {}; }
std::uint16_t* beginDraw() { return nullptr; }
int endDraw() { return 0; }
void suspendDisplay() {}
void resumeDisplay() {}
std::string programPath() { return {}; }
std::string userDataFolder() { return {}; }
bool audioOpen(std::uint32_t, std::uint32_t, std::uint32_t, AudioDoneCallback, void*) { return false; }
bool audioPrepare(AudioBufferHeader*) { return true; }
bool audioUnprepare(AudioBufferHeader*) { return true; }
bool audioWrite(AudioBufferHeader*) { return false; }
void audioReset() {}
void audioClose() {}
std::uint32_t audioGetVolume() { return 0; }
void audioSetVolume(std::uint32_t) {}
}  // namespace platform

// F11 is the window's own full-screen command; every other key reaches the game as a hardware key.
#include <gtest/gtest.h>

#include "platform/sdl/sdl_key_translation.h"

namespace {

using platform::Message;
using sdl_device::KeyAction;
using sdl_device::translateKey;

TEST(KeyTranslation, F11TogglesOncePerPressAndNeverReachesTheGame) {
    EXPECT_EQ(translateKey(SDLK_F11, true, false).action, KeyAction::ToggleFullscreen);
    EXPECT_EQ(translateKey(SDLK_F11, true, true).action, KeyAction::Ignore);
    EXPECT_EQ(translateKey(SDLK_F11, false, false).action, KeyAction::Ignore);
}

TEST(KeyTranslation, EveryOtherKeyIsAHardwareKeyPressedAndReleased) {
    for (const SDL_Keycode key : {SDLK_ESCAPE, SDLK_RETURN, SDLK_SPACE, SDLK_a, SDLK_0, SDLK_F10, SDLK_F12}) {
        const auto lowWord = static_cast<std::uint32_t>(key) & 0xFFFF;
        const auto down = translateKey(key, true, false);
        EXPECT_EQ(down.action, KeyAction::HardwareKey) << key;
        EXPECT_EQ(down.message, Message::KeyDown) << key;
        EXPECT_EQ(down.code, lowWord) << key;
        const auto up = translateKey(key, false, false);
        EXPECT_EQ(up.action, KeyAction::HardwareKey) << key;
        EXPECT_EQ(up.message, Message::KeyUp) << key;
        EXPECT_EQ(translateKey(key, true, true).action, KeyAction::HardwareKey) << key;
    }
}

TEST(KeyTranslation, CharacterKeysKeepTheirCodeAndOnlyTheWholeF11CodeIsTheCommand) {
    EXPECT_EQ(translateKey(SDLK_ESCAPE, true, false).code, 0x1Bu);
    EXPECT_EQ(translateKey(SDLK_a, false, false).code, static_cast<std::uint32_t>('a'));
    EXPECT_EQ(translateKey(SDLK_F11 & 0xFFFF, true, false).action, KeyAction::HardwareKey);
}

}  // namespace

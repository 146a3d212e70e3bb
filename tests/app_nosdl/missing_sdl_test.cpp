// The reader where SDL cannot be used: this program's run path finds a stand-in that lacks SDL's
// functions before the real library, so every sound must be refused with a message.
#include <gtest/gtest.h>

#include "app/sdl_library.h"
#include "app/sound_player.h"

namespace klu {
namespace {

TEST(MissingSdlTest, ALibraryThatIsNotThereGivesTheLoadersReason) {
    const auto loaded = LoadSdl("libklu-no-such-library.so.0");
    ASSERT_TRUE(std::holds_alternative<std::string>(loaded));
    EXPECT_NE(std::get<std::string>(loaded).find("libklu-no-such-library.so.0"), std::string::npos);
}

TEST(MissingSdlTest, EverySoundIsRefusedWithTheReason) {
    const std::string wave(64, 'x');  // never read: SDL is not there
    for (int attempt = 1; attempt <= 2; ++attempt) {
        const std::optional<std::string> failed = StartWaveImage(wave.data(), wave.size());
        EXPECT_EQ(failed, "No sound output is available: " KLU_SDL2_SONAME " lacks SDL_CloseAudioDevice")
            << "attempt " << attempt;
        EXPECT_FALSE(SoundPlaying());
    }
}

}  // namespace
}  // namespace klu

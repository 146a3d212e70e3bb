#pragma once

#include <cstdint>
#include <string>

#include "../model/model_test_support.h"
#include "../model/temp_folder.h"
#include "model/media_hunks.h"

namespace klu::test {

// A wave file image: 8-bit mono PCM at rate samples a second, of the given number of samples (a
// soft square wave, so that a real sound card plays something audible).
inline std::string WaveImage(uint32_t rate, uint32_t samples) {
    auto little = [](uint32_t value, int bytes) {
        std::string text;
        for (int i = 0; i < bytes; ++i)
            text += static_cast<char>((value >> (8 * i)) & 0xFF);
        return text;
    };
    std::string wave = "RIFF" + little(36 + samples, 4) + "WAVE";
    wave += "fmt " + little(16, 4) + little(1, 2) + little(1, 2);  // PCM, one channel
    wave += little(rate, 4) + little(rate, 4) + little(1, 2) + little(8, 2);
    wave += "data" + little(samples, 4);
    for (uint32_t i = 0; i < samples; ++i)
        wave += static_cast<char>((i / 10) % 2 ? 0x90 : 0x70);
    return wave;
}

// A hint file of one subject whose children are a GIF hunk and a sound hunk carrying the data
// given, written into a temporary folder and loaded.
class MediaFile {
  public:
    MediaFile(const std::string& gif_data, const std::string& wave_data) {
        HintFileSpec plan;
        plan.root = MakeSubject("Media");
        plan.root->Add(MakeData("GIFA", "Old map", gif_data));
        plan.root->Add(MakeData("SOUND", "Bell", wave_data));
        bytes = WriteOrFail(plan);
        EXPECT_EQ(LoadBytes(bytes, doc), LoadOk);
        WriteFile(path, bytes);
        if (THunk* root = doc.GetRoot()) {
            gif = dynamic_cast<TGIFaHunk*>(root->FindByName("Old map"));
            sound = dynamic_cast<TSoundHunk*>(root->FindByName("Bell"));
        }
        EXPECT_NE(gif, nullptr);
        EXPECT_NE(sound, nullptr);
    }

    TempFolder folder;
    const std::string path = folder / "media.klu";
    std::string bytes;
    THintDocument doc;
    TGIFaHunk* gif = nullptr;
    TSoundHunk* sound = nullptr;
};

}  // namespace klu::test

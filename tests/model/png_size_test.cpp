// The size a picture declares in its header, read without decoding it.
#include "model/png_size.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "temp_folder.h"

namespace klu {
namespace {

using test::TempFolder;

std::string PngHeader(uint32_t width, uint32_t height) {
    std::string header = "\x89PNG\r\n\x1A\n";
    header += std::string("\0\0\0\x0D", 4) + "IHDR";
    for (uint32_t v : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8)
            header += static_cast<char>((v >> shift) & 0xFF);
    }
    return header + std::string(9, '\0');
}

TEST(PngSize, ReadsTheHeaderAtItsOffsetAndRefusesAnythingElse) {
    TempFolder folder;
    const std::string path = folder / "data.klu";
    const std::string good = PngHeader(240, 160);
    const std::string bytes =
        "leading bytes" + good + PngHeader(0, 5) + PngHeader(40000, 2) + "tail";
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);

    const auto size = ReadPngSize(path, 13, static_cast<int64_t>(good.size()));
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, 240);
    EXPECT_EQ(size->height, 160);
    const auto after = static_cast<int64_t>(13 + good.size());
    EXPECT_FALSE(ReadPngSize(path, after, 33));       // a zero side
    EXPECT_FALSE(ReadPngSize(path, after + 33, 33));  // an absurd side
    EXPECT_FALSE(ReadPngSize(path, 0, 33));           // not a PNG there
    EXPECT_FALSE(ReadPngSize(path, 13, 10));          // too short to hold a header
    EXPECT_FALSE(ReadPngSize(path, -1, 33));          // outside the file
    EXPECT_FALSE(ReadPngSize(path, static_cast<int64_t>(bytes.size()), 33));
    EXPECT_FALSE(ReadPngSize(folder / "missing.klu", 13, 33));
}

}  // namespace
}  // namespace klu

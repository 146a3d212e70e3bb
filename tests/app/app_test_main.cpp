#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// The widgets need an application object; without a display they run on the offscreen platform.
// Sounds go to SDL's silent driver, which takes them as fast as a sound card would.
int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (!std::getenv("SDL_AUDIODRIVER")) ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

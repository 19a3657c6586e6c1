// Not a test: pictures of the monitor player on the main window, for a
// person to look at. scripts/screenshots runs it under Xvfb with ZP_SHOTS
// naming the folder.

#include "playerwindow.h"

#include <QString>

#include <cstdlib>

namespace {

using namespace playertest;

// The player recording, playing and paused.
TEST_F(Player, RecordingAndPlaying)
{
    const char* folder = std::getenv("ZP_SHOTS");
    ASSERT_TRUE(folder) << "ZP_SHOTS names the folder for the pictures";
    form->show();
    const QString shots = QString::fromUtf8(folder);
    const std::string recorded = dir.file("2026_12_11 track day.ignlog");
    Record(recorded);
    for (int i = 1; i <= 12; ++i) {
        now += 385;
        Answer(uint16_t(1000 + 400 * i));
    }
    EXPECT_TRUE(form->GroupBoxPlayer->Widget()->grab().save(shots + "/player-recording.png"));
    Stop();
    Play(WriteLog("2026_12_11 replay.ignlog", 8));
    Ticks(30);
    EXPECT_TRUE(form->GroupBoxPlayer->Widget()->grab().save(shots + "/player-playing.png"));
    EXPECT_TRUE(form->grab().save(shots + "/main-window-playing.png"));
    Pause();
    EXPECT_TRUE(form->GroupBoxPlayer->Widget()->grab().save(shots + "/player-paused.png"));
}

} // namespace

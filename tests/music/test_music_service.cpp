// The music service's bookkeeping: start-up messages, the stored preference, the console
// entries, and a program with no music device.

#include <gtest/gtest.h>

#include "common/command_registry.h"
#include "common/console_output.h"
#include "common/registry_key.h"
#include "game/platform/music.h"
#include "game/platform/music_device.h"
#include "music/music_loopback.h"
#include "music/ogg_encoder.h"

namespace music_test {
namespace {

std::string printed;
void capture(std::string_view text) {
  printed += text;
}

class MusicServiceTest : public MusicLoopbackTest {
 protected:
  void SetUp() override {
    MusicLoopbackTest::SetUp();
    printed.clear();
    console::setOutputListener(capture);
  }
  void TearDown() override {
    console::setOutputListener(nullptr);
    MusicLoopbackTest::TearDown();
  }
  void storeMusicPreference(std::string_view text) {
    createKeyPath("software/Vellmoor/Preferences").writeString("Music", text);
  }
  std::string toneFile() {
    return writeFile("snd/Tone.ogg", encodeOgg(toneSamples({{440, 0.5}}, 1, 44100), 1, 44100));
  }
};

TEST_F(MusicServiceTest, WithoutADeviceEverythingIsQuiet) {
  music::installMusicDevice(nullptr);
  music::initMusic();
  EXPECT_NE(printed.find("\nError initialising music subsystem."), std::string::npos);
  EXPECT_FALSE(music::isMusicInitialised());
  EXPECT_FALSE(music::playMusic(toneFile(), true));
  music::setMusicVolume(100);
  EXPECT_EQ(music::getMusicVolume(), 0);
  EXPECT_TRUE(music::stopMusic());
  EXPECT_FALSE(music::pauseMusic());
  EXPECT_FALSE(music::resumeMusic());
}

TEST_F(MusicServiceTest, StartsAtFullVolumeAndSaysSo) {
  startMusic();
  EXPECT_NE(printed.find("\nMusic subsystem initialised successfully."), std::string::npos);
  EXPECT_TRUE(music::isMusicInitialised());
  EXPECT_EQ(music::getMusicVolume(), 255);
  EXPECT_FALSE(music::playMusic("", true));
}

TEST_F(MusicServiceTest, TheStoredPreferenceSwitchesTheMusic) {
  storeMusicPreference("0");
  startMusic();
  EXPECT_EQ(music::getMusicVolume(), 0);
  music::shutdownMusic();
  storeMusicPreference("7");
  music::initMusic();
  EXPECT_EQ(music::getMusicVolume(), 255);
  music::shutdownMusic();
  // Tested as a number but converted as an integer: "1.0" converts to 0, so it switches off.
  storeMusicPreference("1.0");
  music::initMusic();
  EXPECT_EQ(music::getMusicVolume(), 0);
  music::shutdownMusic();
  storeMusicPreference("loud");
  music::initMusic();
  EXPECT_EQ(music::getMusicVolume(), 255);
}

TEST_F(MusicServiceTest, ConsoleEntriesPlayAndSetTheVolume) {
  startMusic();
  const std::string file = toneFile();
  console::execute("MusicPlay");
  EXPECT_NE(printed.find("\nUSAGE: MusicPlay < file name >"), std::string::npos);
  console::execute("MusicPlay SND\\TONE.OGG");  // data paths ignore letter case
  EXPECT_NE(printed.find("\nFile opened successfully."), std::string::npos);
  EXPECT_TRUE(music::hasMusicStream());
  console::execute("MusicPlay snd/none.ogg");
  EXPECT_NE(printed.find("\nFailed to open file."), std::string::npos);
  EXPECT_FALSE(music::hasMusicStream());

  console::execute("MusicVolume 300");
  EXPECT_EQ(music::getMusicVolume(), 255);
  console::execute("MusicVolume -4");
  EXPECT_EQ(music::getMusicVolume(), 0);
  console::execute("MusicVolume 77");
  EXPECT_EQ(music::getMusicVolume(), 77);
  // A read-only flag: an assignment answers with the flag as it is, a non-boolean with usage.
  printed.clear();
  console::execute("MusicSystemInitialised 0");
  console::execute("MusicSystemInitialised yes");
  EXPECT_EQ(printed, "\nMusicSystemInitialised is now true\nUSAGE: MusicSystemInitialised"
                     " < true OR false OR nothing >");

  music::shutdownMusic();
  EXPECT_EQ(console::findCommand("MusicPlay"), nullptr);
  EXPECT_EQ(console::findCommand("MusicVolume"), nullptr);
  EXPECT_EQ(console::findCommand("MusicSystemInitialised"), nullptr);
}

}  // namespace
}  // namespace music_test

// initSound and shutdownSound on OpenAL Soft: the start-up message, the "Sound" preference,
// and sharing an output that is already open.

#include <gtest/gtest.h>

#include <cstdlib>

#include "common/console_output.h"
#include "common/registry_key.h"
#include "game/platform/openal_sound_device.h"
#include "game/platform/sound_device.h"
#include "game/platform/sound_list.h"
#include "sound/loopback_fixture.h"
#include "test_support/temp_directory.h"

namespace {

// No test in this program may reach a sound card, whatever the machine has: OpenAL Soft reads
// its list of backends once, at its first call, and a list naming none leaves only the
// loopback outputs.
const bool kNoOutputDevice = setenv("ALSOFT_DRIVERS", "vellmoor-no-output", 1) == 0;

std::string captured;
void capture(std::string_view text) {
  captured += text;
}

// With an OpenAL context already current (here the loopback output, in the game the music's)
// initSound joins it and shutdownSound leaves it open.
TEST(SoundStartup, JoinsTheCurrentOutputAndReadsThePreference) {
  LoopbackOutput output;
  ASSERT_TRUE(output.isOpen());
  TempDirectory config;
  setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
  createKeyPath(kPreferencesKeyPath).writeString("Sound", "0");
  sound::setEffectsVolume(0.5f);
  captured.clear();
  console::setOutputListener(capture);

  audio::initSound();
  EXPECT_NE(sound::soundDevice(), nullptr);
  EXPECT_EQ(sound::effectsVolume(), 0.0f);
  audio::initSound();  // a device exists: nothing happens
  console::setOutputListener(nullptr);
  EXPECT_EQ(captured, "\nSound subsystem initialised successfully.");

  audio::shutdownSound();
  EXPECT_EQ(sound::soundDevice(), nullptr);
  EXPECT_EQ(alcGetCurrentContext() != nullptr, true);
  unsetenv("XDG_CONFIG_HOME");
  sound::setEffectsVolume(1.0f);
}

TEST(SoundStartup, WithoutAnOutputSaysSoAndStaysSilent) {
  ASSERT_TRUE(kNoOutputDevice);
  ASSERT_EQ(alcGetCurrentContext(), nullptr);
  captured.clear();
  console::setOutputListener(capture);
  audio::initSound();
  console::setOutputListener(nullptr);
  EXPECT_EQ(captured, "\nError initialising sound subsystem.");
  EXPECT_EQ(sound::soundDevice(), nullptr);
  audio::shutdownSound();
}

}  // namespace

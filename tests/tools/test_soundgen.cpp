// The synthesised sounds: "soundgen" must write every sound file the configuration files and
// the test level name, as WAV files the game's loader accepts and an Ogg Vorbis file the
// music streamer opens; loops must repeat without a click, and the bytes must be the same
// on every run since the build regenerates them.

#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <regex>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/byte_reader.h"
#include "common/config_file.h"
#include "game/platform/wav_reader.h"
#include "test_support/temp_directory.h"
#include "tools/soundgen/music.h"
#include "tools/soundgen/wav_writer.h"

namespace fs = std::filesystem;

namespace {

// A reader written apart from the writer, accepting only what the game's loader accepts.
struct DecodedWav {
  int formatTag = 0;
  int channels = 0;
  int sampleRate = 0;
  int byteRate = 0;
  int blockAlign = 0;
  int bitsPerSample = 0;
  std::vector<std::int16_t> samples;  // interleaved

  std::vector<int> channel(int index) const {
    std::vector<int> out;
    for (std::size_t i = static_cast<std::size_t>(index); i < samples.size(); i += channels) {
      out.push_back(samples[i]);
    }
    return out;
  }
};

// Nothing unless the file is RIFF/WAVE with a 16-byte format record followed by one data
// chunk whose size is exactly what is left of the file.
std::optional<DecodedWav> decodeWav(const std::string& bytes) {
  if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 8, "WAVEfmt ") != 0)
    return std::nullopt;
  ByteReader in(bytes, 4);
  if (in.u32() != bytes.size() - 8) return std::nullopt;
  in.skip(8);  // "WAVEfmt "
  if (in.u32() != 16) return std::nullopt;
  DecodedWav wav;
  wav.formatTag = in.u16();
  wav.channels = in.u16();
  wav.sampleRate = static_cast<int>(in.u32());
  wav.byteRate = static_cast<int>(in.u32());
  wav.blockAlign = in.u16();
  wav.bitsPerSample = in.u16();
  if (bytes.compare(36, 4, "data") != 0) return std::nullopt;
  in.skip(4);
  const std::uint32_t dataSize = in.u32();
  if (dataSize != bytes.size() - 44 || dataSize % 2 != 0) return std::nullopt;
  while (!in.atEnd()) wav.samples.push_back(static_cast<std::int16_t>(in.u16()));
  return wav;
}

// The sound files a text names: words such as snd\finish.wav or music\theme.ogg.
std::set<std::string> namedSoundFiles(const std::string& text) {
  static const std::regex kSoundName(R"(\b(snd|music)\\[A-Za-z0-9_.\\-]+\.(wav|ogg))",
                                     std::regex::icase);
  std::set<std::string> names;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), kSoundName);
       it != std::sregex_iterator(); ++it) {
    std::string name = it->str();
    std::replace(name.begin(), name.end(), '\\', '/');
    names.insert(name);
  }
  return names;
}

const fs::path kConfigDir = VELLMOOR_CONFIG_DIR;

struct SoundKey {
  const char* file;  // below cfg/
  const char* key;
};

// The sounds played looped: the water, ice and steam controllers' and the menus' background.
const SoundKey kLoopKeys[] = {
    {"game_sfx.cfg", "waterSound_ambient"}, {"game_sfx.cfg", "iceSound_freeze"},
    {"game_sfx.cfg", "iceSound_friction"},  {"game_sfx.cfg", "steamEvaporate"},
    {"game_sfx.cfg", "steamAmbient"},       {"menu_general.cfg", "menuBgSound"}};

std::string configuredSound(const SoundKey& sound) {
  std::string name = ConfigFile((kConfigDir / sound.file).string()).getString(sound.key);
  std::replace(name.begin(), name.end(), '\\', '/');
  return name;
}

std::string configuredSound(const char* key) {
  return configuredSound({"game_sfx.cfg", key});
}

std::set<std::string> loopFileNames() {
  std::set<std::string> loops;
  for (const SoundKey& loop : kLoopKeys) loops.insert(fs::path(configuredSound(loop)).filename());
  return loops;
}

bool runSoundgen(const fs::path& directory) {
  const std::string command = std::string(SOUNDGEN_PATH) + " \"" + directory.string() + "\"";
  return std::system(command.c_str()) == 0;
}

// One generator run shared by the suite: the files are the same for every test.
class SoundgenOutput : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    output_ = new TempDirectory();
    generated_ = runSoundgen(output_->path());
  }
  static void TearDownTestSuite() {
    delete output_;
    output_ = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(generated_) << "soundgen failed"; }

  static fs::path file(const std::string& name) { return output_->path() / name; }
  static std::vector<fs::path> wavFiles() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(output_->path() / "snd")) {
      if (entry.path().extension() == ".wav") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
  }

  static inline TempDirectory* output_ = nullptr;
  static inline bool generated_ = false;
};

TEST_F(SoundgenOutput, WritesEverySoundTheConfigurationAndTheTestLevelName) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(kConfigDir)) {
    const std::set<std::string> found = namedSoundFiles(readFileBytes(entry.path()));
    names.insert(found.begin(), found.end());
  }
  const std::set<std::string> levelNames = namedSoundFiles(readFileBytes(TEST_LEVEL_SOURCE));
  names.insert(levelNames.begin(), levelNames.end());
  names.insert("snd/default.wav");  // what a sound made without a name plays

  // finish, dead, the music, 2 x 12 splashes and cracks, 5 loops and the default.
  EXPECT_GE(names.size(), 33u);
  for (const std::string& name : names) EXPECT_TRUE(fs::is_regular_file(file(name))) << name;
}

TEST_F(SoundgenOutput, SoundSettingsHaveEveryKeyWithUsableValues) {
  const ConfigFile config((kConfigDir / "game_sfx.cfg").string());
  for (const char* prefix : {"water", "ice"}) {
    for (const char* suffix :
         {"_disturbance_level1_speed", "_disturbance_level2_speed", "_disturbance_level3_speed",
          "_disturbance_randomness_pitch", "_disturbance_randomness_volume"}) {
      const std::string key = std::string(prefix) + suffix;
      EXPECT_GT(config.getFloat(key), 0.0f) << key;
    }
    const float level1 = config.getFloat(std::string(prefix) + "_disturbance_level1_speed");
    const float level2 = config.getFloat(std::string(prefix) + "_disturbance_level2_speed");
    const float level3 = config.getFloat(std::string(prefix) + "_disturbance_level3_speed");
    EXPECT_LT(level1, level2) << prefix;
    EXPECT_LT(level2, level3) << prefix;
  }
  for (const char* key :
       {"waterSound_ambient_volume", "ice_frictionChangeRate", "ice_frictionSpeed",
        "ice_freezeEffectSpeed", "ice_freezeVolume", "ice_freezeVolumeFadeRate"}) {
    EXPECT_GT(config.getFloat(key), 0.0f) << key;
    EXPECT_LE(config.getFloat(key), 1.0f) << key;
  }
  std::vector<std::string> soundKeys;
  for (const SoundKey& loop : kLoopKeys) {
    if (std::string_view(loop.file) == "game_sfx.cfg") soundKeys.push_back(loop.key);
  }
  for (int level = 1; level <= 3; ++level) {
    for (int take = 1; take <= 4; ++take) {
      const std::string index = std::to_string(level) + "_" + std::to_string(take);
      soundKeys.push_back("waterSound_disturbance_level_" + index);
      soundKeys.push_back("iceSound_disturbance_Level_" + index);
    }
  }
  for (const std::string& key : soundKeys) {
    const std::string name = configuredSound(key.c_str());
    EXPECT_TRUE(!name.empty() && fs::is_regular_file(file(name))) << key << " = " << name;
  }
}

TEST_F(SoundgenOutput, EveryWavIsSixteenBitPcmAudibleAndUnclipped) {
  const std::set<std::string> loops = loopFileNames();
  const std::vector<fs::path> files = wavFiles();
  ASSERT_FALSE(files.empty());
  for (const fs::path& path : files) {
    SCOPED_TRACE(path.filename().string());
    const std::optional<DecodedWav> wav = decodeWav(readFileBytes(path));
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->formatTag, 1);
    EXPECT_TRUE(wav->channels == 1 || wav->channels == 2);
    EXPECT_TRUE(wav->sampleRate == 22050 || wav->sampleRate == 44100);
    EXPECT_EQ(wav->bitsPerSample, 16);
    EXPECT_EQ(wav->blockAlign, wav->channels * 2);
    EXPECT_EQ(wav->byteRate, wav->sampleRate * wav->blockAlign);
    ASSERT_EQ(wav->samples.size() % static_cast<std::size_t>(wav->channels), 0u);
    const auto frames = wav->samples.size() / static_cast<std::size_t>(wav->channels);
    EXPECT_GE(frames, static_cast<std::size_t>(wav->sampleRate / 10));
    // Effects are short; only a background loop may run longer before it repeats.
    const int longest = loops.count(path.filename().string()) != 0 ? 16 : 5;
    EXPECT_LE(frames, static_cast<std::size_t>(wav->sampleRate * longest));
    int peak = 0;
    for (std::int16_t sample : wav->samples) peak = std::max(peak, std::abs(int{sample}));
    EXPECT_GT(peak, 32767 / 4);
    EXPECT_LT(peak, 32767);
  }
}

TEST_F(SoundgenOutput, TheGamesReaderAcceptsEveryWav) {
  for (const fs::path& path : wavFiles()) {
    const std::string bytes = readFileBytes(path);
    const std::optional<sound::WavSound> sound = sound::readWav(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    ASSERT_TRUE(sound) << path.filename();
    EXPECT_EQ(sound->samples.size(), bytes.size() - 44) << path.filename();
  }
}

// A click is a jump the waveform doesn't otherwise make: at the seam the samples must be
// near zero, and the step from the last sample to the first must match the steps beside it.
TEST_F(SoundgenOutput, LoopsStartAndEndNearZeroWithMatchingSlope) {
  constexpr int kNearZero = 32767 * 3 / 100;
  for (const SoundKey& loop : kLoopKeys) {
    const std::string name = configuredSound(loop);
    SCOPED_TRACE(name);
    const std::optional<DecodedWav> wav = decodeWav(readFileBytes(file(name)));
    ASSERT_TRUE(wav);
    for (int channel = 0; channel < wav->channels; ++channel) {
      const std::vector<int> s = wav->channel(channel);
      ASSERT_GT(s.size(), 4u);
      const std::size_t last = s.size() - 1;
      EXPECT_LE(std::abs(s[0]), kNearZero);
      EXPECT_LE(std::abs(s[last]), kNearZero);
      const int seamStep = s[0] - s[last];
      EXPECT_LE(std::abs(seamStep - (s[1] - s[0])), kNearZero);
      EXPECT_LE(std::abs(seamStep - (s[last] - s[last - 1])), kNearZero);
    }
  }
}

TEST_F(SoundgenOutput, OneShotsStartAndEndAtRest) {
  constexpr int kAtRest = 32767 / 100;
  const std::set<std::string> loops = loopFileNames();
  for (const fs::path& path : wavFiles()) {
    if (loops.count(path.filename().string()) != 0) continue;
    SCOPED_TRACE(path.filename().string());
    const std::optional<DecodedWav> wav = decodeWav(readFileBytes(path));
    ASSERT_TRUE(wav);
    EXPECT_LE(std::abs(int{wav->samples.front()}), kAtRest);
    EXPECT_LE(std::abs(int{wav->samples.back()}), kAtRest);
  }
}

TEST_F(SoundgenOutput, MusicIsVorbisOfTheExpectedLengthAndRate) {
  std::string name = ConfigFile((kConfigDir / "game.cfg").string()).getString("music");
  std::replace(name.begin(), name.end(), '\\', '/');
  ASSERT_EQ(name, "music/theme.ogg");
  FILE* stream = std::fopen(file(name).c_str(), "rb");
  ASSERT_NE(stream, nullptr);
  OggVorbis_File vorbis;
  ASSERT_EQ(ov_open(stream, &vorbis, nullptr, 0), 0);  // the decoder owns the stream now
  const vorbis_info* info = ov_info(&vorbis, -1);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->channels, 2);
  EXPECT_EQ(info->rate, kThemeSampleRate);
  EXPECT_EQ(ov_pcm_total(&vorbis, -1),
            static_cast<ogg_int64_t>(kThemeSeconds * static_cast<float>(kThemeSampleRate)));
  const double seconds = ov_time_total(&vorbis, -1);
  EXPECT_GE(seconds, 20.0);
  EXPECT_LE(seconds, 40.0);

  long decodedBytes = 0;
  int peak = 0;
  char buffer[4096];
  int section = 0;
  for (long got; (got = ov_read(&vorbis, buffer, sizeof buffer, 0, 2, 1, &section)) > 0;) {
    decodedBytes += got;
    for (long i = 0; i + 1 < got; i += 2) {
      const auto sample =
          static_cast<std::int16_t>(ByteReader(std::string_view(buffer + i, 2)).u16());
      peak = std::max(peak, std::abs(int{sample}));
    }
  }
  EXPECT_EQ(decodedBytes, ov_pcm_total(&vorbis, -1) * 2 * 2);
  EXPECT_GT(peak, 32767 / 4);
  ov_clear(&vorbis);
}

TEST_F(SoundgenOutput, SecondRunWritesTheSameBytes) {
  TempDirectory again;
  ASSERT_TRUE(runSoundgen(again.path()));
  int compared = 0;
  for (const auto& entry : fs::recursive_directory_iterator(output_->path())) {
    if (!entry.is_regular_file()) continue;
    const fs::path relative = fs::relative(entry.path(), output_->path());
    EXPECT_TRUE(readFileBytes(entry.path()) == readFileBytes(again.path() / relative)) << relative;
    ++compared;
  }
  EXPECT_GE(compared, 33);
}

TEST(WavWriter, ClampsAndInterleavesStereoFrames) {
  Pcm pcm;
  pcm.sampleRate = 44100;
  pcm.channels = 2;
  pcm.samples = {0.5f, -0.5f, 1.5f, -3.0f};
  const std::optional<DecodedWav> wav = decodeWav(encodeWav(pcm));
  ASSERT_TRUE(wav);
  EXPECT_EQ(wav->channels, 2);
  EXPECT_EQ(wav->sampleRate, 44100);
  EXPECT_EQ(wav->byteRate, 44100 * 4);
  const std::vector<std::int16_t> expected{16384, -16384, 32767, -32767};
  EXPECT_EQ(wav->samples, expected);
}

}  // namespace

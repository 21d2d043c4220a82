// The built data folder as the menus find it: every file a menu or game.cfg names must be
// there (a frame set by at least one frame), a hover animation must brighten in the order
// the game plays a set, and the level-finished picture must leave the water gauge visible.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/config_file.h"
#include "common/data_path.h"
#include "game/platform/tga_reader.h"
#include "test_support/temp_directory.h"

namespace fs = std::filesystem;

namespace {

const fs::path kDataDir = VELLMOOR_DATA_DIR;

// The menus' own files and the shared one, as the game opens them.
const char* const kMenuFiles[] = {
    "menu_general.cfg",    "menu_main.cfg",          "menu_inGame.cfg",   "menu_options.cfg",
    "menu_highScores.cfg", "menu_instructions.cfg",  "menu_quitGame.cfg", "menu_loadMap.cfg",
    "menu_credits.cfg",    "menu_levelFinished.cfg", "menu_restart.cfg"};

std::string dataPath(const std::string& name) {
  return (kDataDir / "").string() + name;
}

ConfigFile configFile(const std::string& name) {
  return ConfigFile(dataPath("cfg\\" + name));
}

// The file names a configuration text holds: words with a folder and an extension.
std::set<std::string> namedFiles(const std::string& text) {
  static const std::regex kFileName(R"([A-Za-z0-9_]+(\\[A-Za-z0-9_.]+)+\.[A-Za-z0-9]+)");
  std::set<std::string> names;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), kFileName);
       it != std::sregex_iterator(); ++it) {
    names.insert(it->str());
  }
  return names;
}

// A frame-set name resolved the way the buttons do it: the folder's files matching the text
// before the last "_FRAME", then anything, then the extension; sorted without regard to case
// and played from the last of them.
std::vector<std::string> frameSet(const std::string& name) {
  std::string upper = name;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  const std::size_t mark = upper.rfind("_FRAME");
  const std::string pattern = upper.substr(0, mark) + "_FRAME*" + upper.substr(upper.rfind('.'));
  const std::string folder = upper.substr(0, upper.rfind('\\') + 1);
  std::vector<std::string> frames;
  for (const std::string& file : findMatchingFiles(dataPath(pattern))) {
    frames.insert(frames.begin(), folder + file);
  }
  return frames;
}

std::optional<platform::TgaImage> loadImage(const std::string& name) {
  const std::string bytes = readFileBytes(resolveDataPath(dataPath(name)));
  return platform::readTga({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

double totalAlpha(const platform::TgaImage& image) {
  double sum = 0.0;
  for (std::size_t i = 3; i < image.bgra.size(); i += 4) sum += image.bgra[i];
  return sum;
}

// The in-focus frame sets the menus name, for buttons and chooser arrows alike.
std::vector<std::string> inFocusSets() {
  static const std::regex kInFocus(R"(_frames_inFocus\s*=\s*(\S+))", std::regex::icase);
  std::vector<std::string> names;
  for (const char* menu : kMenuFiles) {
    const std::string text = readFileBytes(resolveDataPath(dataPath(std::string("cfg\\") + menu)));
    for (auto it = std::sregex_iterator(text.begin(), text.end(), kInFocus);
         it != std::sregex_iterator(); ++it) {
      names.push_back((*it)[1]);
    }
  }
  return names;
}

}  // namespace

TEST(DataFolder, HoldsEveryFileTheMenusAndTheGameName) {
  std::vector<std::string> configs(std::begin(kMenuFiles), std::end(kMenuFiles));
  configs.push_back("game.cfg");
  configs.push_back("splashScreen.cfg");
  std::set<std::string> checked;
  for (const std::string& config : configs) {
    SCOPED_TRACE(config);
    const fs::path path = resolveDataPath(dataPath("cfg\\" + config));
    ASSERT_TRUE(fs::is_regular_file(path));
    for (const std::string& name : namedFiles(readFileBytes(path))) {
      SCOPED_TRACE(name);
      checked.insert(name);
      if (name.find("_FRAME") != std::string::npos) {
        EXPECT_FALSE(frameSet(name).empty());
      } else {
        EXPECT_TRUE(fs::is_regular_file(resolveDataPath(dataPath(name))));
      }
    }
  }
  // Buttons' three sets, arrows, logo, background, texts, sounds and the finish animation.
  EXPECT_GE(checked.size(), 60u);
}

// A level naming a picture that was never drawn would show the missing-texture checks.
TEST(DataFolder, HoldsEveryPictureTheLevelsName) {
  for (const fs::directory_entry& level : fs::directory_iterator(kDataDir / "lev")) {
    if (level.path().extension() != ".swah") continue;
    SCOPED_TRACE(level.path().filename().string());
    // Names in a level file run straight into the bytes that follow them, so a picture's
    // name ends at its extension.
    static const std::regex kPicture(R"([A-Za-z0-9_]+(\\[A-Za-z0-9_]+)+\.tga)", std::regex::icase);
    const std::string bytes = readFileBytes(level.path());
    for (auto it = std::sregex_iterator(bytes.begin(), bytes.end(), kPicture);
         it != std::sregex_iterator(); ++it)
      EXPECT_TRUE(fs::is_regular_file(resolveDataPath(dataPath(it->str())))) << it->str();
  }
}

// A stray equals sign in a remark would pair up remark words as keys or make the game refuse
// the whole file; a key written twice would hide one of its values.
TEST(DataFolder, EachMenuFileReadsAsExactlyItsKeyLines) {
  static const std::regex kKeyLine(R"(^ *[A-Za-z_]+ = [^ =]+ *$)");
  for (const char* menu : kMenuFiles) {
    SCOPED_TRACE(menu);
    const std::string text = readFileBytes(resolveDataPath(dataPath(std::string("cfg\\") + menu)));
    std::size_t keyLines = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) keyLines += std::regex_match(line, kKeyLine);
    EXPECT_GT(keyLines, 0u);
    EXPECT_EQ(configFile(menu).size(), keyLines);
  }
}

TEST(DataFolder, HoverGlowGrowsInTheOrderTheGamePlaysIt) {
  int sets = 0;
  for (const std::string& name : inFocusSets()) {
    SCOPED_TRACE(name);
    ++sets;
    const std::vector<std::string> frames = frameSet(name);
    ASSERT_GE(frames.size(), 2u);
    double previous = 0.0;
    for (const std::string& frame : frames) {
      const std::optional<platform::TgaImage> image = loadImage(frame);
      ASSERT_TRUE(image) << frame;
      EXPECT_GT(totalAlpha(*image), previous) << frame;
      previous = totalAlpha(*image);
    }
  }
  EXPECT_GE(sets, 10);
}

TEST(DataFolder, LevelFinishedPictureLetsTheWaterGaugeShowThrough) {
  const ConfigFile menu = configFile("menu_levelFinished.cfg");
  const std::optional<platform::TgaImage> picture = loadImage(menu.getString("backgroundImage"));
  ASSERT_TRUE(picture);
  // The picture is stretched from its source rectangle over the 800 x 600 screen.
  const float sx = menu.getFloat("backgroundImage_x"), sy = menu.getFloat("backgroundImage_y");
  const float sw = menu.getFloat("backgroundImage_w"), sh = menu.getFloat("backgroundImage_h");
  auto alphaAt = [&](int screenX, int screenY) {
    const int x = static_cast<int>(sx + (screenX + 0.5f) * sw / 800.0f);
    const int y = static_cast<int>(sy + (screenY + 0.5f) * sh / 600.0f);
    return picture->bgra[(static_cast<std::size_t>(y) * picture->width + x) * 4 + 3];
  };
  const int gx = menu.getInt("waterLevel_x"), gy = menu.getInt("waterLevel_y");
  const int gw = menu.getInt("waterLevel_w"), gh = menu.getInt("waterLevel_h");
  ASSERT_GT(gw, 0);
  ASSERT_GT(gh, 0);
  for (int y = gy; y < gy + gh; y += 7) {
    for (int x = gx; x < gx + gw; x += 3) EXPECT_LT(alphaAt(x, y), 128) << x << "," << y;
  }
  // Everywhere else the picture covers the black the menu clears to.
  for (const auto& [x, y] : {std::pair{400, 300}, std::pair{gx + gw + 40, gy + gh / 2},
                             std::pair{gx + gw / 2, gy + gh + 60}, std::pair{780, 20}}) {
    EXPECT_EQ(alphaAt(x, y), 255) << x << "," << y;
  }
}

// The texture manager's bookkeeping, with no window: names, counts per creating thread,
// sharing, listing and the settings, observed through a recording device.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "game/platform/texture_device.h"
#include "game/platform/texture_handle.h"
#include "game/platform/textures.h"
#include "test_support/temp_directory.h"

namespace {

using textures::referenceCount;

struct DeviceLog {
  std::vector<uint32_t> deleted;
  std::vector<std::pair<std::string, uint32_t>> loads;  // key, texture id
  std::vector<std::pair<uint32_t, int32_t>> anisotropy;
  std::vector<int32_t> hints;
};

// Every load gives an 8 x 4 image, 24 bits, "loaded" unless the key starts with "MISSING".
class RecordingDevice : public textures::TextureDevice {
 public:
  RecordingDevice(DeviceLog& log, bool anisotropic, bool everyThreadHasAContext = false)
      : log_(log), anisotropic_(anisotropic), everyThreadHasAContext_(everyThreadHasAContext) {}
  bool canUploadHere() const override {
    return everyThreadHasAContext_ || std::this_thread::get_id() == owner_;
  }
  uint32_t generateId() override { return ++lastId_; }
  void deleteId(uint32_t id) override { log_.deleted.push_back(id); }
  void load(textures::Texture& texture) override {
    log_.loads.emplace_back(texture.name, texture.textureId);
    texture.width = 8;
    texture.height = 4;
    texture.sourceBytesPerPixel = 3;
    texture.loaded = !texture.name.starts_with("MISSING");
    texture.hasAlpha = !texture.loaded;
  }
  bool anisotropyAvailable() const override { return anisotropic_; }
  int32_t maxAnisotropy() const override { return 16; }
  void applyAnisotropy(uint32_t id, int32_t level) override {
    log_.anisotropy.emplace_back(id, level);
  }
  void applyQualityHint(int32_t quality) override { log_.hints.push_back(quality); }

 private:
  DeviceLog& log_;
  bool anisotropic_;
  bool everyThreadHasAContext_;
  std::thread::id owner_ = std::this_thread::get_id();
  uint32_t lastId_ = 100;
};

class TextureManagerTest : public ::testing::Test {
 protected:
  void TearDown() override { textures::installTextureDevice(nullptr); }
  void useDevice(bool anisotropic = true, bool everyThreadHasAContext = false) {
    textures::installTextureDevice(
        std::make_unique<RecordingDevice>(log_, anisotropic, everyThreadHasAContext));
  }
  DeviceLog log_;
};

TEST_F(TextureManagerTest, WithoutDeviceNamesAndCountsButLoadsNothing) {
  TextureHandle stone("gfx\\Stone.tga", "DEFAULT_TEXTURE");
  TextureHandle again("GFX\\STONE.TGA", "DEFAULT_TEXTURE");
  EXPECT_EQ(stone.name(), "gfx\\Stone.tga");
  EXPECT_EQ(stone.fallbackName(), "DEFAULT_TEXTURE");
  EXPECT_EQ(referenceCount("gfx\\stone.tga"), 2);
  EXPECT_EQ(stone.textureId(), 0u);
  EXPECT_FALSE(stone.hasAlpha());
  EXPECT_EQ(textures::textureListing(),
            std::vector<std::string>{"GFX\\STONE.TGA (loading failed)  : 0 BIT"});
  EXPECT_EQ(textures::textureMemory(), 0u);
}

// Headers written by hand from the formats' layouts: PNG's IHDR, BMP's info header (a
// negative height for top-down rows), JPEG's start of frame after an APP0 segment, TGA's.
TEST_F(TextureManagerTest, WithoutDeviceSizesComeFromTheImageHeaders) {
  TempDirectory data;
  const auto bytes = [](std::initializer_list<int> list) {
    return std::string(list.begin(), list.end());
  };
  data.write("png.png", bytes({0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H', 'D',
                               'R', 0, 0, 1, 44, 0, 0, 0, 20}));
  data.write("bmp.bmp", bytes({'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 33,
                               0, 0, 0, 0xF9, 0xFF, 0xFF, 0xFF}));
  data.write("jpeg.jpg", bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 'J', 'F', 0xFF, 0xC0, 0, 11, 8,
                                0, 48, 2, 128, 1, 0, 0, 0}));
  data.write("tga.tga", bytes({0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 0, 9, 0, 32, 8}));
  data.write("text.png", "not an image");
  WorkingDirectory inside(data.path());
  const struct {
    const char* name;
    int32_t width, height;
  } cases[] = {{"png.png", 300, 20}, {"BMP.bmp", 33, 7},  {"jpeg.jpg", 640, 48},
               {"tga.tga", 7, 9},    {"text.png", 16, 16}, {"missing.tga", 16, 16}};
  for (const auto& c : cases) {
    const TextureHandle handle(c.name, "");
    EXPECT_EQ(handle.width(), c.width) << c.name;
    EXPECT_EQ(handle.height(), c.height) << c.name;
  }
}

TEST_F(TextureManagerTest, UnnamedHandleIsTheDefaultTexture) {
  TextureHandle unnamed;
  EXPECT_EQ(unnamed.name(), "No_Texture_Specified");
  EXPECT_EQ(unnamed.fallbackName(), "NO_TEXTURE");
  EXPECT_TRUE(unnamed.isDefault());
  EXPECT_TRUE(TextureHandle(unnamed).isDefault());
  EXPECT_FALSE(TextureHandle("gfx\\a.tga", "NO_TEXTURE").isDefault());
  EXPECT_EQ(referenceCount("NO_TEXTURE_SPECIFIED"), 1);
}

TEST_F(TextureManagerTest, NamesDifferingInCaseShareOneLoad) {
  useDevice();
  TextureHandle a("gfx\\Lamp.tga", "DEFAULT_SPRITE");
  TextureHandle b("GFX\\lamp.TGA", "DEFAULT_SPRITE");
  EXPECT_EQ(referenceCount("gfx\\lamp.tga"), 2);
  ASSERT_EQ(log_.loads.size(), 1u);
  EXPECT_EQ(log_.loads[0].first, "GFX\\LAMP.TGA");
  EXPECT_EQ(a.textureId(), b.textureId());
  EXPECT_EQ(a, b);
  EXPECT_EQ(b.width(), 8);
  EXPECT_EQ(b.height(), 4);
}

TEST_F(TextureManagerTest, LastReleaseDeletesAndNextAcquireLoadsAnew) {
  useDevice();
  uint32_t firstId = 0;
  {
    TextureHandle a("water.png", "");
    TextureHandle b("water.png", "");
    firstId = a.textureId();
  }
  EXPECT_EQ(log_.deleted, std::vector<uint32_t>{firstId});
  EXPECT_EQ(referenceCount("water.png"), 0);
  EXPECT_TRUE(textures::textureListing().empty());
  TextureHandle again("WATER.PNG", "");
  EXPECT_EQ(log_.loads.size(), 2u);
  EXPECT_NE(again.textureId(), firstId);
}

TEST_F(TextureManagerTest, CopiesAssignmentsRenamesAndMovesKeepCountsRight) {
  useDevice();
  TextureHandle a("a.tga", "DEFAULT_SPRITE");
  TextureHandle copy(a);
  EXPECT_EQ(referenceCount("a.tga"), 2);
  EXPECT_EQ(copy.fallbackName(), "DEFAULT_SPRITE");
  EXPECT_EQ(copy.textureId(), a.textureId());

  TextureHandle b("b.tga", "");
  copy = b;  // lets go of a, takes b
  EXPECT_EQ(referenceCount("a.tga"), 1);
  EXPECT_EQ(referenceCount("b.tga"), 2);
  EXPECT_EQ(copy.textureId(), b.textureId());

  const TextureHandle& same = copy;
  copy = same;
  EXPECT_EQ(referenceCount("b.tga"), 2);

  copy.rename("B.TGA");  // same key: nothing changes
  EXPECT_EQ(referenceCount("b.tga"), 2);
  copy.rename("c.tga");
  EXPECT_EQ(referenceCount("b.tga"), 1);
  EXPECT_EQ(referenceCount("c.tga"), 1);
  EXPECT_EQ(copy.name(), "c.tga");

  TextureHandle moved(std::move(copy));
  EXPECT_EQ(referenceCount("c.tga"), 1);
  moved = std::move(a);  // c goes, a's reference moves over
  EXPECT_EQ(referenceCount("c.tga"), 0);
  EXPECT_EQ(referenceCount("a.tga"), 1);
  EXPECT_EQ(moved.name(), "a.tga");

  TextureHandle fromMovedFrom(a);  // a holds nothing after the move
  EXPECT_EQ(referenceCount("a.tga"), 1);
  EXPECT_EQ(fromMovedFrom.textureId(), 0u);
}

// Names sort the other way round from the ids the device hands out, and two spellings of one
// name share a texture: only an order by texture id passes.
TEST_F(TextureManagerTest, HandlesOrderByTextureIdNotByName) {
  useDevice();
  TextureHandle zebra("zebra.tga", "");
  TextureHandle apple("apple.tga", "");
  EXPECT_LT(zebra, apple);
  EXPECT_EQ(TextureHandle("APPLE.TGA", ""), apple);
}

TEST_F(TextureManagerTest, AnotherThreadNeitherCountsNorUploads) {
  useDevice();
  TextureHandle mine("shared.tga", "");
  std::thread([] {
    TextureHandle theirs("SHARED.TGA", "");
    EXPECT_EQ(referenceCount("shared.tga"), 1);
  }).join();
  EXPECT_EQ(referenceCount("shared.tga"), 1);

  TextureHandle madeElsewhere;
  std::thread([&madeElsewhere] { madeElsewhere = TextureHandle("elsewhere.tga", ""); }).join();
  EXPECT_EQ(madeElsewhere.textureId(), 0u);
  EXPECT_EQ(log_.loads.size(), 2u);  // "shared.tga" and the unnamed texture only

  // Only the textures this thread created are reloaded.
  log_.loads.clear();
  textures::reloadAllTextures();
  std::vector<std::string> reloaded;
  for (const auto& [key, id] : log_.loads) reloaded.push_back(key);
  EXPECT_EQ(reloaded, (std::vector<std::string>{"NO_TEXTURE_SPECIFIED", "SHARED.TGA"}));
}

// The loading screen's thread draws with a context of its own, in the menus' font, before
// the menus take it and lets it go while they still hold it.
TEST_F(TextureManagerTest, AThreadWithAContextOfItsOwnMakesAndDropsItsOwnTexture) {
  useDevice(true, /*everyThreadHasAContext=*/true);
  std::optional<TextureHandle> theirs;
  uint32_t theirId = 0;
  std::thread([&] { theirs.emplace("font.tga", ""), theirId = theirs->textureId(); }).join();
  TextureHandle mine("FONT.TGA", "");
  EXPECT_NE(mine.textureId(), theirId);
  std::thread([&] { theirs.reset(); }).join();
  EXPECT_EQ(log_.deleted, std::vector<uint32_t>{theirId});
  EXPECT_EQ(referenceCount("font.tga"), 1);
  EXPECT_EQ(TextureHandle("font.tga", "").textureId(), mine.textureId());
}

TEST_F(TextureManagerTest, ReloadRefillsTheSameIds) {
  useDevice();
  TextureHandle a("a.tga", "");
  TextureHandle b("b.tga", "");
  log_.loads.clear();
  textures::reloadAllTextures();
  EXPECT_EQ(log_.loads, (std::vector<std::pair<std::string, uint32_t>>{{"A.TGA", a.textureId()},
                                                                       {"B.TGA", b.textureId()}}));
  EXPECT_TRUE(log_.deleted.empty());
}

TEST_F(TextureManagerTest, QualityChangesOnlyForNewValidValues) {
  useDevice();
  TextureHandle a("a.tga", "");
  log_.loads.clear();
  for (int32_t ignored : {0, -1, 3}) textures::setTextureQuality(ignored);
  EXPECT_EQ(textures::textureQuality(), 0);
  EXPECT_TRUE(log_.loads.empty());
  EXPECT_TRUE(log_.hints.empty());

  textures::setTextureQuality(2);
  EXPECT_EQ(textures::textureQuality(), 2);
  EXPECT_EQ(log_.hints, std::vector<int32_t>{2});
  EXPECT_EQ(log_.loads.size(), 1u);
  textures::setTextureQuality(2);
  EXPECT_EQ(log_.loads.size(), 1u);
}

TEST_F(TextureManagerTest, AnisotropyIsClampedAndAppliedToEveryTexture) {
  useDevice();
  TextureHandle a("a.tga", "");
  TextureHandle b("b.tga", "");
  textures::setAnisotropy(64);
  EXPECT_EQ(textures::anisotropy(), 16);
  EXPECT_EQ(log_.anisotropy,
            (std::vector<std::pair<uint32_t, int32_t>>{{a.textureId(), 16}, {b.textureId(), 16}}));
  textures::setAnisotropy(0);
  EXPECT_EQ(textures::anisotropy(), 1);
  textures::setAnisotropy(-3);  // compared unsigned: above every limit
  EXPECT_EQ(textures::anisotropy(), 16);
  textures::setAnisotropy(4);
  EXPECT_EQ(textures::anisotropy(), 4);
}

TEST_F(TextureManagerTest, AnisotropyNeedsTheDriversSupport) {
  useDevice(/*anisotropic=*/false);
  textures::setAnisotropy(8);
  EXPECT_EQ(textures::anisotropy(), 1);
  EXPECT_TRUE(log_.anisotropy.empty());
}

TEST_F(TextureManagerTest, ListingFollowsByteOrderOfKeys) {
  useDevice();
  TextureHandle under("_last.tga", "");
  TextureHandle lower("b.tga", "");
  TextureHandle missing("missing.bmp", "DEFAULT_SPRITE");
  TextureHandle upper("A.tga", "");
  EXPECT_EQ(textures::textureListing(), (std::vector<std::string>{
                                            "A.TGA : 24 BIT",
                                            "B.TGA : 24 BIT",
                                            "MISSING.BMP (loading failed)  : 24 BIT",
                                            "_LAST.TGA : 24 BIT",
                                        }));
  EXPECT_EQ(textures::textureMemory(), 4u * 8 * 4 * 4);
}

TEST_F(TextureManagerTest, FreeingAndReinstallingDropEveryTexture) {
  useDevice();
  auto a = std::make_unique<TextureHandle>("a.tga", "");
  const uint32_t aId = a->textureId();
  textures::setAnisotropy(8);
  textures::setTextureQuality(1);
  textures::freeAllTextures();
  EXPECT_EQ(log_.deleted, std::vector<uint32_t>{aId});
  EXPECT_TRUE(textures::textureListing().empty());
  EXPECT_EQ(textures::anisotropy(), 1);
  a.reset();  // its name is gone: nothing to release
  EXPECT_EQ(log_.deleted.size(), 1u);

  TextureHandle b("b.tga", "");
  useDevice();
  EXPECT_EQ(log_.deleted.back(), b.textureId());
  EXPECT_EQ(textures::textureQuality(), 0);
  EXPECT_EQ(referenceCount("b.tga"), 0);
}

}  // namespace

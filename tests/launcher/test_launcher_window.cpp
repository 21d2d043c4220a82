// The launcher's window on the X server: it shows its picture and captions, starts a stand-in
// game program in the data folder with the chosen options and closes, and says so when the
// game can't be started.

#include "launcher/launcher_window.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "test_support/temp_directory.h"
#include "tools/imagegen/bmp_writer.h"

namespace {

using namespace std::chrono_literals;

const std::vector<std::string> kResolutions = {"Same as desktop", "1024 x 768", "800 x 600"};
constexpr ScreenSize kDesktop{1920, 1080};

// Lets GTK map, lay out and paint for a while.
void pumpEvents(std::chrono::milliseconds time = 300ms) {
  const auto end = std::chrono::steady_clock::now() + time;
  while (std::chrono::steady_clock::now() < end) {
    while (gtk_events_pending()) gtk_main_iteration();
    std::this_thread::sleep_for(5ms);
  }
}

std::string bitmap(int width, int height, uint8_t r, uint8_t g, uint8_t b) {
  Image image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, r, g, b, 255);
  const std::vector<uint8_t> bytes = encodeBmp(image);
  return {bytes.begin(), bytes.end()};
}

class LauncherWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "the launcher tests need an X server";
    data.write("cfg/game.cfg", "");
    data.write("gfx/Launcher/BACKGROUND.bmp", bitmap(525, 365, 30, 90, 150));
    // The stand-in game writes its working directory and its arguments, a line each.
    game.program = data.write("game.sh", "#!/bin/sh\n{ pwd; printf '%s\\n' \"$@\"; } > " +
                                             (data.path() / "started.txt").string() + "\n");
    std::filesystem::permissions(game.program, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    game.dataFolder = data.path();
  }

  TempDirectory data;
  GameProgram game;
};

guchar* pixel(GdkPixbuf* shot, int x, int y) {
  return gdk_pixbuf_get_pixels(shot) + y * gdk_pixbuf_get_rowstride(shot) +
         x * gdk_pixbuf_get_n_channels(shot);
}

TEST_F(LauncherWindowTest, ShowsItsPictureAndStartsTheGameInItsDataFolder) {
  LauncherWindow launcher(kResolutions, kDesktop, {2, 1, 5, 3}, game);
  pumpEvents();
  GdkPixbuf* shot = gdk_pixbuf_get_from_window(gtk_widget_get_window(launcher.window()), 0, 0,
                                               525, 365);
  ASSERT_NE(shot, nullptr);
  const std::filesystem::path screenshots = std::filesystem::current_path() / "screenshots";
  std::filesystem::create_directories(screenshots);
  gdk_pixbuf_save(shot, (screenshots / "launcher_test.png").c_str(), "png", nullptr, nullptr);
  const guchar* backdrop = pixel(shot, 480, 150);
  EXPECT_EQ((std::array<int, 3>{backdrop[0], backdrop[1], backdrop[2]}),
            (std::array<int, 3>{30, 90, 150}));
  int white = 0;  // the heading's strokes
  for (int y = 200; y < 230; ++y)
    for (int x = 10; x < 150; ++x) white += pixel(shot, x, y)[0] > 240 ? 1 : 0;
  EXPECT_GT(white, 100);
  g_object_unref(shot);

  EXPECT_EQ(launcher.choices().detail, 5);
  gtk_combo_box_set_active(launcher.list(LauncherList::Resolution), 1);
  gtk_combo_box_set_active(launcher.list(LauncherList::SoundMode), 2);
  gtk_toggle_button_set_active(launcher.reducedMotionSwitch(), TRUE);
  gtk_toggle_button_set_active(launcher.highContrastSwitch(), TRUE);
  gtk_button_clicked(launcher.startButton());
  EXPECT_EQ(launcher.window(), nullptr);
  const std::filesystem::path started = data.path() / "started.txt";
  for (int wait = 0; wait < 200 && readFileBytes(started).empty(); ++wait)
    std::this_thread::sleep_for(10ms);
  EXPECT_EQ(readFileBytes(started),
            std::filesystem::canonical(data.path()).string() +
                "\n-detail\n5\n-music\n1\n-sound\n0\n-fullscreen\n0\n-reducedmotion\n1\n-highcontrast\n1\n-resolution\n1024\n768\n");
}

TEST_F(LauncherWindowTest, SaysSoWhenTheGameCantBeStartedAndCloses) {
  game.program = data.path() / "missing" / "vmr_main";
  LauncherWindow launcher(kResolutions, kDesktop, {}, game);
  pumpEvents(100ms);
  std::string shown;
  // The message is modal: it is read and answered from inside its own loop.
  g_timeout_add(
      100,
      [](gpointer text) -> gboolean {
        for (GList* w = gtk_window_list_toplevels(); w != nullptr; w = w->next) {
          if (!GTK_IS_MESSAGE_DIALOG(w->data)) continue;
          gchar* message = nullptr;
          g_object_get(w->data, "text", &message, nullptr);
          *static_cast<std::string*>(text) =
              std::string(gtk_window_get_title(GTK_WINDOW(w->data))) + "|" + message;
          g_free(message);
          gtk_dialog_response(GTK_DIALOG(w->data), GTK_RESPONSE_OK);
          return G_SOURCE_REMOVE;
        }
        return G_SOURCE_CONTINUE;
      },
      &shown);
  gtk_button_clicked(launcher.startButton());
  EXPECT_EQ(shown, "Unable to launch game|Unable to find or run the game executable '" +
                       game.program.string() + "'.\nPlease attempt reinstallation of the program.");
  EXPECT_EQ(launcher.window(), nullptr);
}

}  // namespace

#include "launcher/launcher_window.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "common/data_path.h"

namespace {

constexpr int kWidth = 525;
constexpr int kHeight = 365;
constexpr int kListWidth = 150;
constexpr int kButtonWidth = 125;
constexpr int kButtonHeight = 24;
constexpr const char* kTitle = "Vellmoor - Game launcher";
constexpr const char* kBackground = "gfx\\launcher\\background.bmp";

struct Caption {
  const char* text;
  int x, y;
};
constexpr Caption kCaptions[] = {{"Screen resolution:", 10, 245},
                                 {"Full screen:", 10, 275},
                                 {"Detail level:", 10, 305},
                                 {"Sound mode:", 10, 335},
                                 {"Reduced motion:", 288, 245},
                                 {"High contrast:", 288, 275}};
constexpr Caption kHeading{"Game Settings", 10, 200};

// Compact lists and buttons, so each fits the 30-pixel rows of the settings pane.
constexpr const char* kStyle =
    "combobox button, button { min-height: 0; padding: 1px 6px; }"
    "combobox box { min-height: 0; }";

std::vector<std::string> itemTexts(auto items) {
  return std::vector<std::string>(items.begin(), items.end());
}

void paintText(cairo_t* cr, const char* text, int x, int y, const char* font) {
  PangoLayout* layout = pango_cairo_create_layout(cr);
  PangoFontDescription* description = pango_font_description_from_string(font);
  pango_layout_set_font_description(layout, description);
  pango_layout_set_text(layout, text, -1);
  cairo_move_to(cr, x, y);
  pango_cairo_show_layout(cr, layout);
  pango_font_description_free(description);
  g_object_unref(layout);
}

// The picture as a cairo surface; null when it can't be read.
cairo_surface_t* readBitmap(const std::filesystem::path& file) {
  SDL_Surface* loaded = SDL_LoadBMP(file.c_str());
  if (loaded == nullptr) return nullptr;
  SDL_Surface* pixels = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  if (pixels == nullptr) return nullptr;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, pixels->w, pixels->h);
  cairo_surface_flush(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < pixels->h; ++y)
    std::memcpy(cairo_image_surface_get_data(surface) + y * stride,
                static_cast<const uint8_t*>(pixels->pixels) + y * pixels->pitch,
                static_cast<size_t>(pixels->w) * 4);
  cairo_surface_mark_dirty(surface);
  SDL_FreeSurface(pixels);
  return surface;
}

}  // namespace

LauncherWindow::LauncherWindow(std::vector<std::string> resolutions, ScreenSize desktop,
                               const LauncherChoices& initial, GameProgram game)
    : resolutions_(std::move(resolutions)),
      desktop_(desktop),
      initial_(initial),
      game_(std::move(game)) {
  loadBackground();
  build();
}

LauncherWindow::~LauncherWindow() {
  close();
  if (background_ != nullptr) cairo_surface_destroy(background_);
}

void LauncherWindow::build() {
  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window_), kTitle);
  gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
  gtk_window_set_position(GTK_WINDOW(window_), GTK_WIN_POS_CENTER);
  g_signal_connect(window_, "destroy", G_CALLBACK(onDestroy), this);

  GtkCssProvider* style = gtk_css_provider_new();
  gtk_css_provider_load_from_data(style, kStyle, -1, nullptr);
  gtk_style_context_add_provider_for_screen(gtk_widget_get_screen(window_),
                                            GTK_STYLE_PROVIDER(style),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(style);

  GtkWidget* area = gtk_fixed_new();
  GtkWidget* picture = gtk_drawing_area_new();
  gtk_widget_set_size_request(picture, kWidth, kHeight);
  g_signal_connect(picture, "draw", G_CALLBACK(onDraw), this);
  GtkFixed* fixed = GTK_FIXED(area);
  gtk_fixed_put(fixed, picture, 0, 0);
  lists_[0] = addList(fixed, 125, 240, resolutions_, initial_.resolution);
  lists_[1] = addList(fixed, 125, 270, itemTexts(kFullscreenItems), initial_.fullscreen);
  lists_[2] = addList(fixed, 125, 300, itemTexts(kDetailItems), initial_.detail);
  lists_[3] = addList(fixed, 125, 330, itemTexts(kSoundModeItems), initial_.soundMode);
  reducedMotion_ = addSwitch(fixed, 398, 242, initial_.reducedMotion);
  highContrast_ = addSwitch(fixed, 398, 272, initial_.highContrast);
  start_ = addButton(fixed, 390, 300, "Start Game");
  quit_ = addButton(fixed, 390, 330, "Quit");
  g_signal_connect(start_, "clicked", G_CALLBACK(onStart), this);
  g_signal_connect(quit_, "clicked", G_CALLBACK(onQuit), this);
  gtk_container_add(GTK_CONTAINER(window_), area);
  gtk_widget_show_all(window_);
}

GtkComboBox* LauncherWindow::addList(GtkFixed* area, int x, int y,
                                     const std::vector<std::string>& items, int chosen) {
  GtkWidget* list = gtk_combo_box_text_new();
  for (const std::string& item : items)
    gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(list), item.c_str());
  // A choice past the end of the list takes its last item.
  const int last = static_cast<int>(items.size()) - 1;
  gtk_combo_box_set_active(GTK_COMBO_BOX(list), std::clamp(chosen, 0, std::max(last, 0)));
  gtk_widget_set_size_request(list, kListWidth, -1);
  gtk_fixed_put(area, list, x, y);
  return GTK_COMBO_BOX(list);
}

GtkButton* LauncherWindow::addButton(GtkFixed* area, int x, int y, const char* label) {
  GtkWidget* button = gtk_button_new_with_label(label);
  gtk_widget_set_size_request(button, kButtonWidth, kButtonHeight);
  gtk_fixed_put(area, button, x, y);
  return GTK_BUTTON(button);
}

GtkToggleButton* LauncherWindow::addSwitch(GtkFixed* area, int x, int y, bool on) {
  GtkToggleButton* box = GTK_TOGGLE_BUTTON(gtk_check_button_new());
  gtk_toggle_button_set_active(box, on);
  gtk_fixed_put(area, GTK_WIDGET(box), x, y);
  return box;
}

void LauncherWindow::loadBackground() {
  if (game_.dataFolder.empty()) return;
  background_ = readBitmap(resolvePathBelow(game_.dataFolder, kBackground));
}

GtkComboBox* LauncherWindow::list(LauncherList which) const {
  return lists_[static_cast<int>(which)];
}

LauncherChoices LauncherWindow::choices() const {
  auto chosen = [this](LauncherList which) {
    return std::max(gtk_combo_box_get_active(list(which)), 0);
  };
  return {chosen(LauncherList::Resolution), chosen(LauncherList::Fullscreen),
          chosen(LauncherList::Detail), chosen(LauncherList::SoundMode),
          gtk_toggle_button_get_active(reducedMotion_) == TRUE,
          gtk_toggle_button_get_active(highContrast_) == TRUE};
}

void LauncherWindow::paint(cairo_t* cr) const {
  // Without its picture the window stays bare behind the captions.
  if (background_ != nullptr) {
    cairo_set_source_surface(cr, background_, 0, 0);
    cairo_paint(cr);
  }
  cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
  for (const Caption& caption : kCaptions) paintText(cr, caption.text, caption.x, caption.y, "Sans 9");
  paintText(cr, kHeading.text, kHeading.x, kHeading.y, "Sans Heavy 18");
}

void LauncherWindow::startPressed() {
  if (!startGame(game_, commandLine(choices(), resolutions_, desktop_))) {
    GtkWidget* message = gtk_message_dialog_new(
        GTK_WINDOW(window_), GtkDialogFlags(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
        GTK_MESSAGE_ERROR, GTK_BUTTONS_OK, "%s", launchFailureText(game_).c_str());
    gtk_window_set_title(GTK_WINDOW(message), std::string(kLaunchFailureCaption).c_str());
    gtk_window_set_keep_above(GTK_WINDOW(message), TRUE);
    gtk_dialog_run(GTK_DIALOG(message));
    gtk_widget_destroy(message);
  }
  close();
}

void LauncherWindow::close() {
  if (window_ != nullptr) gtk_widget_destroy(window_);
}

gboolean LauncherWindow::onDraw(GtkWidget*, cairo_t* cr, gpointer self) {
  static_cast<const LauncherWindow*>(self)->paint(cr);
  return FALSE;
}

void LauncherWindow::onStart(GtkButton*, gpointer self) {
  static_cast<LauncherWindow*>(self)->startPressed();
}

void LauncherWindow::onQuit(GtkButton*, gpointer self) {
  static_cast<LauncherWindow*>(self)->close();
}

void LauncherWindow::onDestroy(GtkWidget*, gpointer self) {
  static_cast<LauncherWindow*>(self)->window_ = nullptr;
}

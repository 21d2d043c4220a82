#pragma once
// The construction every menu shares. A menu reads two configuration files, its own and the
// shared "cfg\menu_general.cfg"; each widget takes its place and look from keys named after
// it ("startButton_x", "startButton_frames_inFocus", …) and the general look (font, colours,
// shadows, sounds, animation speed) from the shared file. A missing file or key reads as 0
// or empty, so widgets pile up at the top-left rather than anything failing.

#include <string>
#include <string_view>
#include <vector>

#include "common/config_file.h"
#include "game/gui/gui_animated_button.h"
#include "game/gui/gui_image.h"
#include "game/gui/gui_label.h"
#include "game/gui/gui_option_chooser.h"
#include "game/gui/gui_screen.h"
#include "game/gui/gui_text_box.h"

constexpr std::string_view kMenuGeneralConfigPath = "cfg\\menu_general.cfg";
// A button's action follows its click by this long, so its click animation and sound play.
constexpr float kButtonActionDelay = 0.8f;

// The general file's look, as the menus and the name entry share it.
struct MenuLook {
  explicit MenuLook(const ConfigFile& general);

  std::string font;
  GuiColour fontColour;
  float textShadowX, textShadowY;
  GuiColour textShadowColour;
  float buttonShadowX, buttonShadowY;
  GuiColour buttonShadowColour;
  float animationSpeed;
  std::string overSound;
  std::string clickedSound;
};

// A button or chooser arrow's rectangle, frames, shadow, speed and sounds from the keys of
// `name` in `own` and the look of the general file.
void buildMenuButton(GuiAnimatedButton& button, const ConfigFile& own, const MenuLook& look,
                     std::string_view name);

// A menu action with no arguments: true when it switched the menu.
using MenuCommand = std::function<bool()>;
// A dialog's button falls back from its click to its hover state as it closes the dialog.
constexpr bool kClosesDialog = true;

class MenuBuilder {
 public:
  MenuBuilder(GuiScreen& screen, std::string_view ownFile);

  const ConfigFile& own() const { return own_; }
  const ConfigFile& general() const { return general_; }
  const MenuLook& look() const { return look_; }

  // The "logo" picture at its own size, centred on ("logo_x", "logo_y").
  GuiImage* addLogo();
  // Fixed text at (name_x, name_y).
  GuiLabel* addLabel(std::string_view name, std::string_view text, float size);
  // A button from its rectangle and frame-set keys; a click or Enter or Space runs `command`
  // 0.8 s later.
  GuiAnimatedButton* addButton(std::string_view name, MenuCommand command,
                               bool closesDialog = false);
  GuiOptionChooser* addChooser(std::string_view name, std::vector<std::string> options);
  // A wrapped text from the file named by name_text, at name_x, name_y, name_w, name_fontSize.
  GuiTextBox* addTextBox(std::string_view name);

  // The menu's font, colour and text shadow.
  void applyTextLook(GuiTextWidget& widget) const;
  float ownFloat(std::string_view name, std::string_view suffix) const;
  int32_t ownPixel(std::string_view name, std::string_view suffix) const;

 private:
  GuiScreen& screen_;
  ConfigFile own_;
  ConfigFile general_;
  MenuLook look_;
};

// Down and Tab move to the next widget, Up to the previous one; the last one's Tab wraps to
// the first.
void chainNavigation(const std::vector<GuiWidget*>& order);
// Runs `command` for Enter or Space; other keys do nothing and change nothing.
bool isActivationKey(int32_t key);

#include "game/gui/menu_builder.h"

#include <cmath>

#include "common/data_path.h"
#include "common/regular_file.h"
#include "game/platform/virtual_keys.h"

namespace {

// Text files shown in a menu are a page or two; anything past this is not read.
constexpr size_t kLargestMenuText = 64 * 1024;

GuiColour colourOf(const ConfigFile& file, std::string_view name) {
  const std::string key(name);
  return {file.getFloat(key + "_r"), file.getFloat(key + "_g"), file.getFloat(key + "_b"),
          file.getFloat(key + "_a")};
}

std::string keyOf(std::string_view name, std::string_view suffix) {
  return std::string(name) + std::string(suffix);
}

// Layout keys name whole pixels; a fraction is cut off.
int32_t configPixel(const ConfigFile& file, std::string_view name, std::string_view suffix) {
  return static_cast<int32_t>(std::trunc(file.getFloat(keyOf(name, suffix))));
}

}  // namespace

MenuLook::MenuLook(const ConfigFile& general)
    : font(general.getString("menuFont")),
      fontColour(colourOf(general, "menuFontColor")),
      textShadowX(general.getFloat("textDropShadowOffset_x")),
      textShadowY(general.getFloat("textDropShadowOffset_y")),
      textShadowColour(colourOf(general, "textDropShadowColor")),
      buttonShadowX(general.getFloat("buttonDropShadowOffset_x")),
      buttonShadowY(general.getFloat("buttonDropShadowOffset_y")),
      buttonShadowColour(colourOf(general, "buttonDropShadowColor")),
      animationSpeed(general.getFloat("menuAnimationSpeeds")),
      overSound(general.getString("menuOverSound")),
      clickedSound(general.getString("menuClickedSound")) {}

MenuBuilder::MenuBuilder(GuiScreen& screen, std::string_view ownFile)
    : screen_(screen),
      own_(ownFile),
      general_(kMenuGeneralConfigPath),
      look_(general_) {
  screen_.setClearBeforeDrawing(false);
  screen_.setSwapAfterDrawing(false);
  screen_.setSceneShade(general_.getFloat("menuSceneShade"));
}

float MenuBuilder::ownFloat(std::string_view name, std::string_view suffix) const {
  return own_.getFloat(keyOf(name, suffix));
}

int32_t MenuBuilder::ownPixel(std::string_view name, std::string_view suffix) const {
  return configPixel(own_, name, suffix);
}

GuiImage* MenuBuilder::addLogo() {
  auto logo = std::make_unique<GuiImage>();
  logo->setImage(general_.getString("logo"), "DEFAULT_SPRITE");
  const int32_t w = logo->image().width(), h = logo->image().height();
  logo->setSize(w, h);
  logo->setPosition(static_cast<int32_t>(general_.getFloat("logo_x") - float(w) / 2.0f),
                    static_cast<int32_t>(general_.getFloat("logo_y") - float(h) / 2.0f));
  logo->setEnabled(false);
  return screen_.add(std::move(logo));
}

void MenuBuilder::applyTextLook(GuiTextWidget& widget) const {
  widget.setFont(look_.font);
  const GuiColour& c = look_.fontColour;
  widget.setColour(c.r, c.g, c.b, c.a);
  widget.setTextShadow(true, look_.textShadowX, look_.textShadowY, look_.textShadowColour);
}

GuiLabel* MenuBuilder::addLabel(std::string_view name, std::string_view text, float size) {
  auto label = std::make_unique<GuiLabel>();
  label->setText(text);
  applyTextLook(*label);
  label->setTextSize(size);
  label->setPosition(ownPixel(name, "_x"), ownPixel(name, "_y"));
  label->setEnabled(false);
  return screen_.add(std::move(label));
}

void buildMenuButton(GuiAnimatedButton& button, const ConfigFile& own, const MenuLook& look,
                     std::string_view name) {
  button.setPosition(configPixel(own, name, "_x"), configPixel(own, name, "_y"));
  button.setSize(configPixel(own, name, "_w"), configPixel(own, name, "_h"));
  button.setDropShadow(true, look.buttonShadowX, look.buttonShadowY, look.buttonShadowColour);
  button.setClickedSound(look.clickedSound);
  button.setOverSound(look.overSound);
  button.setFrames(ButtonState::kOutOfFocus, own.getString(keyOf(name, "_frames_outOfFocus")));
  button.setFrames(ButtonState::kInFocus, own.getString(keyOf(name, "_frames_inFocus")));
  button.setFrames(ButtonState::kClicked, own.getString(keyOf(name, "_frames_clicked")));
  button.setAnimationSpeed(look.animationSpeed);
}

GuiAnimatedButton* MenuBuilder::addButton(std::string_view name, MenuCommand command,
                                          bool closesDialog) {
  auto button = std::make_unique<GuiAnimatedButton>();
  buildMenuButton(*button, own_, look_, name);
  const auto run = [command, closesDialog](GuiWidget& widget) {
    if (closesDialog) static_cast<GuiAnimatedButton&>(widget).setState(ButtonState::kInFocus);
    return command();
  };
  button->action(GuiActionKind::kMouseDown) = {
      [run](GuiWidget& widget, const GuiEvent&) { return run(widget); }, kButtonActionDelay};
  button->action(GuiActionKind::kKeyDown) = {
      [run](GuiWidget& widget, const GuiEvent& event) {
        return isActivationKey(event.key) && run(widget);
      },
      kButtonActionDelay};
  return screen_.add(std::move(button));
}

GuiOptionChooser* MenuBuilder::addChooser(std::string_view name,
                                          std::vector<std::string> options) {
  auto chooser = std::make_unique<GuiOptionChooser>();
  chooser->setPosition(ownPixel(name, "_x"), ownPixel(name, "_y"));
  chooser->setSize(ownPixel(name, "_w"), ownPixel(name, "_h"));
  applyTextLook(*chooser);
  chooser->setTextSize(own_.getFloat("optionChooserFontSizes"));
  for (auto [arrow, keyName] : {std::pair{&chooser->leftArrow(), "optionChooserLeftButtons"},
                                std::pair{&chooser->rightArrow(), "optionChooserRightButtons"}}) {
    arrow->setDropShadow(true, look_.buttonShadowX, look_.buttonShadowY, look_.buttonShadowColour);
    arrow->setAnimationSpeed(look_.animationSpeed);
    arrow->setFrames(ButtonState::kOutOfFocus,
                     own_.getString(keyOf(keyName, "_frames_outOfFocus")));
    arrow->setFrames(ButtonState::kInFocus, own_.getString(keyOf(keyName, "_frames_inFocus")));
    arrow->setFrames(ButtonState::kClicked, own_.getString(keyOf(keyName, "_frames_clicked")));
  }
  chooser->setOverSound(own_.getString("optionChooserSound_over"));
  chooser->setClickedSound(own_.getString("optionChooserSound_clicked"));
  chooser->setOptions(std::move(options));
  return screen_.add(std::move(chooser));
}

GuiTextBox* MenuBuilder::addTextBox(std::string_view name) {
  auto box = std::make_unique<GuiTextBox>();
  box->setPosition(ownPixel(name, "_x"), ownPixel(name, "_y"));
  box->setSize(ownPixel(name, "_w"), 1);
  applyTextLook(*box);
  box->setTextSize(ownFloat(name, "_fontSize"));
  box->setText(readRegularFile(resolveDataPath(own_.getString(keyOf(name, "_text"))),
                               kLargestMenuText)
                   .bytes);
  box->setEnabled(false);
  return screen_.add(std::move(box));
}

void chainNavigation(const std::vector<GuiWidget*>& order) {
  for (size_t i = 0; i < order.size(); ++i) {
    GuiWidget* next = order[(i + 1) % order.size()];
    if (i + 1 < order.size()) order[i]->setKeyNavigation(vk::kDown, next);
    order[i]->setKeyNavigation(vk::kTab, next);
    if (i > 0) order[i]->setKeyNavigation(vk::kUp, order[i - 1]);
  }
}

bool isActivationKey(int32_t key) {
  return key == vk::kReturn || key == vk::kSpace;
}

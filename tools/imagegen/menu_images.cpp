#include "tools/imagegen/menu_images.h"

#include <algorithm>
#include <string>

#include "tools/imagegen/button_frames.h"
#include "tools/imagegen/level_finished_background.h"
#include "tools/imagegen/water_lettering.h"

namespace {

struct ButtonLabel {
  const char* stem;  // below gfx/menu/
  const char* text;
};

// One set for each word; menus that share a word share its set.
constexpr ButtonLabel kButtonLabels[] = {
    {"play", "PLAY"},
    {"load_level", "LOAD LEVEL"},
    {"options", "OPTIONS"},
    {"how_to_play", "HOW TO PLAY"},
    {"high_scores", "HIGH SCORES"},
    {"credits", "CREDITS"},
    {"quit", "QUIT"},
    {"continue", "CONTINUE"},
    {"watch_replay", "WATCH REPLAY"},
    {"restart", "RESTART"},
    {"back", "BACK"},
    {"yes", "YES"},
    {"no", "NO"},
    {"load", "LOAD"},
};

constexpr int kLabelTracking = 1;
constexpr int kLabelMaxWidth = kButtonPillWidth - 44;
constexpr int kLabelMaxCapHeight = 17;

// All labels at one size, the largest at which the longest still fits its pill, so the
// capitals match from button to button.
std::optional<int> labelPixelSize(const FreeTypeFace& face) {
  int size = 1000;
  for (const ButtonLabel& label : kButtonLabels) {
    const std::optional<TextMask> fitted =
        renderTextToFit(face, label.text, kLabelMaxWidth, kLabelMaxCapHeight, kLabelTracking);
    if (!fitted) return std::nullopt;
    size = std::min(size, fitted->pixelSize);
  }
  return size;
}

void append(std::vector<NamedImage>& to, std::vector<NamedImage> images) {
  for (NamedImage& image : images) to.push_back(std::move(image));
}

}  // namespace

std::optional<std::vector<NamedImage>> drawMenuImages(const FreeTypeFace& labelFace) {
  const std::optional<int> size = labelPixelSize(labelFace);
  if (!size) return std::nullopt;
  std::vector<NamedImage> images;
  for (const ButtonLabel& label : kButtonLabels) {
    const std::optional<TextMask> text = renderText(labelFace, label.text, *size, kLabelTracking);
    if (!text) return std::nullopt;
    append(images, drawButtonFrames(std::string("menu/") + label.stem, *text));
  }
  append(images, drawArrowFrames("menu/arrow_left", true));
  append(images, drawArrowFrames("menu/arrow_right", false));

  std::optional<Image> logo = drawLogo(labelFace);
  std::optional<Image> background = drawLevelFinishedBackground(labelFace);
  std::optional<std::vector<NamedImage>> finish = drawFinishFrames(labelFace, "finish");
  if (!logo || !background || !finish) return std::nullopt;
  images.push_back({"menu/logo.tga", std::move(*logo)});
  images.push_back({"menu/level_finished.tga", std::move(*background)});
  append(images, std::move(*finish));
  return images;
}

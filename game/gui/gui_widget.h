#pragma once
// The base of every element of a menu screen. A widget lives in the screen's virtual
// 800 x 600 area: its rectangle is where the pointer hits it, it moves its animation on in
// update, once a frame, and only draws itself in onPaint. The screen routes input to one
// hovered widget at a time; besides its own reactions, a widget carries five actions (mouse
// down, mouse up, mouse move, key down, key up) that the menu which builds it sets, each run
// at once or after its delay, so a button's click animation and sound can play before the
// menu changes.

#include <array>
#include <cstdint>
#include <functional>
#include <map>

#include "game/platform/window.h"

class GuiScreen;
class GuiWidget;

// What triggered an action: the pointer in virtual coordinates and its button, or the key.
struct GuiEvent {
  int32_t x = 0;
  int32_t y = 0;
  int32_t button = 0;
  int32_t key = 0;
};

// True when the action changed the screen (switched the menu): the screen then drops every
// action still waiting.
using GuiAction = std::function<bool(GuiWidget& widget, const GuiEvent& event)>;

enum class GuiActionKind { kMouseDown, kMouseUp, kMouseMove, kKeyDown, kKeyUp };
constexpr size_t kGuiActionKinds = 5;

struct GuiWidgetAction {
  GuiAction run;
  // Seconds from the input to the action; 0 or less runs it at once.
  float delay = 0.0f;
};

struct GuiColour {
  float r = 1.0f;
  float g = 1.0f;
  float b = 1.0f;
  float a = 1.0f;
};

class GuiWidget : public window::GLWindowEventListener {
 public:
  ~GuiWidget() override = default;

  // The screen calls these besides the listener's mouse, key and paint calls.
  virtual void onHoverEnter() {}
  virtual void onHoverLeave() {}
  // The screen is being shown again.
  virtual void onReset() {}
  // One frame's animation, before the frame is drawn; the screen steps only the visible
  // widgets, as only those are drawn, so a hidden one doesn't run on unseen.
  virtual void update() {}

  // Each component clamped to 0..1.
  void setColour(float r, float g, float b, float a);
  const GuiColour& colour() const { return colour_; }
  // Negative sizes become 0.
  void setSize(int32_t width, int32_t height);
  void setPosition(int32_t x, int32_t y);
  int32_t x() const { return x_; }
  int32_t y() const { return y_; }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  bool contains(int32_t px, int32_t py) const;

  void setVisible(bool on) { visible_ = on; }
  bool isVisible() const { return visible_; }
  // Only an enabled widget can be hovered.
  void setEnabled(bool on) { enabled_ = on; }
  bool isEnabled() const { return enabled_; }
  bool isHovered() const { return hovered_; }
  // For widgets embedded in another (a chooser's arrows), which no screen hovers.
  void setHoveredFlag(bool on) { hovered_ = on; }

  GuiWidgetAction& action(GuiActionKind kind) { return actions_[static_cast<size_t>(kind)]; }
  const GuiWidgetAction& action(GuiActionKind kind) const {
    return actions_[static_cast<size_t>(kind)];
  }

  // Pressing `key` while this widget is hovered moves the hover to `target`.
  void setKeyNavigation(int32_t key, GuiWidget* target) { navigation_[key] = target; }
  GuiWidget* navigationTarget(int32_t key) const;

  GuiScreen* owner() const { return owner_; }

 private:
  friend class GuiScreen;

  GuiColour colour_;
  int32_t width_ = 100;
  int32_t height_ = 20;
  int32_t x_ = 0;
  int32_t y_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  bool hovered_ = false;
  std::array<GuiWidgetAction, kGuiActionKinds> actions_;
  GuiScreen* owner_ = nullptr;
  std::map<int32_t, GuiWidget*> navigation_;
};

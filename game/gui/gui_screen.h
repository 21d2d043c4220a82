#pragma once
// A menu screen: a flat list of widgets in a virtual 800 x 600 area that is scaled to fit
// the window (centred, keeping its 4:3 shape), input routed to one hovered widget at a
// time, and a small scheduler that runs a widget's action a set time after the input that
// triggered it. Each frame its owner updates it, then draws it. The list order is both the
// hit-test order and the drawing order, so of two overlapping widgets the one added first
// takes the pointer though it is drawn underneath.

#include <array>
#include <list>
#include <memory>
#include <vector>

#include "game/gui/gui_widget.h"
#include "game/platform/frame_timer.h"

constexpr float kVirtualWidth = 800.0f;
constexpr float kVirtualHeight = 600.0f;

// How the virtual area sits in a client area: drawn translated by (offsetX, offsetY), then
// scaled by `scale`.
struct VirtualView {
  float scale = 1.0f;
  float offsetX = 0.0f;
  float offsetY = 0.0f;
};

// A window taller than wide fits the width and is centred vertically; any other fits the
// height and is centred horizontally (cut at the sides when narrower than 4:3).
VirtualView virtualView(int32_t clientWidth, int32_t clientHeight);
// A client pixel in virtual coordinates, truncated toward zero.
GuiEvent toVirtual(int32_t clientWidth, int32_t clientHeight, int32_t x, int32_t y);

class GuiScreen : public window::GLWindowEventListener {
 public:
  GuiScreen() = default;
  GuiScreen(const GuiScreen&) = delete;
  GuiScreen& operator=(const GuiScreen&) = delete;
  ~GuiScreen() override = default;

  void onMouseMove(int32_t x, int32_t y) override;
  void onMouseDown(int32_t x, int32_t y, int32_t button) override;
  void onMouseUp(int32_t x, int32_t y, int32_t button) override;
  void onKeyDown(int32_t key) override;
  void onKeyUp(int32_t key) override;
  void onClose() override;
  void onDestroy() override;
  // One frame's step, before it is drawn: the visible widgets animate, then the actions
  // that have come due since the last step run (one may switch the menu).
  void update();
  // Clears (when asked to), draws the visible widgets in list order, swaps (when asked to).
  void onPaint() override;
  // Each time the screen becomes current: widgets reset, waiting actions dropped, nothing
  // hovered, the frame timer restarted.
  virtual void onShow();

  // Takes ownership; null is ignored. Returns the widget for the builder's convenience.
  template <typename Widget>
  Widget* add(std::unique_ptr<Widget> widget) {
    Widget* added = widget.get();
    addWidget(std::move(widget));
    return added;
  }
  void addWidget(std::unique_ptr<GuiWidget> widget);
  const std::vector<std::unique_ptr<GuiWidget>>& widgets() const { return widgets_; }

  // Only a widget of this screen counts.
  void setDefaultWidget(GuiWidget* widget);
  GuiWidget* defaultWidget() const { return defaultWidget_; }
  // Moves the hover to a widget of this screen that is not hovered yet.
  void hoverWidget(GuiWidget* widget);
  GuiWidget* hoveredWidget() const { return hovered_; }

  bool hasPendingAction(const GuiWidget* widget) const;
  void clearPendingActions();
  // Runs the actions whose delay has passed after `seconds` more, queue by queue (down, up,
  // move, key down, key up), each queue in its order. An action that returns true empties
  // every queue and ends the run.
  void runScheduler(float seconds);

  void setClearColour(float r, float g, float b) { clearColour_ = {r, g, b, 1.0f}; }
  void setClearBeforeDrawing(bool on) { clearBeforeDrawing_ = on; }
  void setSwapAfterDrawing(bool on) { swapAfterDrawing_ = on; }
  // A screen drawn over the running scene first darkens it by this opacity (0: not at all),
  // so its text stands out against the bright parts of a level.
  void setSceneShade(float opacity) { sceneShade_ = opacity; }

 private:
  struct PendingAction {
    float remaining = 0.0f;
    GuiAction run;
    GuiWidget* widget = nullptr;
    GuiEvent event;
  };

  bool owns(const GuiWidget* widget) const;
  // A press or release goes to the hovered widget, then to its action.
  void mouseButton(GuiActionKind kind, int32_t x, int32_t y, int32_t button);
  // The hovered widget's action of `kind`: at once, or queued for its delay.
  void trigger(GuiActionKind kind, const GuiEvent& event);
  void paintWidgets();
  void shadeScene() const;

  GuiColour clearColour_{0.0f, 0.0f, 0.0f, 1.0f};
  bool clearBeforeDrawing_ = true;
  bool swapAfterDrawing_ = true;
  float sceneShade_ = 0.0f;
  FrameTimer frameTimer_;
  GuiWidget* hovered_ = nullptr;
  GuiWidget* defaultWidget_ = nullptr;
  std::vector<std::unique_ptr<GuiWidget>> widgets_;
  std::array<std::list<PendingAction>, kGuiActionKinds> queues_;
};

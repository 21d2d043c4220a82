#include "game/gui/gui_screen.h"

#include <algorithm>

VirtualView virtualView(int32_t clientWidth, int32_t clientHeight) {
  if (clientWidth <= 0 || clientHeight <= 0) return {};
  const float w = static_cast<float>(clientWidth);
  const float h = static_cast<float>(clientHeight);
  if (clientWidth < clientHeight) {
    const float scale = w / kVirtualWidth;
    return {scale, 0.0f, (h - kVirtualHeight * scale) / 2.0f};
  }
  const float scale = h / kVirtualHeight;
  return {scale, (w - kVirtualWidth * scale) / 2.0f, 0.0f};
}

GuiEvent toVirtual(int32_t clientWidth, int32_t clientHeight, int32_t x, int32_t y) {
  if (clientWidth <= 0 || clientHeight <= 0) return {x, y};
  const VirtualView view = virtualView(clientWidth, clientHeight);
  // The inverse scale is taken from the same side the scale came from, as the drawing does.
  const float inverse = clientWidth < clientHeight ? kVirtualWidth / float(clientWidth)
                                                   : kVirtualHeight / float(clientHeight);
  return {static_cast<int32_t>(float(x) * inverse - view.offsetX * inverse),
          static_cast<int32_t>(float(y) * inverse - view.offsetY * inverse)};
}

void GuiScreen::addWidget(std::unique_ptr<GuiWidget> widget) {
  if (!widget || widget->owner_) return;
  widget->owner_ = this;
  widgets_.push_back(std::move(widget));
}

bool GuiScreen::owns(const GuiWidget* widget) const {
  return widget && widget->owner_ == this;
}

void GuiScreen::setDefaultWidget(GuiWidget* widget) {
  if (owns(widget)) defaultWidget_ = widget;
}

void GuiScreen::hoverWidget(GuiWidget* widget) {
  if (!owns(widget) || widget->hovered_) return;
  if (hovered_) {
    hovered_->hovered_ = false;
    hovered_->onHoverLeave();
  }
  hovered_ = widget;
  widget->hovered_ = true;
  widget->onHoverEnter();
}

void GuiScreen::onMouseMove(int32_t x, int32_t y) {
  const GuiEvent at = toVirtual(window::clientWidth(), window::clientHeight(), x, y);
  GuiWidget* hit = nullptr;
  for (const auto& widget : widgets_) {
    if (!hit && widget->enabled_ && widget->contains(at.x, at.y)) {
      hit = widget.get();
    } else if (widget->hovered_) {
      widget->hovered_ = false;
      widget->onHoverLeave();
    }
  }
  hovered_ = hit;
  if (!hit) return;
  if (!hit->hovered_) {
    hit->hovered_ = true;
    hit->onHoverEnter();
  }
  hit->onMouseMove(at.x, at.y);
  trigger(GuiActionKind::kMouseMove, at);
}

void GuiScreen::onMouseDown(int32_t x, int32_t y, int32_t button) {
  mouseButton(GuiActionKind::kMouseDown, x, y, button);
}

void GuiScreen::onMouseUp(int32_t x, int32_t y, int32_t button) {
  mouseButton(GuiActionKind::kMouseUp, x, y, button);
}

void GuiScreen::mouseButton(GuiActionKind kind, int32_t x, int32_t y, int32_t button) {
  if (!hovered_) return;
  GuiEvent at = toVirtual(window::clientWidth(), window::clientHeight(), x, y);
  at.button = button;
  if (kind == GuiActionKind::kMouseDown)
    hovered_->onMouseDown(at.x, at.y, button);
  else
    hovered_->onMouseUp(at.x, at.y, button);
  trigger(kind, at);
}

void GuiScreen::onKeyDown(int32_t key) {
  if (!hovered_) {
    hoverWidget(defaultWidget_);
    return;
  }
  GuiWidget* pressed = hovered_;
  pressed->onKeyDown(key);
  trigger(GuiActionKind::kKeyDown, GuiEvent{.key = key});
  // An action run at once may have switched the menu and reset this screen.
  if (hovered_ == pressed) hoverWidget(pressed->navigationTarget(key));
}

void GuiScreen::onKeyUp(int32_t key) {
  if (!hovered_) return;
  hovered_->onKeyUp(key);
  trigger(GuiActionKind::kKeyUp, GuiEvent{.key = key});
}

void GuiScreen::onClose() {
  window::destroyWindow();
}

void GuiScreen::trigger(GuiActionKind kind, const GuiEvent& event) {
  const GuiWidgetAction& action = hovered_->action(kind);
  if (!action.run) return;
  if (action.delay <= 0.0f) {
    if (action.run(*hovered_, event)) clearPendingActions();
    return;
  }
  queues_[static_cast<size_t>(kind)].push_back({action.delay, action.run, hovered_, event});
}

void GuiScreen::onShow() {
  for (const auto& widget : widgets_) {
    widget->onReset();
    widget->hovered_ = false;
  }
  clearPendingActions();
  hovered_ = nullptr;
  frameTimer_.restart();
}

void GuiScreen::update() {
  for (const auto& widget : widgets_)
    if (widget->isVisible()) widget->update();
  runScheduler(frameTimer_.tick());
}

bool GuiScreen::hasPendingAction(const GuiWidget* widget) const {
  return std::any_of(queues_.begin(), queues_.end(), [widget](const auto& queue) {
    return std::any_of(queue.begin(), queue.end(),
                       [widget](const PendingAction& pending) { return pending.widget == widget; });
  });
}

void GuiScreen::clearPendingActions() {
  for (auto& queue : queues_) queue.clear();
}

void GuiScreen::runScheduler(float seconds) {
  for (auto& queue : queues_) {
    for (PendingAction& pending : queue) pending.remaining -= seconds;
    // Due actions are taken out before they run: an action may empty the queues itself.
    for (auto due = queue.begin(); due != queue.end();) {
      if (due->remaining > 0.0f) {
        ++due;
        continue;
      }
      const PendingAction running = std::move(*due);
      queue.erase(due);
      if (running.run(*running.widget, running.event)) {
        clearPendingActions();
        return;
      }
      due = queue.begin();
    }
  }
}

void GuiScreen::onDestroy() {
  clearPendingActions();
  hovered_ = defaultWidget_ = nullptr;
  widgets_.clear();
}

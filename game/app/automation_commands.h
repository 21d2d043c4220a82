#pragma once
// Console commands that act as the user would, for scripts and tests: keys, clicks and
// screenshots. "KeyPress vk" delivers a key down and up through the window as if typed;
// "KeyDown vk" and "KeyUp vk" hold and release a key (the camera turns while one is held);
// "MouseClick x y button" clicks at client pixels (button 1 left, 2 right, 4 middle);
// "Screenshot file" writes the next finished frame as a PNG: a relative name into the per-user
// data folder ("shots\turned.png" becomes <folder>/shots/turned.png), an absolute one where it
// says. A script's next line waits until that frame is finished.

#include <string_view>

namespace automation {

void registerCommands();

// Writes the frame drawn into the back buffer to `path` (placed as for "Screenshot") as PNG,
// replacing the file whole;
// false, with a console message, when it can't or when something other than a regular file
// (a folder, a device, a pipe) has that name.
bool saveScreenshot(std::string_view path);

// Called when a frame is drawn and before it is shown: writes the screenshots asked for
// since the last one.
void takeRequestedScreenshots();

}  // namespace automation

#pragma once
// The platform services of an open window: the console and the camera reach the real
// window, the OpenGL driver and the texture manager through them.

namespace window {

// Puts the window's services in force; the window layer calls these as its window opens
// and closes.
void installWindowServices();
void removeWindowServices();

}  // namespace window

// vmr_launcher: the settings window the player starts the game from.

#include <gtk/gtk.h>

#include "launcher/display_modes.h"
#include "launcher/launcher_window.h"

int main(int argc, char** argv) {
  gtk_init(&argc, &argv);
  const DisplayModes display = readDisplayModes();
  std::vector<std::string> resolutions = resolutionItems(display.modes);
  const LauncherChoices choices = preselect(readStoredPreferences(), resolutions, display.desktop);
  LauncherWindow launcher(std::move(resolutions), display.desktop, choices, installedGame());
  g_signal_connect(launcher.window(), "destroy", G_CALLBACK(gtk_main_quit), nullptr);
  gtk_main();
  return 0;
}

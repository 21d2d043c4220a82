#include "common/install_layout.h"

#include <system_error>

#include "common/data_path.h"

namespace fs = std::filesystem;

std::optional<fs::path> programFolder() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error || program.empty()) return std::nullopt;
  return program.parent_path();
}

bool isDataFolder(const fs::path& folder) {
  const std::optional<fs::path> config = findEntryIgnoringCase(folder, "cfg");
  std::error_code error;
  return config && fs::is_directory(*config, error);
}

std::optional<fs::path> dataFolderBeside(const fs::path& folder) {
  for (const fs::path& candidate : {folder / ".." / "share" / "vellmoor", folder / ".." / "data"}) {
    if (isDataFolder(candidate)) return candidate.lexically_normal();
  }
  return std::nullopt;
}

std::optional<fs::path> programDataFolder() {
  const std::optional<fs::path> folder = programFolder();
  return folder ? dataFolderBeside(*folder) : std::nullopt;
}

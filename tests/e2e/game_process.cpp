#include "e2e/game_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "test_support/temp_directory.h"

extern char** environ;

namespace {

std::vector<std::string> childEnvironment(const std::filesystem::path& configHome) {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string_view text(*entry);
    if (text.starts_with("XDG_CONFIG_HOME=") || text.starts_with("XDG_DATA_HOME=")) continue;
    entries.emplace_back(*entry);
  }
  entries.push_back("XDG_CONFIG_HOME=" + configHome.string());
  entries.push_back("XDG_DATA_HOME=" + userDataHome(configHome).string());
  // No sound card on a test machine; the game runs silent either way.
  entries.push_back("ALSOFT_DRIVERS=null");
  return entries;
}

// The built data folder without its intro video, so a run starts play at once: every entry
// but vid/ linked from a folder of its own, made once for the test program.
std::filesystem::path dataFolderWithoutIntro() {
  static const TempDirectory folder;
  static const bool linked = [] {
    for (const auto& entry : std::filesystem::directory_iterator(VMR_DATA_DIR))
      if (entry.path().filename() != "vid")
        std::filesystem::create_symlink(entry.path(), folder.path() / entry.path().filename());
    return true;
  }();
  return linked ? folder.path() : std::filesystem::path(VMR_DATA_DIR);
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
  std::vector<char*> result;
  for (std::string& text : texts) result.push_back(text.data());
  result.push_back(nullptr);
  return result;
}

}  // namespace

std::filesystem::path userDataHome(const std::filesystem::path& configHome) {
  return configHome / "share";
}

GameRun runGame(const std::vector<std::string>& arguments, const std::filesystem::path& configHome,
                std::chrono::seconds limit, const std::filesystem::path& dataFolder) {
  GameRun run;
  const std::filesystem::path outputFile = configHome / "game_output.txt";
  std::vector<std::string> argv = {VMR_MAIN_PROGRAM};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<std::string> environment = childEnvironment(configHome);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputFile.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  const std::string folder = (dataFolder.empty() ? dataFolderWithoutIntro() : dataFolder).string();
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  pid_t child = 0;
  std::vector<char*> argvPointers = pointers(argv);
  std::vector<char*> environmentPointers = pointers(environment);
  const int spawned = posix_spawn(&child, VMR_MAIN_PROGRAM, &actions, nullptr, argvPointers.data(),
                                  environmentPointers.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return run;

  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      run.timedOut = true;
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  if (!run.timedOut && WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
  std::ifstream output(outputFile);
  std::stringstream text;
  text << output.rdbuf();
  run.output = text.str();
  return run;
}

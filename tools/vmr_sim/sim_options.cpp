#include "tools/vmr_sim/sim_options.h"

#include <charconv>

#include "game/simulation/simulation.h"

const char* const kSimUsage =
    "Usage: vmr_sim [--level PATH [--ticks N] [--dt S] [--script FILE] [--record FILE]\n"
    "               [--json]] [--replay FILE [--json]] [--verify-scores] [--console]\n"
    "               [--data DIR] [--seed K]\n"
    "  --level PATH   start the level file PATH (a data path such as lev\\01_first_turn.swah)\n"
    "                 with its water and camera, print what the game prints meanwhile, run\n"
    "                 the ticks and print a summary of the final state (exit status 1 when\n"
    "                 the level is refused)\n"
    "  --ticks N      ticks to run (default 0: the level is only started, or, for a script\n"
    "                 that expects a win, until its deadline and the finish after it)\n"
    "  --dt S         seconds per tick, above 0 and at most 1 (default 0.0333333); a step\n"
    "                 of the world covers at most 1/30 s\n"
    "  --script FILE  actions at given ticks, one a line (blank lines and lines starting\n"
    "                 with # are ignored; an action at tick T runs before tick T, the\n"
    "                 first tick is 0):\n"
    "                   at T angle DEGREES      set the camera angle\n"
    "                   at T hold left|right N  hold the arrow key through N ticks\n"
    "                   at T console LINE       type LINE into the console\n"
    "                   at T restart            restart the level\n"
    "                 and what a level's route must achieve (exit status 3 when it misses):\n"
    "                   expect win by T         the win begins by tick T\n"
    "                   expect water SHARE      at least SHARE (0 to 1) of the starting\n"
    "                                           water is left at the end\n"
    "  --record FILE  write the run's replay to FILE (a script's angle actions can't be kept)\n"
    "  --replay FILE  play the replay FILE back in its level, with its seed and view, print\n"
    "                 the summary and whether the final state and the score match the\n"
    "                 replay's (exit status 3 when not, 1 when the replay is refused); its\n"
    "                 progress goes to standard error every few seconds\n"
    "                 (FILE of --script, --record and --replay: relative to where vmr_sim\n"
    "                 starts)\n"
    "  --verify-scores  play back the replay kept beside each high-score entry and print\n"
    "                 which scores it confirms, and which of those runs used console lines\n"
    "                 that change the world (exit status 3 when one contradicts its entry)\n"
    "  --json         write only the summary, as JSON, to standard output; the console's\n"
    "                 text goes to standard error\n"
    "  --console      type each line of standard input into the game's console (after the\n"
    "                 ticks when a level runs) and write everything the console prints to\n"
    "                 standard output\n"
    "  --data DIR     run in the data folder DIR (configuration files are read from there);\n"
    "                 without it, in the working directory when it is a data folder, else\n"
    "                 in the data folder of vmr_sim's own tree\n"
    "  --seed K       seed of the game's random source (a whole number, default 1)\n";

namespace {

template <typename Number>
bool parseWhole(const std::string& text, Number& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

bool parseStep(const std::string& text, float& dt) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), dt);
  return error == std::errc() && end == text.data() + text.size() && dt > 0.0f &&
         dt <= simulation::kLongestTick;
}

bool takesValue(const std::string& option) {
  return option == "--level" || option == "--data" || option == "--seed" || option == "--ticks" ||
         option == "--dt" || option == "--script" || option == "--record" || option == "--replay";
}

// Stores the value of an option that takes one; when it doesn't read, what the option takes.
std::string readValue(const std::string& option, const std::string& value, SimOptions& options) {
  if (option == "--level") {
    options.level = value;
  } else if (option == "--data") {
    options.dataFolder = value;
  } else if (option == "--script") {
    options.scriptFile = value;
  } else if (option == "--record") {
    options.recordFile = value;
  } else if (option == "--replay") {
    options.replayFile = value;
  } else if (option == "--seed") {
    if (!parseWhole(value, options.seed)) return "--seed takes a whole number";
  } else if (option == "--ticks") {
    if (!parseWhole(value, options.ticks) || options.ticks < 0)
      return "--ticks takes a whole number from 0";
  } else if (option == "--dt") {
    if (!parseStep(value, options.dt)) return "--dt takes a number of seconds above 0, at most 1";
  }
  return {};
}

bool needsLevel(const SimOptions& options) {
  return options.ticks != 0 || !options.scriptFile.empty() || !options.recordFile.empty() ||
         (options.json && options.replayFile.empty());
}

}  // namespace

std::optional<SimOptions> parseSimOptions(const std::vector<std::string>& arguments,
                                          std::string& error) {
  SimOptions options;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--console") {
      options.console = true;
    } else if (argument == "--json") {
      options.json = true;
    } else if (argument == "--verify-scores") {
      options.verifyScores = true;
    } else if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (!takesValue(argument)) {
      error = "vmr_sim: unknown option \"" + argument + "\"";
      return std::nullopt;
    } else if (i + 1 == arguments.size()) {
      error = "vmr_sim: " + argument + " needs a value";
      return std::nullopt;
    } else if (const std::string problem = readValue(argument, arguments[++i], options);
               !problem.empty()) {
      error = "vmr_sim: " + problem + ", not \"" + arguments[i] + "\"";
      return std::nullopt;
    }
  }
  if (options.level.empty() && needsLevel(options)) {
    error = "vmr_sim: --ticks, --script, --record and --json need --level";
    return std::nullopt;
  }
  if (!options.replayFile.empty() && !options.level.empty()) {
    error = "vmr_sim: --replay names its own level: leave out --level";
    return std::nullopt;
  }
  return options;
}

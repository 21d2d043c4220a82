#include "tools/vmr_sim/sim_options.h"

#include <algorithm>
#include <charconv>

#include "game/simulation/simulation.h"

const char* const kSimUsage =
    "Usage: vmr_sim [--level PATH [--ticks N] [--dt S | --fps F | --frame-times FRAMES]\n"
    "               [--script FILE [--hold-scale K]] [--view WxH] [--record FILE]\n"
    "               [--json]]\n"
    "               [--replay FILE [--json]] [--verify-scores] [--console] [--data DIR]\n"
    "               [--seed K]\n"
    "  --level PATH   start the level file PATH (a data path such as lev\\01_first_turn.swah)\n"
    "                 with its water and camera, print what the game prints meanwhile, run\n"
    "                 the ticks and print a summary of the final state (exit status 1 when\n"
    "                 the level is refused)\n"
    "  --ticks N      ticks to run (default 0: the level is only started, or, for a script\n"
    "                 that expects a win, until its deadline and the finish after it)\n"
    "  --dt S         seconds per tick, above 0 and at most 1 (default 0.0333333); a step\n"
    "                 of the world covers at most 1/30 s\n"
    "  --fps F        pace the ticks as the game's window does at F frames a second (1 to\n"
    "                 1000): a tick gathers at least 0.01 s of frames, by the mean of the\n"
    "                 last 16; the script's ticks are then 1/30 s of play each\n"
    "  --frame-times FRAMES  pace the ticks so by the frames of FRAMES: a file of frame\n"
    "                 lengths in milliseconds, one a line (0.1 to 1000, used over and over),\n"
    "                 or jitter:SEED, an uneven machine's frames of 8 to 40 ms with a stall\n"
    "                 of 100 ms now and then, drawn from the whole number SEED\n"
    "  --script FILE  actions at given ticks, one a line (blank lines and lines starting\n"
    "                 with # are ignored; an action at tick T runs before tick T, the\n"
    "                 first tick is 0):\n"
    "                   at T angle DEGREES      set the camera angle\n"
    "                   at T hold left|right N  hold the arrow key through N ticks\n"
    "                   at T console LINE       type LINE into the console\n"
    "                   at T restart            restart the level\n"
    "                 (T and N: ticks, or seconds when followed by \"s\": at 0.5 s hold\n"
    "                 left 0.2 s)\n"
    "                 and what a level's route must achieve (exit status 3 when it misses):\n"
    "                   expect win by T         the win begins by tick T\n"
    "                   expect water SHARE      at least SHARE (0 to 1) of the starting\n"
    "                                           water is left at the end\n"
    "  --hold-scale K make the script's holds K times as long (0.1 to 10)\n"
    "  --view WxH     play in a window of W x H pixels (64 to 16384 each; default\n"
    "                 1024x768): a wide window sees further across\n"
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

// A number from `least` to `most`.
bool parseBounded(const std::string& text, double least, double most, double& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value >= least &&
         value <= most;
}

bool takesValue(const std::string& option) {
  return option == "--level" || option == "--data" || option == "--seed" || option == "--ticks" ||
         option == "--dt" || option == "--script" || option == "--record" ||
         option == "--replay" || option == "--fps" || option == "--frame-times" ||
         option == "--hold-scale" || option == "--view";
}

// "WxH", each from 64 to 16384.
bool parseView(const std::string& text, SimOptions& options) {
  const size_t x = text.find('x');
  if (x == std::string::npos) return false;
  int32_t width = 0, height = 0;
  if (!parseWhole(text.substr(0, x), width) || !parseWhole(text.substr(x + 1), height))
    return false;
  if (std::min(width, height) < 64 || std::max(width, height) > 16384) return false;
  options.viewWidth = width;
  options.viewHeight = height;
  return true;
}

std::string readFrameTimes(const std::string& value, SimOptions& options) {
  options.frameTimes = value;
  if (value.empty()) return "--frame-times takes a file or jitter:SEED";
  const std::string seed = value.substr(std::min(value.size(), SimOptions::kJitterPrefix.size()));
  if (options.jittered() && !parseWhole(seed, options.jitterSeed))
    return "--frame-times jitter:SEED takes a whole number SEED";
  return {};
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
  } else if (option == "--fps") {
    if (!parseBounded(value, 1.0, 1000.0, options.fps)) return "--fps takes a number from 1 to 1000";
  } else if (option == "--frame-times") {
    return readFrameTimes(value, options);
  } else if (option == "--view") {
    if (!parseView(value, options)) return "--view takes WxH, each from 64 to 16384";
  } else if (option == "--hold-scale") {
    if (!parseBounded(value, 0.1, 10.0, options.holdScale))
      return "--hold-scale takes a number from 0.1 to 10";
  }
  return {};
}

bool needsLevel(const SimOptions& options) {
  return options.ticks != 0 || !options.scriptFile.empty() || !options.recordFile.empty() ||
         options.framePaced() || options.holdScale != 1.0 || options.viewWidth != 1024 ||
         options.viewHeight != 768 ||
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
    error = "vmr_sim: --ticks, --script, --record, --fps, --frame-times, --hold-scale, --view and "
            "--json need --level";
    return std::nullopt;
  }
  if (options.fps > 0.0 && !options.frameTimes.empty()) {
    error = "vmr_sim: --fps and --frame-times both pace the ticks: give one of them";
    return std::nullopt;
  }
  if (!options.replayFile.empty() && !options.level.empty()) {
    error = "vmr_sim: --replay names its own level: leave out --level";
    return std::nullopt;
  }
  return options;
}

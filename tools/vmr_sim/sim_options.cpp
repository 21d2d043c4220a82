#include "tools/vmr_sim/sim_options.h"

#include <charconv>

const char* const kSimUsage =
    "Usage: vmr_sim [--level PATH] [--console] [--data DIR] [--seed K]\n"
    "  --level PATH  load the level file PATH (a data path such as lev\\testLevel.swah)\n"
    "                and print what the game prints while loading it\n"
    "  --console     type each line of standard input into the game's console and write\n"
    "                everything the console prints to standard output\n"
    "  --data DIR    run in the data folder DIR (configuration files are read from there)\n"
    "  --seed K      seed of the game's random source (a whole number, default 1)\n";

namespace {

bool parseSeed(const std::string& text, uint64_t& seed) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed);
  return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::optional<SimOptions> parseSimOptions(const std::vector<std::string>& arguments,
                                          std::string& error) {
  SimOptions options;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (argument == "--console") {
      options.console = true;
    } else if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--level" && hasValue) {
      options.level = arguments[++i];
    } else if (argument == "--data" && hasValue) {
      options.dataFolder = arguments[++i];
    } else if (argument == "--seed" && hasValue) {
      if (!parseSeed(arguments[++i], options.seed)) {
        error = "vmr_sim: --seed takes a whole number, not \"" + arguments[i] + "\"";
        return std::nullopt;
      }
    } else {
      error = hasValue || (argument != "--data" && argument != "--seed" && argument != "--level")
                  ? "vmr_sim: unknown option \"" + argument + "\""
                  : "vmr_sim: " + argument + " needs a value";
      return std::nullopt;
    }
  }
  return options;
}

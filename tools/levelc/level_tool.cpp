#include "tools/levelc/level_tool.h"

#include <algorithm>
#include <iostream>
#include <vector>

#include "common/atomic_file.h"
#include "common/regular_file.h"

namespace {

enum class ToolRequest { run, help, wrongArguments };

ToolRequest toolRequest(const std::vector<std::string>& arguments) {
  const auto isHelp = [](const std::string& a) { return a == "--help" || a == "-h"; };
  // A lone "-" would mean standard input elsewhere; these tools take none.
  const auto isOption = [](const std::string& a) { return !a.empty() && a[0] == '-'; };
  if (std::any_of(arguments.begin(), arguments.end(), isHelp)) return ToolRequest::help;
  if (arguments.empty() || arguments.size() > 2) return ToolRequest::wrongArguments;
  if (std::any_of(arguments.begin(), arguments.end(), isOption)) {
    return ToolRequest::wrongArguments;
  }
  return ToolRequest::run;
}

}  // namespace

int runLevelTool(int argc, char** argv, std::string_view usage,
                 int (*run)(const LevelToolFiles& files)) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  switch (toolRequest(arguments)) {
    case ToolRequest::help: std::cout << usage; return 0;
    case ToolRequest::wrongArguments: std::cerr << usage; return 2;
    case ToolRequest::run: break;
  }
  LevelToolFiles files{arguments[0], std::nullopt};
  if (arguments.size() == 2) files.output = arguments[1];
  return run(files);
}

std::optional<std::string> readInputFile(std::string_view tool, const std::string& file,
                                         size_t maxBytes) {
  FileContents contents = readRegularFile(file, maxBytes);
  if (contents.complete()) return std::move(contents.bytes);
  std::cerr << tool << ": " << file << ": "
            << (contents.result == FileReadResult::kTooLarge ? "too large to be a level"
                                                             : "can't read the file")
            << "\n";
  return std::nullopt;
}

int writeOutputFile(std::string_view tool, const std::string& file, std::string_view bytes) {
  if (replaceFileAtomically(file, bytes)) return 0;
  std::cerr << tool << ": " << file << ": can't write the file\n";
  return 1;
}

#include "tools/levelc/level_tool.h"

#include <algorithm>
#include <iostream>

#include "common/regular_file.h"

ToolRequest toolRequest(const std::vector<std::string>& arguments, size_t minFiles,
                        size_t maxFiles) {
  const auto isHelp = [](const std::string& a) { return a == "--help" || a == "-h"; };
  // A lone "-" would mean standard input elsewhere; these tools take none.
  const auto isOption = [](const std::string& a) { return !a.empty() && a[0] == '-'; };
  if (std::any_of(arguments.begin(), arguments.end(), isHelp)) return ToolRequest::help;
  if (arguments.size() < minFiles || arguments.size() > maxFiles) {
    return ToolRequest::wrongArguments;
  }
  if (std::any_of(arguments.begin(), arguments.end(), isOption)) {
    return ToolRequest::wrongArguments;
  }
  return ToolRequest::run;
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

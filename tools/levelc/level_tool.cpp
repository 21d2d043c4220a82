#include "tools/levelc/level_tool.h"

#include <algorithm>
#include <fstream>
#include <iterator>

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

std::optional<std::string> readWholeFile(const std::filesystem::path& file) {
  std::error_code error;
  if (std::filesystem::is_directory(file, error)) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(std::istreambuf_iterator<char>(in), {});
  if (in.bad()) return std::nullopt;
  return bytes;
}

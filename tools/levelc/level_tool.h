#pragma once
// What levelc and leveldump share: a command line of file names only, and whole-file reads.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

enum class ToolRequest { run, help, wrongArguments };

// help when --help or -h is among the arguments; run when there are `minFiles` to
// `maxFiles` arguments and none looks like an option; otherwise wrongArguments.
ToolRequest toolRequest(const std::vector<std::string>& arguments, size_t minFiles,
                        size_t maxFiles);

// The file's bytes; nullopt when it is missing, a folder or unreadable.
std::optional<std::string> readWholeFile(const std::filesystem::path& file);

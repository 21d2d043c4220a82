#pragma once
// What levelc and leveldump share: a command line of file names only, and whole-file reads.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class ToolRequest { run, help, wrongArguments };

// help when --help or -h is among the arguments; run when there are `minFiles` to
// `maxFiles` arguments and none looks like an option; otherwise wrongArguments.
ToolRequest toolRequest(const std::vector<std::string>& arguments, size_t minFiles,
                        size_t maxFiles);

// The bytes of `file` when it is a regular file of at most `maxBytes`. Otherwise nullopt, after
// telling the user why on standard error ("levelc: FILE: can't read the file"): a folder,
// device or pipe is reported like a missing file.
std::optional<std::string> readInputFile(std::string_view tool, const std::string& file,
                                         size_t maxBytes);

#pragma once
// What levelc and leveldump share: a command line of an input file and an optional output
// file, whole-file reads, and output files that are written whole or not at all.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

struct LevelToolFiles {
  std::string input;
  std::optional<std::string> output;
};

// The whole of a level tool's main. `usage` goes to standard output for --help or -h (0) and
// to standard error for anything but one or two file names (2); otherwise what `run` returns
// for the files named.
int runLevelTool(int argc, char** argv, std::string_view usage,
                 int (*run)(const LevelToolFiles& files));

// The bytes of `file` when it is a regular file of at most `maxBytes`. Otherwise nullopt, after
// telling the user why on standard error ("levelc: FILE: can't read the file"): a folder,
// device or pipe is reported like a missing file.
std::optional<std::string> readInputFile(std::string_view tool, const std::string& file,
                                         size_t maxBytes);

// 0 once `file` is replaced by `bytes` whole; 1 after telling the user on standard error
// ("levelc: FILE: can't write the file"), the file left as it was.
int writeOutputFile(std::string_view tool, const std::string& file, std::string_view bytes);

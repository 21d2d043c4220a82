#pragma once
// Every file the game opens goes through resolveDataPath. Data files name their paths the
// way the game was first written for ("cfg\game.cfg", upper-cased texture names), so a
// path is split on both "\" and "/", empty pieces are dropped, and each piece is matched
// against the directory without regard to ASCII letter case (an exact match wins).

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The pieces of a path split on "\" and "/", without empty pieces.
std::vector<std::string_view> splitPathPieces(std::string_view path);

// The entry of `directory` named `piece`: the exact name when it exists, else the first
// name (in byte order) equal to it without regard to ASCII case, else nothing.
std::optional<std::filesystem::path> findEntryIgnoringCase(const std::filesystem::path& directory,
                                                           std::string_view piece);

// The path on disk for `path`, relative to the working directory unless it starts with a
// separator. Pieces that match nothing are kept as written, so the result also names a
// file that is about to be created.
std::filesystem::path resolveDataPath(std::string_view path);

// As resolveDataPath, but every piece of `path` is taken below `folder`, whether or not `path`
// starts with a separator. "" for `folder` is the working directory.
std::filesystem::path resolvePathBelow(const std::filesystem::path& folder, std::string_view path);

// The names of the files that match `pattern`, a data path whose last piece may hold the
// wildcards "*" (any run of characters) and "?" (one character), compared without regard
// to ASCII case; sorted by name without regard to case. Names only, without the directory.
std::vector<std::string> findMatchingFiles(std::string_view pattern);

// The files of a frame animation such as "gfx\fire_FRAME01.tga": in its folder, the files
// that match the text before the last "_FRAME" (letter case aside), then anything, then the
// name's extension ("gfx\FIRE_FRAME*.TGA"), each with the folder in front, in the order of
// findMatchingFiles. A name without "_FRAME" is its own single frame; no match gives none.
std::vector<std::string> findFrameFiles(std::string_view name);

// `name` matches `pattern` ("*" and "?" wildcards) without regard to ASCII case.
bool matchesWildcard(std::string_view name, std::string_view pattern);

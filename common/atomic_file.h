#pragma once
// Saved files (the preferences, later the scores) are replaced as a whole: the new contents go
// to a temporary file beside the old one, reach the disk, and only then take the old file's
// name. A crash or power cut at any moment leaves either the old file or the new one, never a
// mix; at worst a temporary file is left behind, which nothing ever reads.

#include <filesystem>
#include <string_view>

#include "common/regular_file.h"

// Makes `file` hold exactly `bytes`, keeping the permissions of the file it replaces. Only a
// new name or a regular file is replaced; a folder, device or pipe at `file` is refused. False
// when anything fails; the old file is then untouched and no temporary file is left.
bool replaceFileAtomically(const std::filesystem::path& file, std::string_view bytes);

// Removes what interrupted replaceFileAtomically calls of `file` left beside it: only names of
// its temporary pattern ("<name>.tmp-<process>-<count>"). The caller must make sure no write
// of `file` is under way (a lock every writer holds), or that write would lose its file.
void removeLeftoverTemporaryFiles(const std::filesystem::path& file);

// As removeLeftoverTemporaryFiles for every saved file of `folder` at once: for a folder of
// many saved files, all written under the folder's lock.
void removeLeftoverTemporaryFilesIn(const std::filesystem::path& folder);

// Makes renames in `folder` durable; without it a power cut can undo them.
void syncFolder(const std::filesystem::path& folder);

// Moves whatever is at `file` (a file, folder, pipe or link, never followed) to the first free
// name of "<file><suffix>", "<file><suffix>-2", "<file><suffix>-3", ...: nothing already there
// is replaced. True when nothing is left at `file`: moved aside, or never there.
bool moveAsideWithoutReplacing(const std::filesystem::path& file, std::string_view suffix);

// An exclusive lock on a folder (flock), held by every writer of the saved files in it, so
// that clearing away leftovers never takes the temporary file of a write under way. Released
// when the object goes, and by the death of its process, so a killed writer holds nothing.
class FolderLock {
 public:
  enum class Wait { kUntilFree, kNo };

  FolderLock(const std::filesystem::path& folder, Wait wait);

  // False when the folder can't be opened, or with Wait::kNo, when another holds the lock.
  bool held() const { return held_; }

 private:
  FileDescriptor fd_;
  bool held_ = false;
};

using InterruptionHook = void (*)();

// Tests only: `hook` runs inside every replaceFileAtomically after the temporary file is
// complete on disk and before it is renamed. nullptr removes it.
void setInterruptionForTesting(InterruptionHook hook);

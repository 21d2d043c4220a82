#include "common/atomic_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <optional>
#include <string>
#include <utility>

#include "common/regular_file.h"

namespace fs = std::filesystem;

namespace {

std::atomic<InterruptionHook> interruption{nullptr};
// Makes temporary names unique within the process; the process id separates programs.
std::atomic<unsigned> temporaryCounter{0};

constexpr std::string_view kTemporaryMark = ".tmp-";

struct TemporaryFile {
  FileDescriptor fd;
  fs::path path;
};

// A new temporary file beside `file`. Creating it exclusively means a file left by an
// interrupted write is never reused: the next name is simply tried.
std::optional<TemporaryFile> createTemporaryBeside(const fs::path& file) {
  const std::string stem =
      file.filename().native() + std::string(kTemporaryMark) + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path temporary = file.parent_path() / (stem + std::to_string(temporaryCounter++));
    // The umask decides the permissions of a file that didn't exist before, as for any new file.
    FileDescriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.isOpen()) return TemporaryFile{std::move(fd), std::move(temporary)};
    if (errno != EEXIST) return std::nullopt;
  }
  return std::nullopt;
}

// Replacing a file must not change who may read it.
bool copyPermissions(const fs::path& from, int toFd) {
  struct stat old {};
  if (::stat(from.c_str(), &old) != 0) return errno == ENOENT;
  return S_ISREG(old.st_mode) && ::fchmod(toFd, old.st_mode & 07777) == 0;
}

// "<digits>-<digits>": the process id and the counter of createTemporaryBeside.
bool isTemporarySuffix(std::string_view suffix) {
  const size_t dash = suffix.find('-');
  const auto digits = [](std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
  };
  return dash != std::string_view::npos && digits(suffix.substr(0, dash)) &&
         digits(suffix.substr(dash + 1));
}

// Removes the files of `folder` whose names `isLeftover` takes.
template <typename Predicate>
void removeFilesNamed(const fs::path& folder, Predicate isLeftover) {
  std::error_code error;
  for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error), end;
       !error && it != end; it.increment(error)) {
    if (isLeftover(std::string_view(it->path().filename().native())))
      ::unlink(it->path().c_str());
  }
}

// Fails with EEXIST when something is at `to`.
bool renameWithoutReplacing(const fs::path& from, const fs::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
    return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system that can't refuse by itself: asked first, which leaves only a short gap.
  struct stat status {};
  if (::lstat(to.c_str(), &status) == 0) {
    errno = EEXIST;
    return false;
  }
  return ::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace

// Makes the rename itself durable; without it a power cut can bring the old file back.
void syncFolder(const fs::path& folder) {
  FileDescriptor fd(
      ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.isOpen()) ::fsync(fd.get());
}

bool replaceFileAtomically(const fs::path& file, std::string_view bytes) {
  auto created = createTemporaryBeside(file);
  if (!created) return false;
  FileDescriptor& fd = created->fd;
  const fs::path& temporary = created->path;
  const bool complete = copyPermissions(file, fd.get()) && writeAll(fd.get(), bytes) &&
                        ::fsync(fd.get()) == 0 && fd.close();
  if (complete) {
    if (InterruptionHook hook = interruption.load()) hook();
  }
  // Only a regular file is ever replaced: a rename puts a device node or a pipe aside as readily
  // as a file (as root, even /dev/full). Asked again right before the rename, so the gap in
  // which something else could take the name is as short as it can be.
  if (!complete || !isNewOrRegularFile(file) || ::rename(temporary.c_str(), file.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  syncFolder(file.parent_path());
  return true;
}

void removeLeftoverTemporaryFiles(const fs::path& file) {
  const std::string prefix = file.filename().native() + std::string(kTemporaryMark);
  removeFilesNamed(file.parent_path(), [&](std::string_view name) {
    return name.starts_with(prefix) && isTemporarySuffix(name.substr(prefix.size()));
  });
}

void removeLeftoverTemporaryFilesIn(const fs::path& folder) {
  removeFilesNamed(folder, [](std::string_view name) {
    const size_t mark = name.rfind(kTemporaryMark);
    return mark != std::string_view::npos && mark > 0 &&
           isTemporarySuffix(name.substr(mark + kTemporaryMark.size()));
  });
}

bool moveAsideWithoutReplacing(const fs::path& file, std::string_view suffix) {
  const std::string aside = file.native() + std::string(suffix);
  for (int attempt = 1; attempt <= 100; ++attempt) {
    const std::string name = attempt == 1 ? aside : aside + "-" + std::to_string(attempt);
    if (renameWithoutReplacing(file, name)) {
      syncFolder(file.parent_path());
      return true;
    }
    if (errno != EEXIST) {
      struct stat status {};
      return errno == ENOENT && ::lstat(file.c_str(), &status) != 0 && errno == ENOENT;
    }
  }
  return false;
}

FolderLock::FolderLock(const fs::path& folder, Wait wait)
    : fd_(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
  const int operation = wait == Wait::kUntilFree ? LOCK_EX : LOCK_EX | LOCK_NB;
  int result = -1;
  while (fd_.isOpen() && (result = ::flock(fd_.get(), operation)) != 0 && errno == EINTR) {
  }
  held_ = result == 0;
}

void setInterruptionForTesting(InterruptionHook hook) {
  interruption.store(hook);
}

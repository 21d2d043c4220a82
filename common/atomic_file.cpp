#include "common/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <optional>
#include <string>
#include <utility>

namespace fs = std::filesystem;

namespace {

std::atomic<InterruptionHook> interruption{nullptr};
// Makes temporary names unique within the process; the process id separates programs.
std::atomic<unsigned> temporaryCounter{0};

// Closes the descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  Descriptor& operator=(Descriptor&&) = delete;

  int get() const { return fd_; }
  bool isOpen() const { return fd_ >= 0; }
  // Closes now; some file systems only report a failed write here.
  bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

 private:
  int fd_;
};

struct TemporaryFile {
  Descriptor fd;
  fs::path path;
};

// A new temporary file beside `file`. Creating it exclusively means a file left by an
// interrupted write is never reused: the next name is simply tried.
std::optional<TemporaryFile> createTemporaryBeside(const fs::path& file) {
  const std::string stem = file.filename().native() + ".tmp-" + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path temporary = file.parent_path() / (stem + std::to_string(temporaryCounter++));
    // The umask decides the permissions of a file that didn't exist before, as for any new file.
    Descriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.isOpen()) return TemporaryFile{std::move(fd), std::move(temporary)};
    if (errno != EEXIST) return std::nullopt;
  }
  return std::nullopt;
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(size_t(written));
  }
  return true;
}

// Replacing a file must not change who may read it.
bool copyPermissions(const fs::path& from, int toFd) {
  struct stat old {};
  if (::stat(from.c_str(), &old) != 0) return errno == ENOENT;
  return ::fchmod(toFd, old.st_mode & 07777) == 0;
}

// Makes the rename itself durable; without it a power cut can bring the old file back.
void syncFolder(const fs::path& folder) {
  Descriptor fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.isOpen()) ::fsync(fd.get());
}

}  // namespace

bool replaceFileAtomically(const fs::path& file, std::string_view bytes) {
  auto created = createTemporaryBeside(file);
  if (!created) return false;
  Descriptor& fd = created->fd;
  const fs::path& temporary = created->path;
  const bool complete = copyPermissions(file, fd.get()) && writeAll(fd.get(), bytes) &&
                        ::fsync(fd.get()) == 0 && fd.close();
  if (complete) {
    if (InterruptionHook hook = interruption.load()) hook();
  }
  if (!complete || ::rename(temporary.c_str(), file.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  syncFolder(file.parent_path());
  return true;
}

void setInterruptionForTesting(InterruptionHook hook) {
  interruption.store(hook);
}

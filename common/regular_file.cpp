#include "common/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <utility>

namespace fs = std::filesystem;

namespace {

// The name is looked at first so that a device is never even opened (opening some devices
// does something by itself); the descriptor is looked at again after opening, and that second
// look is the one that counts, as the name may have changed in between. Opening without
// blocking keeps a pipe with no writer from stalling the open.
FileDescriptor openChecked(const fs::path& path, int flags, struct stat& status) {
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return {};
  FileDescriptor fd(::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666));
  if (!fd.isOpen() || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) return {};
  return fd;
}

// Reads until the end of the file or until one byte more than `maxBytes` has arrived, which
// tells a file at the cap from a longer one. The size the file claims only sizes the first
// buffer; a file that keeps growing still stops at the cap.
FileContents readUpTo(int fd, size_t claimedSize, size_t maxBytes) {
  FileContents contents;
  std::string& bytes = contents.bytes;
  bytes.resize(std::min(claimedSize, maxBytes) + 1);
  size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) {
      if (filled > maxBytes) break;
      bytes.resize(std::min(maxBytes + 1, std::max(filled * 2, size_t{4096})));
    }
    const ssize_t count = ::read(fd, bytes.data() + filled, bytes.size() - filled);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return {FileReadResult::kReadFailed, {}};
    if (count == 0) break;
    filled += size_t(count);
  }
  contents.result = filled > maxBytes ? FileReadResult::kTooLarge : FileReadResult::kRead;
  bytes.resize(std::min(filled, maxBytes));
  return contents;
}

}  // namespace

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)) {}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

FileDescriptor::~FileDescriptor() {
  close();
}

bool FileDescriptor::close() {
  if (fd_ < 0) return true;
  return ::close(std::exchange(fd_, -1)) == 0;
}

FileDescriptor openRegularFile(const fs::path& path) {
  struct stat status {};
  return openChecked(path, O_RDONLY, status);
}

FileContents readRegularFile(const fs::path& path, size_t maxBytes) {
  struct stat status {};
  const FileDescriptor fd = openChecked(path, O_RDONLY, status);
  if (!fd.isOpen()) return {};
  try {
    return readUpTo(fd.get(), size_t(std::max<off_t>(status.st_size, 0)), maxBytes);
  } catch (const std::bad_alloc&) {
    return {FileReadResult::kReadFailed, {}};
  }
}

FileDescriptor createRegularFile(const fs::path& path) {
  if (!isNewOrRegularFile(path)) return {};
  // Created without O_TRUNC: the file is emptied only once it is known to be a regular one.
  FileDescriptor fd(
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666));
  struct stat status {};
  if (!fd.isOpen() || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
      ::ftruncate(fd.get(), 0) != 0) {
    return {};
  }
  return fd;
}

bool writeRegularFile(const fs::path& path, std::string_view bytes) {
  FileDescriptor fd = createRegularFile(path);
  return fd.isOpen() && writeAll(fd.get(), bytes) && fd.close();
}

bool isNewOrRegularFile(const fs::path& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return errno == ENOENT;
  return S_ISREG(status.st_mode);
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

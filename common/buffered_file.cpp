#include "common/buffered_file.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "common/data_path.h"
#include "common/embedded_resources.h"
#include "common/regular_file.h"

BufferedFile::~BufferedFile() {
  close();
}

void BufferedFile::close() {
  buffer_.reset();
  position_ = 0;
  end_ = 0;
  failed_ = true;
}

const unsigned char* BufferedFile::current() const {
  return buffer_ ? reinterpret_cast<const unsigned char*>(buffer_->data()) + position_ : nullptr;
}

void BufferedFile::read(void* destination, uint32_t n) {
  // Compared as a count of bytes left, so position + n can't wrap around.
  if (n > end_ - position_) {
    failed_ = true;
    return;
  }
  if (n == 0) return;  // memcpy must not see the null buffer of a closed file
  std::memcpy(destination, current(), n);
  position_ += n;
}

void BufferedFile::seek(int32_t offset, int origin) {
  int64_t target = 0;
  switch (origin) {
    case kFromCurrent: target = int64_t{position_} + offset; break;
    case kFromEnd: target = int64_t{end_} - offset; break;
    case kFromStart: target = offset; break;
    default: failed_ = true; return;
  }
  if (target < 0) {
    target = 0;
    failed_ = true;
  } else if (target > int64_t{end_}) {
    target = end_;
    failed_ = true;
  }
  position_ = static_cast<uint32_t>(target);
}

void BufferedFile::adopt(std::string bytes) {
  end_ = static_cast<uint32_t>(bytes.size());
  buffer_ = std::move(bytes);
  position_ = 0;
  failed_ = false;
}

DiskFile::DiskFile(size_t maxBytes) : maxBytes_(std::min(maxBytes, kMaxBytes)) {}

void DiskFile::open(const std::string& name) {
  close();
  if (name.empty()) return;
  FileContents contents = readRegularFile(resolveDataPath(name), maxBytes_);
  if (!contents.complete() || contents.bytes.empty()) return;
  adopt(std::move(contents.bytes));  // only the memory copy remains
}

void ResourceFile::open(const std::string& name) {
  close();
  const EmbeddedResource* resource = findEmbeddedResource(name);
  if (resource == nullptr || resource->bytes.empty()) return;
  // A resource larger than the size field can describe is treated as absent.
  if (resource->bytes.size() > DiskFile::kMaxBytes) return;
  try {
    adopt(
        std::string(reinterpret_cast<const char*>(resource->bytes.data()), resource->bytes.size()));
  } catch (const std::bad_alloc&) {
    // Out of memory: the file stays failed, as after any failed open.
  }
}

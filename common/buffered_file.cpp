#include "common/buffered_file.h"

#include <cstring>
#include <fstream>
#include <limits>
#include <new>
#include <system_error>

#include "common/data_path.h"
#include "common/embedded_resources.h"

namespace {

// A buffer of `size` bytes, or nullptr when memory runs out; the caller then stays failed.
std::unique_ptr<unsigned char[]> allocate(uint32_t size) {
  try {
    return std::make_unique_for_overwrite<unsigned char[]>(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace

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
  return buffer_ ? buffer_.get() + position_ : nullptr;
}

void BufferedFile::read(void* destination, uint32_t n) {
  // Compared as a count of bytes left, so position + n can't wrap around.
  if (n > end_ - position_) {
    failed_ = true;
    return;
  }
  if (n == 0) return;  // memcpy must not see the null buffer of a closed file
  std::memcpy(destination, buffer_.get() + position_, n);
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

void BufferedFile::adopt(std::unique_ptr<unsigned char[]> bytes, uint32_t size) {
  buffer_ = std::move(bytes);
  position_ = 0;
  end_ = size;
  failed_ = false;
}

void DiskFile::open(const std::string& name) {
  close();
  if (name.empty()) return;
  const std::filesystem::path path = resolveDataPath(name);
  // A directory opens as a stream on Linux and only fails on the first read; refuse it here.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return;

  std::ifstream in(path, std::ios::binary);
  if (!in) return;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (!in || size < 1 || size > std::numeric_limits<uint32_t>::max()) return;
  in.seekg(0, std::ios::beg);

  auto bytes = allocate(static_cast<uint32_t>(size));
  if (!bytes) return;
  in.read(reinterpret_cast<char*>(bytes.get()), size);
  if (!in || in.gcount() != size) return;  // `bytes` is freed on the way out
  in.close();                              // only the memory copy remains
  adopt(std::move(bytes), static_cast<uint32_t>(size));
}

void ResourceFile::open(const std::string& name) {
  close();
  const EmbeddedResource* resource = findEmbeddedResource(name);
  if (resource == nullptr || resource->bytes.empty()) return;
  // A resource larger than the size field can describe is treated as absent.
  if (resource->bytes.size() > std::numeric_limits<uint32_t>::max()) return;
  const auto size = static_cast<uint32_t>(resource->bytes.size());
  auto bytes = allocate(size);
  if (!bytes) return;
  std::memcpy(bytes.get(), resource->bytes.data(), size);
  adopt(std::move(bytes), size);
}

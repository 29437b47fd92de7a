#include "images/jpeg_file_source.h"

#include <fcntl.h>
#include <unistd.h>

#include "common/error.h"
#include "images/jpeg_icc.h"

// The message codes and macros of libjpeg's own sources, so that this source reports as its own do.
#include <jerror.h>

namespace fw {
namespace {

constexpr std::size_t kChunk = 65536;

}  // namespace

JpegFileSource::JpegFileSource(const std::string& path) : path_(path), buffer_(kChunk) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) ThrowFileError(path);
  primedSize_ = readChunk();
  if (readErrno_ != 0) {
    ::close(fd_);
    fd_ = -1;
    errno = readErrno_;
    ThrowFileError(path);
  }
  empty_ = primedSize_ == 0;
  primed_ = true;
}

JpegFileSource::~JpegFileSource() {
  if (fd_ >= 0) ::close(fd_);
}

std::size_t JpegFileSource::readChunk() {
  std::size_t got = 0;
  while (got < buffer_.size()) {
    ssize_t n = ::read(fd_, buffer_.data() + got, buffer_.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      readErrno_ = errno;
      return 0;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  return got;
}

void JpegFileSource::attach(j_decompress_ptr cinfo) {
  manager_.self = this;
  manager_.pub.init_source = Init;
  manager_.pub.fill_input_buffer = Fill;
  manager_.pub.skip_input_data = Skip;
  manager_.pub.resync_to_restart = jpeg_resync_to_restart;
  manager_.pub.term_source = Term;
  manager_.pub.next_input_byte = nullptr;
  manager_.pub.bytes_in_buffer = 0;
  cinfo->src = &manager_.pub;
  // The memory source refuses an empty buffer at once, before any header is read.
  if (empty_) ERREXIT(cinfo, JERR_INPUT_EMPTY);
}

void JpegFileSource::readHeader(j_decompress_ptr cinfo) {
  jpeg_create_decompress(cinfo);
  attach(cinfo);
  KeepIccMarkers(cinfo);
  jpeg_read_header(cinfo, TRUE);
}

boolean JpegFileSource::Fill(j_decompress_ptr cinfo) {
  static const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};
  auto* m = reinterpret_cast<Manager*>(cinfo->src);
  JpegFileSource* self = m->self;
  std::size_t n = 0;
  if (self->primed_) {
    self->primed_ = false;
    n = self->primedSize_;
  } else if (self->readErrno_ == 0) {
    n = self->readChunk();
  }
  if (n == 0) {
    // Past the end (or after a read error, raised once libjpeg returns): the same warning and
    // marker the memory source gives.
    WARNMS(cinfo, JWRN_JPEG_EOF);
    m->pub.next_input_byte = kEndOfImage;
    m->pub.bytes_in_buffer = 2;
    return TRUE;
  }
  m->pub.next_input_byte = self->buffer_.data();
  m->pub.bytes_in_buffer = n;
  return TRUE;
}

void JpegFileSource::Skip(j_decompress_ptr cinfo, long count) {
  jpeg_source_mgr* src = cinfo->src;
  if (count <= 0) return;
  while (count > static_cast<long>(src->bytes_in_buffer)) {
    count -= static_cast<long>(src->bytes_in_buffer);
    Fill(cinfo);
  }
  src->next_input_byte += count;
  src->bytes_in_buffer -= static_cast<std::size_t>(count);
}

void JpegFileSource::throwIfReadFailed() const {
  if (readErrno_ == 0) return;
  errno = readErrno_;
  ThrowFileError(path_);
}

}  // namespace fw

#include "images/png_inflate.h"

#include <algorithm>
#include <string>

#include "common/error.h"

namespace fw::png {
namespace {

constexpr std::size_t kPiece = 1u << 30;  // zlib counts in uInt

[[noreturn]] void Fail(const z_stream& z, int code) {
  throw Error(z.msg != nullptr ? std::string(z.msg) : std::string(zError(code)));
}

}  // namespace

Inflater::Inflater(std::string_view stream) : rest_(stream) {
  const int code = inflateInit(&z_);
  if (code != Z_OK) Fail(z_, code);
}

Inflater::~Inflater() { inflateEnd(&z_); }

std::size_t Inflater::Read(std::uint8_t* out, std::size_t size) {
  std::size_t done = 0;
  while (done < size && !ended_) {
    if (z_.avail_in == 0 && !rest_.empty()) {
      const std::size_t piece = std::min(rest_.size(), kPiece);
      z_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(rest_.data()));
      z_.avail_in = static_cast<uInt>(piece);
      rest_.remove_prefix(piece);
    }
    const std::size_t want = std::min(size - done, kPiece);
    z_.next_out = out + done;
    z_.avail_out = static_cast<uInt>(want);
    const int code = inflate(&z_, Z_NO_FLUSH);
    done += want - z_.avail_out;
    if (code == Z_STREAM_END) {
      ended_ = true;
    } else if (code == Z_BUF_ERROR) {
      // No progress possible: unless more input waits, the stream was cut short.
      if (z_.avail_in != 0 || rest_.empty()) ended_ = true;
    } else if (code != Z_OK) {
      Fail(z_, code);
    }
  }
  return done;
}

}  // namespace fw::png

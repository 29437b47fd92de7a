#include "images/jpeg_entropy_bits.h"

#include <algorithm>
#include <cstring>

namespace fw {

void JpegBytes::skip(long count) {
  while (count > 0) {
    if (src_->bytes_in_buffer == 0) refill();
    const long n = std::min(count, long(src_->bytes_in_buffer));
    src_->next_input_byte += n;
    src_->bytes_in_buffer -= std::size_t(n);
    count -= n;
  }
}

int JpegBytes::nextMarker() {
  for (;;) {
    // Most of what is passed over is entropy-coded data: find its 0xFF bytes a buffer at a time.
    for (;;) {
      if (src_->bytes_in_buffer == 0) refill();
      const void* ff = std::memchr(src_->next_input_byte, 0xFF, src_->bytes_in_buffer);
      if (!ff) {
        src_->next_input_byte += src_->bytes_in_buffer;
        src_->bytes_in_buffer = 0;
        continue;
      }
      const std::size_t n = std::size_t(static_cast<const JOCTET*>(ff) - src_->next_input_byte);
      src_->next_input_byte += n + 1;
      src_->bytes_in_buffer -= n + 1;
      break;
    }
    int c;
    do c = next();
    while (c == 0xFF);
    if (c != 0) return c;
  }
}

bool HuffmanCodesFit(const std::uint8_t (&bits)[17]) {
  int count = 0;
  std::int32_t code = 0;
  for (int l = 1; l <= 16; ++l) {
    count += bits[l];
    code += bits[l];
    if (bits[l] != 0 && code >= std::int32_t(1) << l) return false;
    code <<= 1;
  }
  return count <= 256;
}

bool DcHuffman::build(const std::uint8_t (&bits)[17], const std::uint8_t* values) {
  if (!HuffmanCodesFit(bits)) return false;
  int count = 0;
  for (int l = 1; l <= 16; ++l) count += bits[l];
  for (int i = 0; i < count; ++i)
    if (values[i] > 15) return false;
  std::copy(values, values + count, values_.begin());
  fast_.fill(0);
  std::int32_t code = 0;
  int p = 0;
  for (int l = 1; l <= 16; ++l) {
    if (bits[l] == 0) {
      maxCode_[l] = -1;
    } else {
      valueOffset_[l] = p - code;
      for (int i = 0; i < bits[l]; ++i, ++p, ++code)
        if (l <= kLookahead) {
          // Every kLookahead-bit sequence that starts with this code.
          const int shift = kLookahead - l;
          for (int fill = 0; fill < 1 << shift; ++fill)
            fast_[std::size_t(code << shift | fill)] = std::uint16_t(l << 8 | values[p]);
        }
      maxCode_[l] = code - 1;
    }
    code <<= 1;
  }
  maxCode_[17] = 0x7FFFFFFF;
  return true;
}

void ScanBits::fill() {
  while (count_ <= 56) {
    int byte = 0;
    if (marker_ == 0) {
      byte = bytes_.next();
      if (byte == 0xFF) {
        int c;
        do c = bytes_.next();
        while (c == 0xFF);
        if (c != 0) marker_ = c, byte = 0;
      }
    }
    // Past 64 padding bits some are bound to have been used: counting stops there, so that a
    // long scan cut short cannot run the count over.
    if (marker_ != 0 && padding_ <= 64) padding_ += 8;
    buffer_ |= std::uint64_t(byte) << (56 - count_);
    count_ += 8;
  }
}

int ScanBits::decode(const DcHuffman& table) {
  fill();
  const std::uint16_t e = table.fast_[std::size_t(buffer_ >> (64 - DcHuffman::kLookahead))];
  int length = e >> 8, size = e & 0xFF;
  if (e == 0) {
    length = DcHuffman::kLookahead + 1;
    while (length <= 16 && std::int32_t(buffer_ >> (64 - length)) > table.maxCode_[length])
      ++length;
    if (length > 16) return -1;
    const std::int32_t code = std::int32_t(buffer_ >> (64 - length));
    size = table.values_[std::size_t(code + table.valueOffset_[length])];
  }
  buffer_ <<= length;
  count_ -= length;
  return size;
}

int ScanBits::restart() {
  buffer_ = 0, count_ = 0, padding_ = 0;
  const int m = marker_ ? marker_ : bytes_.nextMarker();
  marker_ = 0;
  return m;
}

}  // namespace fw

// Reading a JPEG's entropy-coded data straight from libjpeg's source manager, for the decoder
// of DC scans: whole bytes between markers, the bits of a scan (stuffed 0xFF 0x00 bytes
// undone, a marker ending them), and the Huffman codes of DC differences. Nothing here raises:
// what libjpeg would only warn about and work around is reported, so that the caller can leave
// the picture to libjpeg.
#pragma once

#include <array>
#include <cstdint>

#include "images/jpeg_errors.h"

namespace fw {

// Bytes of the stream after the point libjpeg's header reader stopped. Past the end of the
// file the source supplies end-of-image markers, so every walk through it ends.
class JpegBytes {
 public:
  explicit JpegBytes(j_decompress_ptr cinfo) : cinfo_(cinfo), src_(cinfo->src) {}
  int next() {
    if (src_->bytes_in_buffer == 0) refill();
    --src_->bytes_in_buffer;
    return *src_->next_input_byte++;
  }
  int next2() {
    const int high = next();
    return high << 8 | next();
  }
  void skip(long count);
  // The next marker's code, skipping whatever comes before it as libjpeg's reader does: any
  // bytes up to an 0xFF, fill bytes, and stuffed 0xFF 0x00 pairs (so entropy-coded data is
  // passed over whole, restart markers aside).
  int nextMarker();

  // The refill that libjpeg's source gives; never suspends.
  void refill() { (*src_->fill_input_buffer)(cinfo_); }
  jpeg_source_mgr& src() { return *src_; }

 private:
  j_decompress_ptr cinfo_;
  jpeg_source_mgr* src_;
};

// Whether the code lengths of a Huffman table (bits[1..16]: codes of each length) make codes
// libjpeg accepts: at most 256 of them, none all ones, each fitting its length.
bool HuffmanCodesFit(const std::uint8_t (&bits)[17]);

// A Huffman table of DC difference sizes, built and checked as libjpeg builds its own.
class DcHuffman {
 public:
  // False for a table libjpeg refuses (too many codes, codes that overflow their length, a
  // size above 15).
  bool build(const std::uint8_t (&bits)[17], const std::uint8_t* values);

 private:
  friend class ScanBits;
  static constexpr int kLookahead = 9;
  // Codes up to kLookahead bits long: the size in the low byte, the code's length above it;
  // 0 for longer codes.
  std::array<std::uint16_t, 1 << kLookahead> fast_{};
  std::array<std::int32_t, 18> maxCode_{};
  std::array<std::int32_t, 18> valueOffset_{};
  std::array<std::uint8_t, 256> values_{};
};

// The bits of one scan's entropy-coded data.
class ScanBits {
 public:
  explicit ScanBits(JpegBytes& bytes) : bytes_(bytes) {}
  // The size of the next DC difference; -1 for a code no table entry has.
  int decode(const DcHuffman& table);
  int bits(int n) {
    fill();
    const int v = int(buffer_ >> (64 - n));
    buffer_ <<= n;
    count_ -= n;
    return v;
  }
  // A size and its bits as the signed difference they code.
  int difference(int size) {
    if (size == 0) return 0;
    const int v = bits(size);
    return v < (1 << (size - 1)) ? v - (1 << size) + 1 : v;
  }
  // True when bits past the end of the data were used: libjpeg would warn and make up the rest.
  bool overran() const { return count_ < padding_; }
  // Drops the bits left (at a restart and at the scan's end) and gives the next marker: the
  // one that ended the data, or else the next one in the stream.
  int restart();

 private:
  void fill();

  JpegBytes& bytes_;
  std::uint64_t buffer_ = 0;  // bits to be read next, from the top
  int count_ = 0;             // of them valid
  int padding_ = 0;           // of those the zeros added after a marker, counted up to 72
  int marker_ = 0;
};

}  // namespace fw

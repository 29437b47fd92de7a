// Feeds libjpeg from a file in chunks, so that reading a picture's headers costs only the bytes
// before its image data and decoding one never holds the whole compressed file. At the end of
// the file it behaves as libjpeg's memory source does (an end-of-image marker is supplied), so
// a cut-short file decodes exactly as it does from memory.
#pragma once

#include <cerrno>
#include <string>
#include <vector>

#include "images/jpeg_errors.h"

namespace fw {

class JpegFileSource {
 public:
  // Opens the file and reads its first chunk; a missing or unreadable file raises the same
  // error as fs::ReadFile.
  explicit JpegFileSource(const std::string& path);
  ~JpegFileSource();
  JpegFileSource(const JpegFileSource&) = delete;
  JpegFileSource& operator=(const JpegFileSource&) = delete;

  bool empty() const { return empty_; }
  // Installs this source in `cinfo`; the source must outlive the decompressor's use of it.
  void attach(j_decompress_ptr cinfo);
  // Creates `cinfo`'s decompressor on this source, keeps the ICC profile markers and reads the
  // header; a libjpeg error jumps to the caller's setjmp as any libjpeg call does.
  void readHeader(j_decompress_ptr cinfo);
  // A read error met while libjpeg was pulling data is raised here, as fs::ReadFile would have.
  void throwIfReadFailed() const;

 private:
  struct Manager {
    jpeg_source_mgr pub;
    JpegFileSource* self;
  };
  static void Init(j_decompress_ptr) {}
  static boolean Fill(j_decompress_ptr cinfo);
  static void Skip(j_decompress_ptr cinfo, long count);
  static void Term(j_decompress_ptr) {}
  std::size_t readChunk();

  std::string path_;
  int fd_ = -1;
  bool empty_ = false;
  bool primed_ = false;  // the first chunk, read by the constructor, is not handed out yet
  std::size_t primedSize_ = 0;
  int readErrno_ = 0;
  std::vector<JOCTET> buffer_;
  Manager manager_{};
};

}  // namespace fw

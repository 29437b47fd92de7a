// The one libjpeg error manager of the system: a fatal libjpeg error jumps back to the caller,
// which then raises fw::Error with libjpeg's own message text. Warnings (corrupt data that
// libjpeg can work around) are silenced, as libjpeg's default behaviour tolerates them.
#pragma once

#include <csetjmp>

// jpeglib.h needs size_t and FILE declared before it.
// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

namespace fw {

struct JpegErrors {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX] = {};
};

// Fills `errors` and returns the pointer to store in cinfo.err. The caller must call setjmp on
// errors.jump before the first libjpeg call that can fail, and call ThrowJpegFailure(errors) when
// it returns non-zero. Only plain data may be created between that setjmp and the libjpeg calls.
jpeg_error_mgr* AttachJpegErrors(JpegErrors& errors);

[[noreturn]] void ThrowJpegFailure(const JpegErrors& errors);

// A decompressor with the error manager above attached; libjpeg's state is freed on every way
// out, including the jump back from a libjpeg error.
struct JpegDecompressor {
  JpegErrors errors;
  jpeg_decompress_struct cinfo{};
  JpegDecompressor() { cinfo.err = AttachJpegErrors(errors); }
  ~JpegDecompressor() { jpeg_destroy_decompress(&cinfo); }
  JpegDecompressor(const JpegDecompressor&) = delete;
  JpegDecompressor& operator=(const JpegDecompressor&) = delete;
};

}  // namespace fw

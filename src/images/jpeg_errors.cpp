#include "images/jpeg_errors.h"

#include "common/error.h"

namespace fw {
namespace {

void ExitWithMessage(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, errors->message);
  std::longjmp(errors->jump, 1);
}

void DropMessage(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* AttachJpegErrors(JpegErrors& errors) {
  jpeg_std_error(&errors.mgr);
  errors.mgr.error_exit = ExitWithMessage;
  errors.mgr.output_message = DropMessage;
  return &errors.mgr;
}

void ThrowJpegFailure(const JpegErrors& errors) {
  throw Error(errors.message[0] != '\0' ? errors.message : "JPEG library error");
}

}  // namespace fw

// The failure of an HTTP transfer: the reason text (the message) and the status code.
#pragma once

#include <string>

#include "common/error.h"

namespace fw {

class HttpError : public Error {
 public:
  HttpError(const std::string& reason, int status) : Error(reason), status_(status) {}
  int status() const { return status_; }

 private:
  int status_;
};

}  // namespace fw

#include "common/rounding.h"

#include <cmath>
#include <limits>

namespace fw {

long long RoundHalfEven(long double value) {
  if (std::isnan(value)) return 0;
  long double r = std::nearbyint(value);  // the default rounding mode: halves go to even
  if (r >= static_cast<long double>(std::numeric_limits<long long>::max()))
    return std::numeric_limits<long long>::max();
  if (r <= static_cast<long double>(std::numeric_limits<long long>::min()))
    return std::numeric_limits<long long>::min();
  return static_cast<long long>(r);
}

}  // namespace fw

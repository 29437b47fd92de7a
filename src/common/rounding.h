// The one rounding rule of sizes and positions: half to even.
#pragma once

namespace fw {

// Half-to-even rounding of a floating value to an integer.
long long RoundHalfEven(long double value);

}  // namespace fw

#include "images/gif_lzw.h"

#include <array>

#include "common/error.h"

namespace fw::gif {
namespace {

constexpr int kMaxCodes = 4096;  // 12-bit codes

[[noreturn]] void Corrupt() { throw Error("Circular decoder table entry"); }

}  // namespace

void DecodeLzw(int minCodeSize, std::string_view data,
               const std::function<bool(const std::uint8_t*, std::size_t)>& emit) {
  // Sizes outside 1..11 leave no room for a code table; the frame keeps its preset pixels.
  if (minCodeSize < 1 || minCodeSize > 11) return;
  const int clear = 1 << minCodeSize;
  const int end = clear + 1;
  std::array<std::uint16_t, kMaxCodes> prefix{};
  std::array<std::uint8_t, kMaxCodes> suffix{};
  std::array<std::uint8_t, kMaxCodes> first{};  // first index of each code's string
  std::array<std::uint8_t, kMaxCodes + 1> stack{};
  for (int i = 0; i < clear; ++i) suffix[i] = first[i] = std::uint8_t(i);

  int size = minCodeSize + 1;
  int next = clear + 2;
  int previous = -1;
  std::uint32_t bits = 0;
  int count = 0;
  std::size_t pos = 0;
  for (;;) {
    while (count < size && pos < data.size()) {
      bits |= std::uint32_t(std::uint8_t(data[pos++])) << count;
      count += 8;
    }
    if (count < size) return;  // data ran out
    const int code = int(bits & ((1u << size) - 1));
    bits >>= size;
    count -= size;

    if (code == clear) {
      size = minCodeSize + 1;
      next = clear + 2;
      previous = -1;
      continue;
    }
    if (code == end) return;
    // A code not yet in the table, other than the one being defined, has no chain.
    if (code > next || (code == next && (previous < 0 || next >= kMaxCodes))) Corrupt();

    // Unwind the code's chain into the stack, last index first.
    int length = 0;
    int c = code;
    if (code == next) {
      stack[length++] = first[previous];
      c = previous;
    }
    while (c >= clear) {
      if (c == end || c == clear || length >= kMaxCodes) Corrupt();
      stack[length++] = suffix[c];
      c = prefix[c];
    }
    stack[length++] = std::uint8_t(c);

    if (previous >= 0 && next < kMaxCodes) {
      prefix[next] = std::uint16_t(previous);
      suffix[next] = stack[length - 1];  // the first index of this code's string
      first[next] = first[previous];
      ++next;
      if (next == (1 << size) && size < 12) ++size;
    }
    previous = code;

    std::array<std::uint8_t, kMaxCodes + 1> run;
    for (int i = 0; i < length; ++i) run[i] = stack[length - 1 - i];
    if (!emit(run.data(), std::size_t(length))) return;
  }
}

}  // namespace fw::gif

#include "images/smooth_scaler.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "common/host.h"
#include "images/scaler.h"

namespace fw {
namespace {

constexpr double kLobes = 3;

double Lanczos(double x) {
  x = std::fabs(x);
  if (x < 1e-9) return 1;
  if (x >= kLobes) return 0;
  const double px = std::numbers::pi * x;
  return kLobes * std::sin(px) * std::sin(px / kLobes) / (px * px);
}

std::uint8_t ToLevel(float v) {
  return static_cast<std::uint8_t>(v <= 0 ? 0 : v >= 255 ? 255 : int(v + 0.5f));
}

}  // namespace

FilterTaps LanczosTaps(int outCount, int sourceCount, double scale) {
  // A reduction widens the kernel to the reduction, so that it averages what it drops; an
  // enlargement interpolates with the kernel as it is.
  const double width = std::max(scale, 1.0);
  const double reach = kLobes * width;
  FilterTaps t;
  t.stride = int(std::ceil(2 * reach)) + 1;
  t.first.resize(std::size_t(outCount));
  t.count.resize(std::size_t(outCount));
  t.weight.assign(std::size_t(outCount) * std::size_t(t.stride), 0.0f);
  std::vector<double> w(std::size_t(t.stride));
  for (int i = 0; i < outCount; ++i) {
    const double centre = (i + 0.5) * scale - 0.5;
    const int lo = std::max(0, int(std::floor(centre - reach)) + 1);
    const int hi = std::min(sourceCount - 1, int(std::ceil(centre + reach)) - 1);
    double total = 0;
    int n = 0;
    for (int s = lo; s <= hi && n < t.stride; ++s, ++n)
      total += w[std::size_t(n)] = Lanczos((s - centre) / width);
    // Far past the source's end (a sliver of a picture) nothing is in reach: take its edge.
    if (n == 0 || total == 0) {
      t.first[i] = std::clamp(int(std::lround(centre)), 0, sourceCount - 1);
      t.count[i] = 1;
      t.weight[std::size_t(i) * t.stride] = 1;
      continue;
    }
    t.first[i] = lo;
    t.count[i] = n;
    for (int k = 0; k < n; ++k)
      t.weight[std::size_t(i) * t.stride + k] = float(w[std::size_t(k)] / total);
  }
  return t;
}

SmoothScaler::SmoothScaler(int sourceWidth, int sourceHeight, double scaleX, double scaleY,
                           Raster& out, Host& host)
    : columns_(LanczosTaps(out.width, sourceWidth, scaleX)),
      rows_(LanczosTaps(out.height, sourceHeight, scaleY)),
      out_(out),
      host_(host) {
  window_.assign(std::size_t(rows_.stride), std::vector<float>(std::size_t(sourceWidth) * 3));
  down_.resize(std::size_t(sourceWidth) * 3);
}

void SmoothScaler::push(const std::uint8_t* row) {
  if (finished()) return;
  std::vector<float>& held = window_[std::size_t(pushed_ % rows_.stride)];
  for (std::size_t i = 0; i < held.size(); ++i) held[i] = row[i];
  ++pushed_;
  // The rows' windows end in order, so each output row is made as soon as its last row is in.
  while (!finished() && rows_.first[nextOut_] + rows_.count[nextOut_] <= pushed_) emit(nextOut_++);
}

// Down first, over whole rows (the loop the compiler vectorises), then across the one row.
void SmoothScaler::emit(int y) {
  const float* w = &rows_.weight[std::size_t(y) * rows_.stride];
  std::fill(down_.begin(), down_.end(), 0.0f);
  for (int k = 0; k < rows_.count[y]; ++k) {
    const float* in = window_[std::size_t((rows_.first[y] + k) % rows_.stride)].data();
    const float wk = w[k];
    float* d = down_.data();
    for (std::size_t i = 0, n = down_.size(); i < n; ++i) d[i] += wk * in[i];
  }
  std::uint8_t* o = out_.row(y);
  for (int x = 0; x < out_.width; ++x, o += 3) {
    const float* wx = &columns_.weight[std::size_t(x) * columns_.stride];
    const float* in = &down_[std::size_t(columns_.first[x]) * 3];
    float r = 0, g = 0, b = 0;
    for (int k = 0; k < columns_.count[x]; ++k, in += 3)
      r += wx[k] * in[0], g += wx[k] * in[1], b += wx[k] * in[2];
    o[0] = ToLevel(r), o[1] = ToLevel(g), o[2] = ToLevel(b);
  }
  host_.processEvents();
}

Raster SmoothSample(const Raster& source, int size, Host& host) {
  const ScaledSize s = ScaledDimensions(source.width, source.height, size);
  Raster out = NewScaledRaster(s);
  SmoothScaler scaler(source.width, source.height, double(source.width) / s.width,
                      double(source.height) / s.height, out, host);
  for (int y = 0; y < source.height && !scaler.finished(); ++y) scaler.push(source.row(y));
  return out;
}

}  // namespace fw

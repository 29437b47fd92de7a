#include "images/jpeg_dc_scans.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <tuple>
#include <utility>

#include "images/jpeg_entropy_bits.h"

namespace fw {
namespace {

constexpr int kSos = 0xDA, kEoi = 0xD9, kDht = 0xC4, kDqt = 0xDB, kDri = 0xDD, kCom = 0xFE;
constexpr int kRst0 = 0xD0, kTem = 0x01, kApp0 = 0xE0, kApp2 = 0xE2, kApp15 = 0xEF;

struct Scan {
  int count = 0;
  std::array<int, 4> component{};  // indexes into the frame's components
  std::array<int, 4> dcTable{}, acTable{};
  int ss = 0, se = 0, ah = 0, al = 0;
};

struct HuffmanSlot {
  bool defined = false;
  std::uint8_t bits[17] = {};
  std::uint8_t values[256] = {};
};

struct Component {
  int id = 0, h = 1, v = 1, quantSlot = 0;
  int blocksWide = 0, blocksHigh = 0;  // blocks of the picture
  int stride = 0;                      // blocks held per row: whole MCUs
  int quant = 0;                       // the DC quantiser, once the first scan latched it
  bool latched = false;
  std::array<std::int8_t, 64> coefBits;  // libjpeg's progression record: -1 never sent
  std::vector<std::int16_t> dc;
};

// libjpeg's sample range limit after its inverse DCT: the value wraps at 10 bits, then clamps.
std::uint8_t RangeLimit(int v) {
  int s = v & 1023;
  if (s >= 512) s -= 1024;
  return std::uint8_t(std::clamp(s + 128, 0, 255));
}

// MCUs across and down the picture, as an interleaved scan codes them.
std::pair<int, int> McuCount(j_decompress_ptr cinfo) {
  const JDIMENSION w = 8 * JDIMENSION(cinfo->max_h_samp_factor);
  const JDIMENSION h = 8 * JDIMENSION(cinfo->max_v_samp_factor);
  return {int((cinfo->image_width + w - 1) / w), int((cinfo->image_height + h - 1) / h)};
}

class DcScanWalk {
 public:
  explicit DcScanWalk(j_decompress_ptr cinfo);
  std::optional<std::vector<DcSamples>> run();

 private:
  bool scan(const Scan& s);
  bool progress(const Scan& s);
  bool decode(const Scan& s);
  bool skipped(int marker);
  bool readHuffman();
  bool readQuant();
  bool readSos(Scan& s);
  bool smoothsDc() const;
  std::vector<DcSamples> samples() const;

  j_decompress_ptr cinfo_;
  JpegBytes bytes_;
  std::vector<Component> comps_;
  std::array<HuffmanSlot, 4> dcSlots_, acSlots_;
  std::array<int, 4> quant_;  // DC quantisers of the four slots, -1 undefined
  int restartInterval_ = 0;
  int mcusWide_ = 0, mcusHigh_ = 0;
  int marker_ = 0;  // the marker that ended the last scan
};

DcScanWalk::DcScanWalk(j_decompress_ptr cinfo) : cinfo_(cinfo), bytes_(cinfo) {
  std::tie(mcusWide_, mcusHigh_) = McuCount(cinfo);
  for (int i = 0; i < cinfo->num_components; ++i) {
    const jpeg_component_info& c = cinfo->comp_info[i];
    Component k;
    k.id = c.component_id, k.h = c.h_samp_factor, k.v = c.v_samp_factor;
    k.quantSlot = c.quant_tbl_no;
    k.blocksWide = int(c.width_in_blocks), k.blocksHigh = int(c.height_in_blocks);
    k.stride = mcusWide_ * k.h;
    k.coefBits.fill(-1);
    comps_.push_back(std::move(k));
  }
  for (int i = 0; i < 4; ++i) {
    quant_[std::size_t(i)] = cinfo->quant_tbl_ptrs[i] ? cinfo->quant_tbl_ptrs[i]->quantval[0] : -1;
    for (auto [from, to] : {std::pair{cinfo->dc_huff_tbl_ptrs[i], &dcSlots_[std::size_t(i)]},
                            std::pair{cinfo->ac_huff_tbl_ptrs[i], &acSlots_[std::size_t(i)]}}) {
      if (!from) continue;
      to->defined = true;
      std::memcpy(to->bits, from->bits, sizeof to->bits);
      std::memcpy(to->values, from->huffval, sizeof to->values);
    }
  }
  restartInterval_ = int(cinfo->restart_interval);
}

std::optional<std::vector<DcSamples>> DcScanWalk::run() {
  // The ids must tell the components apart, for the scans to name them.
  for (std::size_t i = 0; i < comps_.size(); ++i)
    for (std::size_t j = 0; j < i; ++j)
      if (comps_[i].id == comps_[j].id) return std::nullopt;
  for (Component& c : comps_) c.dc.assign(std::size_t(c.stride) * mcusHigh_ * c.v, 0);
  // The first scan's header is libjpeg's.
  Scan first;
  first.count = cinfo_->comps_in_scan;
  for (int i = 0; i < first.count; ++i) {
    const jpeg_component_info* c = cinfo_->cur_comp_info[i];
    first.component[std::size_t(i)] = int(c - cinfo_->comp_info);
    first.dcTable[std::size_t(i)] = c->dc_tbl_no;
    first.acTable[std::size_t(i)] = c->ac_tbl_no;
  }
  first.ss = cinfo_->Ss, first.se = cinfo_->Se, first.ah = cinfo_->Ah, first.al = cinfo_->Al;
  if (!scan(first)) return std::nullopt;
  for (;;) {
    const int m = marker_;
    if (m == kEoi) break;
    if (m == kSos) {
      Scan s;
      if (!readSos(s) || !scan(s)) return std::nullopt;
      continue;
    }
    if (!skipped(m)) return std::nullopt;
    marker_ = bytes_.nextMarker();
  }
  for (const Component& c : comps_)
    if (c.coefBits[0] < 0) return std::nullopt;
  // A stream that ends before its end-of-image marker makes the source warn; libjpeg smooths
  // the DC of a picture cut off inside a scan.
  if (cinfo_->err->num_warnings != 0 || smoothsDc()) return std::nullopt;
  return samples();
}

// Dequantised as libjpeg does, in 16-bit multipliers; a block's mean is its DC / 8.
std::vector<DcSamples> DcScanWalk::samples() const {
  std::vector<DcSamples> out;
  for (const Component& c : comps_) {
    DcSamples s{c.blocksWide, c.blocksHigh, {}};
    s.level.resize(std::size_t(s.width) * std::size_t(s.height));
    const int quant = std::int16_t(std::uint16_t(c.quant));
    for (int y = 0; y < s.height; ++y)
      for (int x = 0; x < s.width; ++x) {
        const int dc = c.dc[std::size_t(y) * std::size_t(c.stride) + std::size_t(x)] * quant;
        s.level[std::size_t(y) * std::size_t(s.width) + std::size_t(x)] = RangeLimit((dc + 4) >> 3);
      }
    out.push_back(std::move(s));
  }
  return out;
}

// Markers between scans: tables are read, others passed over as libjpeg passes them. A profile
// piece after the first scan would join the picture's profile in libjpeg's decode.
bool DcScanWalk::skipped(int m) {
  if (m == kDht) return readHuffman();
  if (m == kDqt) return readQuant();
  if (m == kDri) {
    if (bytes_.next2() != 4) return false;
    restartInterval_ = bytes_.next2();
    return true;
  }
  if ((m >= kRst0 && m < kRst0 + 8) || m == kTem) return true;
  if ((m >= kApp0 && m <= kApp15 && m != kApp2) || m == kCom) {
    const int length = bytes_.next2();
    if (length < 2) return false;
    bytes_.skip(length - 2);
    return true;
  }
  return false;  // a second frame or image, arithmetic coding, or a code libjpeg refuses
}

bool DcScanWalk::readHuffman() {
  int length = bytes_.next2() - 2;
  while (length > 16) {
    const int index = bytes_.next();
    HuffmanSlot slot;
    slot.defined = true;
    int count = 0;
    for (int l = 1; l <= 16; ++l) count += slot.bits[l] = std::uint8_t(bytes_.next());
    length -= 17;
    if (count > 256 || count > length) return false;
    for (int i = 0; i < count; ++i) slot.values[i] = std::uint8_t(bytes_.next());
    length -= count;
    const int n = index & ~0x10;
    if (n < 0 || n >= 4) return false;
    ((index & 0x10) ? acSlots_ : dcSlots_)[std::size_t(n)] = slot;
  }
  return length == 0;
}

// Only whole tables are taken: libjpeg's reading of short ones is left to it.
bool DcScanWalk::readQuant() {
  int length = bytes_.next2() - 2;
  while (length > 0) {
    const int n = bytes_.next();
    const int precision = n >> 4, slot = n & 15;
    const int size = precision ? 128 : 64;
    if (slot >= 4 || precision > 1 || length - 1 < size) return false;
    quant_[std::size_t(slot)] = precision ? bytes_.next2() : bytes_.next();
    bytes_.skip(size - (precision ? 2 : 1));
    length -= 1 + size;
  }
  return length == 0;
}

// Components must come in the frame's order: libjpeg's lookup refuses them otherwise.
bool DcScanWalk::readSos(Scan& s) {
  const int length = bytes_.next2();
  s.count = bytes_.next();
  if (s.count < 1 || s.count > 4 || length != 6 + 2 * s.count) return false;
  int last = -1;
  for (int i = 0; i < s.count; ++i) {
    const int id = bytes_.next(), tables = bytes_.next();
    int found = -1;
    for (std::size_t c = 0; c < comps_.size(); ++c)
      if (comps_[c].id == id) found = int(c);
    if (found <= last) return false;
    last = s.component[std::size_t(i)] = found;
    s.dcTable[std::size_t(i)] = tables >> 4;
    s.acTable[std::size_t(i)] = tables & 15;
  }
  s.ss = bytes_.next(), s.se = bytes_.next();
  const int a = bytes_.next();
  s.ah = a >> 4, s.al = a & 15;
  return true;
}

// libjpeg's checks of a scan's parameters and of the order of scans: what it refuses or calls
// bogus is left to it. Records the precision each coefficient has after the scan.
bool DcScanWalk::progress(const Scan& s) {
  const bool dc = s.ss == 0;
  if (s.count < 1) return false;  // a scan of no component
  if (dc ? s.se != 0 : s.ss > s.se || s.se > 63 || s.count != 1) return false;
  if ((s.ah != 0 && s.al != s.ah - 1) || s.al > 13) return false;
  int blocks = 0;
  for (int i = 0; i < s.count; ++i) {
    Component& c = comps_[std::size_t(s.component[std::size_t(i)])];
    blocks += c.h * c.v;
    if (!dc && c.coefBits[0] < 0) return false;
    for (int k = s.ss; k <= s.se; ++k) {
      if (s.ah != std::max<int>(c.coefBits[std::size_t(k)], 0)) return false;
      c.coefBits[std::size_t(k)] = std::int8_t(s.al);
    }
    if (!c.latched) {
      if (c.quantSlot < 0 || c.quantSlot >= 4 || quant_[std::size_t(c.quantSlot)] < 0) return false;
      c.quant = quant_[std::size_t(c.quantSlot)];
      c.latched = true;
    }
    // The Huffman tables the scan's decoding would build.
    const int table = dc ? s.dcTable[std::size_t(i)] : s.acTable[std::size_t(i)];
    const HuffmanSlot* slot = table < 4 ? &(dc ? dcSlots_ : acSlots_)[std::size_t(table)] : nullptr;
    if (dc && s.ah != 0) continue;  // a DC refinement reads bare bits
    if (!slot || !slot->defined || !HuffmanCodesFit(slot->bits)) return false;
  }
  return s.count == 1 || blocks <= 10;
}

bool DcScanWalk::scan(const Scan& s) {
  if (!progress(s)) return false;
  if (s.ss != 0) {
    marker_ = bytes_.nextMarker();
    return true;
  }
  return decode(s);
}

// One DC scan, first or refining: MCUs of every component's h x v blocks when it interleaves
// several components, single blocks of the one component otherwise.
bool DcScanWalk::decode(const Scan& s) {
  std::array<DcHuffman, 4> tables;
  const bool first = s.ah == 0;
  if (first)
    for (int i = 0; i < s.count; ++i) {
      const HuffmanSlot& slot = dcSlots_[std::size_t(s.dcTable[std::size_t(i)])];
      if (!tables[std::size_t(i)].build(slot.bits, slot.values)) return false;
    }
  const Component& only = comps_[std::size_t(s.component[0])];
  const bool single = s.count == 1;
  const int wide = single ? only.blocksWide : mcusWide_;
  const int high = single ? only.blocksHigh : mcusHigh_;
  ScanBits bits(bytes_);
  std::array<long long, 4> pred{};
  int toGo = restartInterval_, nextRestart = 0;
  for (int my = 0; my < high; ++my)
    for (int mx = 0; mx < wide; ++mx) {
      if (restartInterval_ != 0) {
        if (toGo == 0) {
          if (bits.overran() || bits.restart() != kRst0 + nextRestart) return false;
          nextRestart = (nextRestart + 1) & 7;
          pred.fill(0);
          toGo = restartInterval_;
        }
        --toGo;
      }
      for (int i = 0; i < s.count; ++i) {
        Component& c = comps_[std::size_t(s.component[std::size_t(i)])];
        const int h = single ? 1 : c.h, v = single ? 1 : c.v;
        for (int by = 0; by < v; ++by)
          for (int bx = 0; bx < h; ++bx) {
            std::int16_t& dc = c.dc[std::size_t(my * v + by) * std::size_t(c.stride) +
                                    std::size_t(mx * h + bx)];
            if (!first) {
              if (bits.bits(1)) dc = std::int16_t(dc | (1 << s.al));
              continue;
            }
            const int size = bits.decode(tables[std::size_t(i)]);
            if (size < 0) return false;
            long long& p = pred[std::size_t(i)];
            p += bits.difference(size);
            if (p > INT_MAX || p < INT_MIN) return false;  // libjpeg refuses such a value
            dc = std::int16_t(std::uint16_t(std::uint64_t(p) << s.al));
          }
      }
    }
  if (bits.overran()) return false;
  marker_ = bits.restart();
  return true;
}

// libjpeg smooths the blocks of a progressive picture whose low AC coefficients are not all
// known; a component that never had any of them has its DC smoothed too.
bool DcScanWalk::smoothsDc() const {
  if (!cinfo_->do_block_smoothing) return false;
  for (const Component& c : comps_)
    if (std::all_of(c.coefBits.begin() + 1, c.coefBits.begin() + 10, [](int b) { return b < 0; }))
      return true;
  return false;
}

}  // namespace

std::optional<std::vector<DcSamples>> ReadDcSamples(j_decompress_ptr cinfo) {
  return DcScanWalk(cinfo).run();
}

std::uint64_t DcBlockCount(j_decompress_ptr cinfo) {
  std::uint64_t blocks = 0;
  for (int i = 0; i < cinfo->num_components; ++i)
    blocks += std::uint64_t(cinfo->comp_info[i].width_in_blocks) *
              cinfo->comp_info[i].height_in_blocks;
  return blocks;
}

// Each component's DC of whole MCUs, two bytes each, and its samples, one byte a block.
std::uint64_t DcSampleBytes(j_decompress_ptr cinfo) {
  const auto [wide, high] = McuCount(cinfo);
  std::uint64_t held = 0;
  for (int i = 0; i < cinfo->num_components; ++i)
    held += std::uint64_t(wide) * std::uint64_t(cinfo->comp_info[i].h_samp_factor) *
            std::uint64_t(high) * std::uint64_t(cinfo->comp_info[i].v_samp_factor);
  return 2 * held + DcBlockCount(cinfo);
}

}  // namespace fw

#include "gif_lzw.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace korvo {

namespace {

constexpr int kMaxCode = 4095; // the largest code a GIF string table holds
constexpr int kCodes = kMaxCode + 1;

// Packs codes of varying size, least significant bit first.
class CodeWriter {
public:
    explicit CodeWriter(std::string& out) : out_(out) {}
    void put(int code, int bits) {
        acc_ |= uint64_t(code) << used_;
        used_ += bits;
        while (used_ >= 8) {
            out_.push_back(char(acc_ & 0xff));
            acc_ >>= 8;
            used_ -= 8;
        }
    }
    void flush() {
        if (used_ > 0) out_.push_back(char(acc_ & 0xff));
        acc_ = 0;
        used_ = 0;
    }

private:
    std::string& out_;
    uint64_t acc_ = 0;
    int used_ = 0;
};

// The table's strings that end in the same colour c form chains: a string,
// the string with one more c, one more again, and so on. A new string always
// joins the end of its prefix's chain (the prefix had no such child yet) or
// starts a chain of its own, so each chain is kept as an array, and a run of
// c in the pixels walks its chain by index instead of pixel by pixel.
class LzwEncoder {
public:
    explicit LzwEncoder(int colorBits)
        : colors_(1 << colorBits), mask_(uint8_t(colors_ - 1)), rootBits_(std::max(2, colorBits)),
          clear_(1 << rootBits_), eoi_(clear_ + 1), child_(size_t(kCodes) * size_t(colors_)),
          chainOf_(kCodes), placeIn_(kCodes) {}

    void encode(const uint8_t* pix, size_t n, std::string& out) {
        CodeWriter writer(out);
        out_ = &writer;
        reset();
        emit(clear_);
        if (n == 0) {
            emit(eoi_);
            writer.flush();
            return;
        }
        int cur = pix[0] & mask_;
        size_t runEnd = 0; // the pixels from the current one up to runEnd share its colour
        for (size_t i = 1; i < n;) {
            const uint8_t p = pix[i] & mask_; // as giflib masks each pixel
            const bool sameColour = p == (pix[i - 1] & mask_);
            if (sameColour) {
                if (i >= runEnd) runEnd = endOfRun(pix, i + 1, n, p);
                // The current string ends in p: walk its chain as far as the run goes.
                const std::vector<int16_t>& chain = chains_[size_t(chainOf_[size_t(cur)])];
                const size_t at = size_t(placeIn_[size_t(cur)]);
                const size_t step = std::min(runEnd - i, chain.size() - 1 - at);
                if (step > 0) {
                    cur = chain[at + step];
                    i += step;
                    continue;
                }
            } else if (const int next = child_[size_t(cur) * size_t(colors_) + p]; next >= 0) {
                cur = next;
                ++i;
                continue;
            }
            emit(cur);
            if (nextCode_ >= kMaxCode) {
                emit(clear_);
                reset();
            } else {
                add(cur, p, sameColour);
            }
            cur = p;
            ++i;
        }
        emit(cur);
        emit(eoi_);
        writer.flush();
    }

private:
    // The first pixel from `i` on whose colour is not p, eight at a time.
    size_t endOfRun(const uint8_t* pix, size_t i, size_t n, uint8_t p) const {
        constexpr uint64_t kBytes = 0x0101010101010101ull;
        const uint64_t same = kBytes * p, bits = kBytes * mask_;
        for (; i + 8 <= n; i += 8) {
            uint64_t word;
            std::memcpy(&word, pix + i, 8);
            if (const uint64_t differ = (word ^ same) & bits)
                return i + size_t(__builtin_ctzll(differ) / 8); // bytes are little-endian
        }
        while (i < n && (pix[i] & mask_) == p) ++i;
        return i;
    }

    void reset() {
        std::fill(child_.begin(), child_.end(), int16_t(-1));
        for (size_t c = 0; c < chainCount_; ++c) chains_[c].clear();
        chainCount_ = 0;
        for (int c = 0; c < colors_; ++c) startChain(c); // the runs of each colour
        nextCode_ = eoi_ + 1;
        bits_ = rootBits_ + 1;
        limit_ = 1 << bits_;
    }
    void startChain(int code) {
        if (chainCount_ == chains_.size()) chains_.emplace_back();
        chains_[chainCount_].push_back(int16_t(code));
        chainOf_[size_t(code)] = int16_t(chainCount_);
        placeIn_[size_t(code)] = 0;
        ++chainCount_;
    }
    // The string `prefix` + p takes the next code.
    void add(int prefix, uint8_t p, bool prefixEndsInP) {
        const int code = nextCode_++;
        child_[size_t(prefix) * size_t(colors_) + p] = int16_t(code);
        if (!prefixEndsInP) {
            startChain(code);
            return;
        }
        std::vector<int16_t>& chain = chains_[size_t(chainOf_[size_t(prefix)])];
        chainOf_[size_t(code)] = chainOf_[size_t(prefix)];
        placeIn_[size_t(code)] = int16_t(chain.size());
        chain.push_back(int16_t(code));
    }
    // Writes a code, then widens the codes once the table has reached the
    // current width (the order giflib keeps).
    void emit(int code) {
        out_->put(code, bits_);
        if (nextCode_ >= limit_ && code <= kMaxCode) limit_ = 1 << ++bits_;
    }

    const int colors_;
    const uint8_t mask_;
    const int rootBits_;
    const int clear_;
    const int eoi_;
    std::vector<int16_t> child_;               // code of (string, colour), -1 when not in the table
    std::vector<int16_t> chainOf_;             // the chain a code's string belongs to
    std::vector<int16_t> placeIn_;             // its place in that chain
    std::vector<std::vector<int16_t>> chains_; // kept between resets, so they keep their room
    size_t chainCount_ = 0;
    int nextCode_ = 0;
    int bits_ = 0;
    int limit_ = 0;
    CodeWriter* out_ = nullptr; // where the current picture's codes go
};

} // namespace

std::string gifLzwCompress(const std::vector<uint8_t>& pixels, int colorBits) {
    colorBits = std::clamp(colorBits, 1, kMaxLzwColorBits);
    // One encoder per colour depth and thread, kept: its tables are reused
    // from picture to picture instead of being allocated for each.
    thread_local std::unique_ptr<LzwEncoder> encoders[kMaxLzwColorBits + 1];
    std::unique_ptr<LzwEncoder>& encoder = encoders[colorBits];
    if (!encoder) encoder = std::make_unique<LzwEncoder>(colorBits);
    std::string out;
    out.reserve(pixels.size() / 8 + 64);
    encoder->encode(pixels.data(), pixels.size(), out);
    return out;
}

} // namespace korvo

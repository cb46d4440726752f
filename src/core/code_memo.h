#pragma once
// Remembers a conversion of a raw converter code. Codes are small integers that repeat from minute
// to minute, so each distinct code is converted once per decoding run; the result is the
// conversion's own, bit for bit.
#include <cstdint>
#include <vector>

class TCodeMemo {
public:
    static constexpr uint32_t kSize = 1u << 17;   // 16-bit codes, and readings scaled up to twice

    template <class Compute>
    int32_t get(uint32_t code, Compute compute)
    {
        if (code >= kSize)
            return compute();
        if (known_.empty()) {
            known_.assign(kSize, 0);
            values_.resize(kSize);
        }
        if (!known_[code]) {
            values_[code] = compute();
            known_[code] = 1;
        }
        return values_[code];
    }

private:
    std::vector<uint8_t> known_;
    std::vector<int32_t> values_;
};

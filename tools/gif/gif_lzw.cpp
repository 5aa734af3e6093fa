#include "gif_lzw.h"

#include <array>
#include <cstddef>

namespace gif {
namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kMaxCodes = 1 << kMaxCodeBits;
constexpr int kTableSize = 8191;  // prime, twice the code space keeps probe chains short

class BitPacker {
public:
    explicit BitPacker(std::vector<uint8_t>& out) : out_(out) {}

    void Put(int code, int bits) {
        buffer_ |= static_cast<uint32_t>(code) << count_;
        count_ += bits;
        while (count_ >= 8) {
            out_.push_back(static_cast<uint8_t>(buffer_ & 0xFF));
            buffer_ >>= 8;
            count_ -= 8;
        }
    }

    void Flush() {
        if (count_ > 0) out_.push_back(static_cast<uint8_t>(buffer_ & 0xFF));
        buffer_ = 0;
        count_ = 0;
    }

private:
    std::vector<uint8_t>& out_;
    uint32_t buffer_ = 0;
    int count_ = 0;
};

// Maps (prefix code, next index) to the code of that string, open addressing.
class StringTable {
public:
    void Clear() { keys_.fill(-1); }

    int Find(int prefix, uint8_t next) const {
        const int key = Key(prefix, next);
        for (int slot = Slot(key); keys_[slot] != -1; slot = (slot + 1) % kTableSize)
            if (keys_[slot] == key) return codes_[slot];
        return -1;
    }

    void Add(int prefix, uint8_t next, int code) {
        const int key = Key(prefix, next);
        int slot = Slot(key);
        while (keys_[slot] != -1) slot = (slot + 1) % kTableSize;
        keys_[slot] = key;
        codes_[slot] = static_cast<int16_t>(code);
    }

private:
    static int Key(int prefix, uint8_t next) { return (prefix << 8) | next; }
    static int Slot(int key) {
        return static_cast<int>((static_cast<uint32_t>(key) * 2654435761u) % kTableSize);
    }

    std::array<int, kTableSize> keys_{};
    std::array<int16_t, kTableSize> codes_{};
};

}  // namespace

std::vector<uint8_t> CompressLzw(const std::vector<uint8_t>& indices, int minCodeSize) {
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;

    std::vector<uint8_t> out;
    BitPacker packer(out);
    StringTable table;
    table.Clear();
    int codeBits = minCodeSize + 1;
    int nextCode = endCode + 1;

    packer.Put(clearCode, codeBits);
    if (indices.empty()) {
        packer.Put(endCode, codeBits);
        packer.Flush();
        return out;
    }

    int prefix = indices.front();
    for (std::size_t i = 1; i < indices.size(); ++i) {
        const uint8_t next = indices[i];
        const int found = table.Find(prefix, next);
        if (found >= 0) {
            prefix = found;
            continue;
        }
        packer.Put(prefix, codeBits);
        if (nextCode < kMaxCodes) {
            table.Add(prefix, next, nextCode++);
            // The decoder learns each string one code later, so it widens its codes
            // only once the code just written has used up the current width.
            if (nextCode > (1 << codeBits) && codeBits < kMaxCodeBits) ++codeBits;
        } else {
            packer.Put(clearCode, codeBits);
            table.Clear();
            codeBits = minCodeSize + 1;
            nextCode = endCode + 1;
        }
        prefix = next;
    }
    packer.Put(prefix, codeBits);
    // Reading that last code makes the decoder learn one more string, which may widen
    // the code that it reads the end marker with.
    if (nextCode < kMaxCodes && nextCode + 1 > (1 << codeBits) && codeBits < kMaxCodeBits)
        ++codeBits;
    packer.Put(endCode, codeBits);
    packer.Flush();
    return out;
}

}  // namespace gif

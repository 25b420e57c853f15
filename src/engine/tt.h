// The Master search's transposition table: one slot per bucket of the position key,
// shared by every search thread without locks. Each slot keeps the key mixed with its
// data, so a slot torn by two threads writing at once reads as a miss, never as a wrong hit.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

namespace zelkor::master {

enum class Bound : uint8_t { None = 0, Upper = 1, Lower = 2, Exact = 3 };

struct TtEntry {
    int from = 0;
    int to = 0;
    int score = 0;
    int depth = -1;
    Bound bound = Bound::None;
};

class TranspositionTable {
  public:
    // 2^bits slots of 16 bytes.
    explicit TranspositionTable(int bits = 20)
        : mask_((uint64_t{1} << bits) - 1), slots_(new Slot[uint64_t{1} << bits]) {}

    void Clear() {
        for (uint64_t i = 0; i <= mask_; ++i) {
            slots_[i].key.store(0, std::memory_order_relaxed);
            slots_[i].data.store(0, std::memory_order_relaxed);
        }
    }

    bool Probe(uint64_t key, TtEntry& entry) const {
        const Slot& slot = slots_[key & mask_];
        const uint64_t data = slot.data.load(std::memory_order_relaxed);
        if ((slot.key.load(std::memory_order_relaxed) ^ data) != key || data == 0) return false;
        entry.from = static_cast<int>(data & 0x7F);
        entry.to = static_cast<int>((data >> 7) & 0x7F);
        entry.score = static_cast<int>(static_cast<int16_t>((data >> 14) & 0xFFFF));
        entry.depth = static_cast<int>((data >> 30) & 0xFF);
        entry.bound = static_cast<Bound>((data >> 38) & 0x3);
        return true;
    }

    // Depth-preferred, but a new search of the same position always replaces.
    void Store(uint64_t key, int from, int to, int score, int depth, Bound bound) {
        Slot& slot = slots_[key & mask_];
        const uint64_t old = slot.data.load(std::memory_order_relaxed);
        const bool same = (slot.key.load(std::memory_order_relaxed) ^ old) == key;
        if (same && static_cast<int>((old >> 30) & 0xFF) > depth + 2 && bound != Bound::Exact)
            return;
        if (from == 0 && same) {  // keep the move the slot knew
            from = static_cast<int>(old & 0x7F);
            to = static_cast<int>((old >> 7) & 0x7F);
        }
        const uint64_t data = (static_cast<uint64_t>(from) & 0x7F) |
                              ((static_cast<uint64_t>(to) & 0x7F) << 7) |
                              ((static_cast<uint64_t>(static_cast<uint16_t>(score))) << 14) |
                              ((static_cast<uint64_t>(depth < 0 ? 0 : depth) & 0xFF) << 30) |
                              (static_cast<uint64_t>(bound) << 38) | (uint64_t{1} << 40);
        slot.key.store(key ^ data, std::memory_order_relaxed);
        slot.data.store(data, std::memory_order_relaxed);
    }

  private:
    struct Slot {
        std::atomic<uint64_t> key{0};
        std::atomic<uint64_t> data{0};
    };
    uint64_t mask_;
    std::unique_ptr<Slot[]> slots_;
};

}  // namespace zelkor::master

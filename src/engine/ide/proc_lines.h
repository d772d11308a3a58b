// ProcLines: the header and end lines of a code module's procedures, kept
// so that the edits of a large module stay cheap. Part of CodeModule's
// procedure index; not used elsewhere.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qfw::ide {

// The header and end lines of the procedures, in file order. Every edit
// shifts the procedures after it; the lines are kept per block of
// kShiftBlock procedures with one pending offset per block, so a shift costs
// the rest of one block and one add per later block rather than one add per
// procedure (generation edits modules of thousands of procedures thousands
// of times).
class ProcLines {
  public:
    size_t Size() const { return body_.size(); }
    bool Empty() const { return body_.empty(); }
    int32_t Body(size_t j) const { return body_[j] + pending_[j / kShiftBlock]; }
    int32_t End(size_t j) const { return end_[j] + pending_[j / kShiftBlock]; }
    void SetEnd(size_t j, int32_t line) { end_[j] = line - pending_[j / kShiftBlock]; }
    void AddToEnd(size_t j, int32_t k) { end_[j] += k; }

    // Moves procedures `from` onward by k lines.
    void Shift(size_t from, int32_t k) {
        const size_t firstFullBlock = (from + kShiftBlock - 1) / kShiftBlock;
        const size_t stop = std::min(body_.size(), firstFullBlock * kShiftBlock);
        for (size_t j = from; j < stop; ++j) {
            body_[j] += k;
            end_[j] += k;
        }
        for (size_t b = firstFullBlock; b < pending_.size(); ++b)
            pending_[b] += k;
    }

    // The first procedure whose header is at or after (after) `line`.
    size_t FirstBodyAtOrAfter(int32_t line) const {
        return Partition([&](size_t j) { return Body(j) < line; });
    }
    size_t FirstBodyAfter(int32_t line) const {
        return Partition([&](size_t j) { return Body(j) <= line; });
    }
    // The first procedure whose end is at or after `line`.
    size_t FirstEndAtOrAfter(int32_t line) const {
        return Partition([&](size_t j) { return End(j) < line; });
    }

    void Clear() {
        body_.clear();
        end_.clear();
        pending_.clear();
    }
    void PushBack(int32_t body, int32_t end) {
        if (body_.size() % kShiftBlock == 0)
            pending_.push_back(0);
        body_.push_back(body - pending_.back());
        end_.push_back(end - pending_.back());
    }
    void Insert(size_t at, const std::vector<int32_t>& bodies, const std::vector<int32_t>& ends) {
        // The procedures from `at`'s block on change blocks: they take their
        // pending offsets into their own lines first.
        const size_t firstBlock = at / kShiftBlock;
        Materialize(firstBlock);
        const auto where = static_cast<ptrdiff_t>(at);
        body_.insert(body_.begin() + where, bodies.begin(), bodies.end());
        end_.insert(end_.begin() + where, ends.begin(), ends.end());
        pending_.resize((body_.size() + kShiftBlock - 1) / kShiftBlock, 0);
    }

  private:
    static constexpr size_t kShiftBlock = 64;

    // The number of leading procedures for which `before` holds (it holds
    // for a prefix, the lines being in order).
    template <typename Pred>
    size_t Partition(Pred before) const {
        size_t low = 0;
        size_t high = body_.size();
        while (low < high) {
            const size_t mid = low + (high - low) / 2;
            if (before(mid)) {
                low = mid + 1;
            } else {
                high = mid;
            }
        }
        return low;
    }
    // Moves the pending offsets of the blocks from `firstBlock` on into the
    // lines themselves.
    void Materialize(size_t firstBlock) {
        for (size_t b = firstBlock; b < pending_.size(); ++b) {
            const int32_t offset = pending_[b];
            if (offset == 0)
                continue;
            const size_t stop = std::min(body_.size(), (b + 1) * kShiftBlock);
            for (size_t j = b * kShiftBlock; j < stop; ++j) {
                body_[j] += offset;
                end_[j] += offset;
            }
            pending_[b] = 0;
        }
    }

    std::vector<int32_t> body_;
    std::vector<int32_t> end_;
    std::vector<int32_t> pending_;
};

}  // namespace qfw::ide

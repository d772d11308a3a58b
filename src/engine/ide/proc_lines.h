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
//
// New procedures mostly go in before the first one (AddFromString puts them
// there), so the arrays keep free slots at their front: procedures inserted
// nearer the front than the back take free slots and move the procedures
// before them, and the ones after them stay where they are, in their blocks.
class ProcLines {
  public:
    size_t Size() const { return body_.size() - head_; }
    bool Empty() const { return Size() == 0; }
    int32_t Body(size_t j) const { return body_[head_ + j] + pending_[(head_ + j) / kShiftBlock]; }
    int32_t End(size_t j) const { return end_[head_ + j] + pending_[(head_ + j) / kShiftBlock]; }
    void SetEnd(size_t j, int32_t line) {
        end_[head_ + j] = line - pending_[(head_ + j) / kShiftBlock];
    }
    void AddToEnd(size_t j, int32_t k) { end_[head_ + j] += k; }

    // Moves procedures `from` onward by k lines.
    void Shift(size_t from, int32_t k) {
        const size_t first = head_ + from;
        const size_t firstFullBlock = (first + kShiftBlock - 1) / kShiftBlock;
        const size_t stop = std::min(body_.size(), firstFullBlock * kShiftBlock);
        for (size_t i = first; i < stop; ++i) {
            body_[i] += k;
            end_[i] += k;
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
        head_ = 0;
    }
    void PushBack(int32_t body, int32_t end) {
        if (body_.size() % kShiftBlock == 0)
            pending_.push_back(0);
        body_.push_back(body - pending_.back());
        end_.push_back(end - pending_.back());
    }
    // Inserts procedures so that the first of them becomes procedure `at`.
    void Insert(size_t at, const std::vector<int32_t>& bodies, const std::vector<int32_t>& ends) {
        if (bodies.empty())
            return;
        if (at < Size() - at) {
            InsertTowardFront(at, bodies, ends);
        } else {
            InsertTowardBack(at, bodies, ends);
        }
    }

  private:
    static constexpr size_t kShiftBlock = 64;

    // The number of leading procedures for which `before` holds (it holds
    // for a prefix, the lines being in order).
    template <typename Pred>
    size_t Partition(Pred before) const {
        size_t low = 0;
        size_t high = Size();
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
    // Moves the pending offsets of the blocks [firstBlock, stopBlock) into
    // the lines themselves.
    void Materialize(size_t firstBlock, size_t stopBlock) {
        stopBlock = std::min(stopBlock, pending_.size());
        for (size_t b = firstBlock; b < stopBlock; ++b) {
            const int32_t offset = pending_[b];
            if (offset == 0)
                continue;
            const size_t stop = std::min(body_.size(), (b + 1) * kShiftBlock);
            for (size_t i = b * kShiftBlock; i < stop; ++i) {
                body_[i] += offset;
                end_[i] += offset;
            }
            pending_[b] = 0;
        }
    }
    // The procedures from `at` on move back; they change blocks, so they
    // take their pending offsets into their own lines first.
    void InsertTowardBack(size_t at, const std::vector<int32_t>& bodies,
                          const std::vector<int32_t>& ends) {
        const size_t i = head_ + at;
        Materialize(i / kShiftBlock, pending_.size());
        const auto where = static_cast<ptrdiff_t>(i);
        body_.insert(body_.begin() + where, bodies.begin(), bodies.end());
        end_.insert(end_.begin() + where, ends.begin(), ends.end());
        pending_.resize((body_.size() + kShiftBlock - 1) / kShiftBlock, 0);
    }
    // The procedures before `at` move into the free slots at the front; the
    // blocks they and the new procedures land in take their pending offsets
    // into their lines first.
    void InsertTowardFront(size_t at, const std::vector<int32_t>& bodies,
                           const std::vector<int32_t>& ends) {
        const size_t count = bodies.size();
        if (head_ < count)
            GrowFront(std::max(count, Size()));
        const size_t newHead = head_ - count;
        const size_t stop = head_ + at;  // one past the last slot written
        Materialize(newHead / kShiftBlock, (stop - 1) / kShiftBlock + 1);
        const auto from = static_cast<ptrdiff_t>(head_);
        const auto to = static_cast<ptrdiff_t>(newHead);
        const auto moved = static_cast<ptrdiff_t>(at);
        std::copy(body_.begin() + from, body_.begin() + from + moved, body_.begin() + to);
        std::copy(end_.begin() + from, end_.begin() + from + moved, end_.begin() + to);
        std::copy(bodies.begin(), bodies.end(), body_.begin() + to + moved);
        std::copy(ends.begin(), ends.end(), end_.begin() + to + moved);
        head_ = newHead;
    }
    // At least `slots` more free slots at the front, in whole blocks, so
    // that every procedure keeps its place within its block.
    void GrowFront(size_t slots) {
        const size_t blocks = (slots + kShiftBlock - 1) / kShiftBlock;
        const size_t added = blocks * kShiftBlock;
        body_.insert(body_.begin(), added, 0);
        end_.insert(end_.begin(), added, 0);
        pending_.insert(pending_.begin(), blocks, 0);
        head_ += added;
    }

    std::vector<int32_t> body_;
    std::vector<int32_t> end_;
    std::vector<int32_t> pending_;
    size_t head_ = 0;  // free slots before the first procedure
};

}  // namespace qfw::ide

#pragma once
// The difference between two states of a sequence, kept small: the common
// head and tail are left out, so moving one row or one node keeps one or two
// items, not the whole sequence. Undo steps store these instead of copies.

#include <algorithm>
#include <cstddef>
#include <vector>

namespace korvo {

template <class T> struct SpanChange {
    size_t first = 0;    // where the spans start
    std::vector<T> from; // the items there before
    std::vector<T> to;   // the items there after

    bool empty() const { return from.empty() && to.empty(); }
    bool operator==(const SpanChange&) const = default;

    static SpanChange between(const std::vector<T>& before, const std::vector<T>& after) {
        const size_t shorter = std::min(before.size(), after.size());
        size_t head = 0;
        while (head < shorter && before[head] == after[head]) ++head;
        size_t tail = 0;
        while (tail < shorter - head &&
               before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
            ++tail;
        SpanChange c;
        c.first = head;
        c.from.assign(before.begin() + long(head), before.end() - long(tail));
        c.to.assign(after.begin() + long(head), after.end() - long(tail));
        return c;
    }

    // The whole sequence with this change applied to `current` (forward) or
    // taken back (backward).
    std::vector<T> applied(const std::vector<T>& current, bool forward) const {
        const std::vector<T>& out = forward ? from : to;
        const std::vector<T>& in = forward ? to : from;
        std::vector<T> result(current.begin(), current.begin() + long(first));
        result.insert(result.end(), in.begin(), in.end());
        result.insert(result.end(), current.begin() + long(first + out.size()), current.end());
        return result;
    }

    // Two changes in a row over the same span become one (a drag continued).
    bool absorb(const SpanChange& next) {
        if (next.empty()) return true;
        if (empty()) {
            *this = next;
            return true;
        }
        if (next.first != first || next.from.size() != to.size() || next.from != to) return false;
        to = next.to;
        return true;
    }
};

} // namespace korvo

#include "level_rows.h"

#include <algorithm>

namespace korvo {

LevelRows::LevelRows() {
    reset();
}

int LevelRows::groupSize(int g) const {
    const int end = g < kGroups ? header_[size_t(g + 1)] : size();
    return end - header_[size_t(g)] - 1;
}

LevelRows::Place LevelRows::placeOf(int r) const {
    int g = kGroups;
    while (g > 1 && r < header_[size_t(g)]) --g;
    return {g, r - header_[size_t(g)] - 1};
}

LevelRows::Place LevelRows::placeForInsert(int at) const {
    int g = kGroups;
    while (g > 1 && at <= header_[size_t(g)]) --g;
    return {g, at - header_[size_t(g)] - 1};
}

LevelRows::Place LevelRows::placeAfterMove(int from, int to) const {
    // The headers as they stand once the row has left `from`.
    std::array<int, kGroups + 1> h = header_;
    for (int g = 1; g <= kGroups; ++g)
        if (h[size_t(g)] > from) --h[size_t(g)];
    int g = kGroups;
    while (g > 1 && to <= h[size_t(g)]) --g;
    return {g, to - h[size_t(g)] - 1};
}

int LevelRows::findTrack(int j) const {
    if (j <= 0) return -1;
    const auto it = std::find(data_.begin(), data_.end(), j);
    return it == data_.end() ? -1 : int(it - data_.begin());
}

void LevelRows::rebuildHeaders() {
    int g = 0;
    for (int r = 0; r < size() && g < kGroups; ++r)
        if (data_[size_t(r)] == kHeaderRow) header_[size_t(++g)] = r;
}

void LevelRows::reset(const Rows& rows, const TrackTable& table) {
    notify([](RowObserver& o) { o.aboutToReset(); });
    data_.clear();
    captions_.clear();
    data_.reserve(rows.size() + kGroups);
    captions_.reserve(rows.size() + kGroups);
    int g = 1;
    data_.push_back(kHeaderRow);
    captions_.push_back(groupCaption(1));
    for (size_t i = 0; i < rows.size(); ++i) {
        const int d = rows[i];
        if (d == kHeaderRow) {
            // The first row is the Easy header itself; later ones open the next group.
            if (i > 0 && g < kGroups) {
                data_.push_back(kHeaderRow);
                captions_.push_back(groupCaption(++g));
            }
            continue;
        }
        data_.push_back(d);
        captions_.push_back(table.caption(d));
    }
    while (g < kGroups) {
        data_.push_back(kHeaderRow);
        captions_.push_back(groupCaption(++g));
    }
    rebuildHeaders();
    notify([](RowObserver& o) { o.wasReset(); });
}

void LevelRows::reset() {
    notify([](RowObserver& o) { o.aboutToReset(); });
    data_.assign(kGroups, kHeaderRow);
    captions_.clear();
    for (int g = 1; g <= kGroups; ++g) captions_.push_back(groupCaption(g));
    rebuildHeaders();
    notify([](RowObserver& o) { o.wasReset(); });
}

void LevelRows::insertTrackRow(int at, int j, std::string caption) {
    notify([at](RowObserver& o) { o.aboutToInsert(at); });
    data_.insert(data_.begin() + at, j);
    captions_.insert(captions_.begin() + at, std::move(caption));
    for (int g = 1; g <= kGroups; ++g)
        if (header_[size_t(g)] >= at) ++header_[size_t(g)];
    notify([](RowObserver& o) { o.inserted(); });
}

int LevelRows::removeTrackRows(std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::erase_if(rows, [this](int r) { return r <= 0 || r >= size() || isHeader(r); });
    // Runs of neighbouring rows from the bottom up, so the indices above stay valid.
    size_t end = rows.size();
    while (end > 0) {
        size_t begin = end - 1;
        while (begin > 0 && rows[begin - 1] + 1 == rows[begin]) --begin;
        const int first = rows[begin];
        const int last = rows[end - 1];
        notify([first, last](RowObserver& o) { o.aboutToRemove(first, last); });
        data_.erase(data_.begin() + first, data_.begin() + last + 1);
        captions_.erase(captions_.begin() + first, captions_.begin() + last + 1);
        for (int g = 1; g <= kGroups; ++g)
            if (header_[size_t(g)] > last) header_[size_t(g)] -= last - first + 1;
        notify([](RowObserver& o) { o.removed(); });
        end = begin;
    }
    return int(rows.size());
}

void LevelRows::moveTrackRow(int from, int to) {
    if (from == to) return;
    notify([from, to](RowObserver& o) { o.aboutToMove(from, to); });
    if (from < to) {
        std::rotate(data_.begin() + from, data_.begin() + from + 1, data_.begin() + to + 1);
        std::rotate(captions_.begin() + from, captions_.begin() + from + 1,
                    captions_.begin() + to + 1);
        for (int g = 1; g <= kGroups; ++g) {
            int& h = header_[size_t(g)];
            if (h > from && h <= to) --h;
        }
    } else {
        std::rotate(data_.begin() + to, data_.begin() + from, data_.begin() + from + 1);
        std::rotate(captions_.begin() + to, captions_.begin() + from, captions_.begin() + from + 1);
        for (int g = 1; g <= kGroups; ++g) {
            int& h = header_[size_t(g)];
            if (h >= to && h < from) ++h;
        }
    }
    notify([](RowObserver& o) { o.moved(); });
}

void LevelRows::reorder(const std::vector<int>& newOrder) {
    std::vector<int> newRowOf(newOrder.size());
    for (size_t i = 0; i < newOrder.size(); ++i) newRowOf[size_t(newOrder[i])] = int(i);
    notify([&newRowOf](RowObserver& o) { o.aboutToReorder(newRowOf); });
    Rows data(data_.size());
    std::vector<std::string> captions(captions_.size());
    for (size_t i = 0; i < newOrder.size(); ++i) {
        data[i] = data_[size_t(newOrder[i])];
        captions[i] = std::move(captions_[size_t(newOrder[i])]);
    }
    data_ = std::move(data);
    captions_ = std::move(captions);
    rebuildHeaders();
    notify([](RowObserver& o) { o.reordered(); });
}

void LevelRows::setCaption(int r, std::string caption) {
    captions_[size_t(r)] = std::move(caption);
    notify([r](RowObserver& o) { o.captionChanged(r); });
}

void LevelRows::assign(const Rows& data, const std::vector<std::string>& captions) {
    const int limit = kMaxTracks + 1;
    std::vector<char> wanted(size_t(limit + 1), 0);
    for (int d : data)
        if (d > 0 && d <= limit) wanted[size_t(d)] = 1;
    std::vector<int> gone;
    for (int r = 0; r < size(); ++r)
        if (!isHeader(r) && !wanted[size_t(data_[size_t(r)])]) gone.push_back(r);
    if (!gone.empty()) removeTrackRows(gone);

    std::vector<char> present(size_t(limit + 1), 0);
    for (int d : data_)
        if (d != kHeaderRow) present[size_t(d)] = 1;
    for (size_t i = 0; i < data.size(); ++i) // where they land matters not: the reorder places them
        if (data[i] != kHeaderRow && !present[size_t(data[i])])
            insertTrackRow(std::clamp(int(i), 1, size()), data[i], captions[i]);
    std::vector<int> rowOf(size_t(limit + 1), -1);
    for (int r = 0; r < size(); ++r)
        if (!isHeader(r)) rowOf[size_t(data_[size_t(r)])] = r;

    std::vector<int> newOrder;
    newOrder.reserve(data.size());
    int header = 0;
    for (int d : data)
        newOrder.push_back(d == kHeaderRow ? header_[size_t(++header)] : rowOf[size_t(d)]);
    bool same = true;
    for (size_t i = 0; i < newOrder.size() && same; ++i) same = newOrder[i] == int(i);
    if (!same) reorder(newOrder);

    for (int r = 0; r < size(); ++r)
        if (captions_[size_t(r)] != captions[size_t(r)]) setCaption(r, captions[size_t(r)]);
}

void LevelRows::addObserver(RowObserver* o) {
    observers_.push_back(o);
}

void LevelRows::removeObserver(RowObserver* o) {
    std::erase(observers_, o);
}

} // namespace korvo

#include "lang_added.h"

#include <algorithm>
#include <vector>

namespace korvo {

namespace {

// Every added line in number order, from the tables of every part.
const std::vector<AddedLine>& allLines() {
    static const std::vector<AddedLine> all = [] {
        std::vector<AddedLine> v;
        for (const auto* part : {&listAndFileLines(), &rideLines(), &windowLines(),
                                 &recoveryLines(), &ridesLines(), &solverLines()})
            v.insert(v.end(), part->begin(), part->end());
        std::sort(v.begin(), v.end(),
                  [](const AddedLine& a, const AddedLine& b) { return a.number < b.number; });
        return v;
    }();
    return all;
}

} // namespace

const AddedLine* addedLines() {
    return allLines().data();
}

int addedLineCount() {
    return int(allLines().size());
}

} // namespace korvo

// When closing, Exit, Open and New go on at once and when they ask first.
#include "pack/flag_rules.h"

#include <gtest/gtest.h>

using namespace korvo;

namespace {
constexpr int kRows = 10; // a pack with tracks
} // namespace

TEST(FlagRules, EachWayOfLeavingAsksAboutWhatWouldBeLost) {
    struct Case {
        UnsavedWork work;
        int rows;
        Proceed close, open; // window close and Exit alike; Open and New
    };
    const Case cases[] = {
        // Nothing unsaved.
        {{false, false, false}, kRows, Proceed::Go, Proceed::Go},
        {{true, false, false}, kRows, Proceed::Go, Proceed::Go},
        // The open track's own edits come first.
        {{true, true, false}, kRows, Proceed::AskTrack, Proceed::AskOpenOpen},
        {{true, true, true}, kRows, Proceed::AskTrack, Proceed::AskOpenOpen},
        // A track open with its edits stored, the pack changed.
        {{true, false, true}, kRows, Proceed::AskPack, Proceed::AskOpenOpen},
        // No track open: only the pack.
        {{false, false, true}, kRows, Proceed::AskPack, Proceed::AskOpenPack},
        // Only the three group headers: nothing to lose but a track's edits.
        {{false, false, true}, 3, Proceed::Go, Proceed::Go},
        {{true, true, true}, 3, Proceed::AskTrack, Proceed::AskOpenOpen},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.work.trackOpen << c.work.trackModified
                                          << c.work.packModified << " rows " << c.rows);
        EXPECT_EQ(windowCloseRule(c.work, c.rows), c.close);
        EXPECT_EQ(exitRule(c.work, c.rows), c.close);
        EXPECT_EQ(replacePackRule(c.work, c.rows), c.open);
    }
    EXPECT_EQ(questionLine(Proceed::Go), 0);
    EXPECT_EQ(questionLine(Proceed::AskTrack), 56);
    EXPECT_EQ(questionLine(Proceed::AskPack), 57);
    EXPECT_EQ(questionLine(Proceed::AskOpenOpen), 71);
    EXPECT_EQ(questionLine(Proceed::AskOpenPack), 72);
}

// The commands of the level list on the rows, in the flat list and the tree,
// with the item-model adapters checked by Qt's model tester throughout.
#include "list/levels_list_model.h"
#include "list/levels_tree_model.h"
#include "list/row_ops.h"
#include "list/row_roles.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <sstream>

using namespace korvo;

namespace {

using Groups = std::vector<std::vector<std::string>>;

class Pack {
public:
    // Tracks are numbered in group order from 1, named as given.
    explicit Pack(const Groups& groups, ListView viewMode = kListView)
        : viewMode(viewMode), ops(rows, tracks, cur, buttons, this->viewMode) {
        Rows data;
        for (const auto& group : groups) {
            data.push_back(kHeaderRow);
            for (const auto& name : group) data.push_back(tracks.createTrack(name));
        }
        rows.reset(data, tracks);
        ops.UpdateCntNum();
    }

    // "E: a b | M: c | H: d" from the names of the rows' tracks.
    std::string layout() const {
        std::ostringstream out;
        const char* heads[] = {"", "E:", " | M:", " | H:"};
        int g = 0;
        for (int r = 0; r < rows.size(); ++r) {
            if (rows.isHeader(r))
                out << heads[++g];
            else
                out << ' ' << tracks[rows.data(r)].Name;
        }
        return out.str();
    }
    int rowOf(const std::string& name) const {
        for (int r = 0; r < rows.size(); ++r)
            if (!rows.isHeader(r) && tracks[rows.data(r)].Name == name) return r;
        return -1;
    }
    bool select(const std::string& name) { return ops.selectRow(rowOf(name)); }

    ListView viewMode;
    TrackTable tracks;
    LevelRows rows;
    TCurItem cur;
    ListButtons buttons;
    RowOps ops;
    // Both presentations watch every change; a wrong notification aborts.
    LevelsListModel listModel{rows};
    LevelsTreeModel treeModel{rows};
    QAbstractItemModelTester listTester{&listModel,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal};
    QAbstractItemModelTester treeTester{&treeModel,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal};
};

const Groups kSmall = {{"a", "b", "c"}, {"d", "e"}, {"f"}};

class BothViews : public ::testing::TestWithParam<ListView> {};

// The tree shows exactly the rows, in their order, under their headers.
void expectTreeMatchesRows(const Pack& p) {
    int r = 0;
    for (int g = 1; g <= kGroups; ++g) {
        const QModelIndex head = p.treeModel.index(g - 1, 0);
        ASSERT_EQ(p.treeModel.rowOf(head), r);
        ASSERT_EQ(head.data(RowDataRole).toInt(), kHeaderRow);
        ++r;
        for (int c = 0; c < p.treeModel.rowCount(head); ++c, ++r) {
            const QModelIndex i = p.treeModel.index(c, 0, head);
            ASSERT_EQ(i.data(RowDataRole).toInt(), p.rows.data(r));
            ASSERT_EQ(p.treeModel.indexOfRow(r), i);
        }
    }
    ASSERT_EQ(r, p.rows.size());
    ASSERT_EQ(p.listModel.rowCount(), p.rows.size());
}

} // namespace

TEST_P(BothViews, FirstMediumTrackMovesUpToBecomeLastEasyTrack) {
    Pack p(kSmall, GetParam());
    EXPECT_EQ(p.tracks.countText(), "[3/2/1]");
    ASSERT_TRUE(p.select("d"));
    EXPECT_TRUE(p.buttons.UpItem); // the first Medium track may still move up
    ASSERT_TRUE(p.ops.moveUp());
    EXPECT_EQ(p.layout(), "E: a b c d | M: e | H: f");
    EXPECT_EQ(p.tracks.countText(), "[4/1/1]");
    EXPECT_EQ(p.tracks[4].Group, 1);
    EXPECT_EQ(p.tracks[4].NumInGroup, 4);
    EXPECT_EQ(p.tracks[5].NumInGroup, 1) << "each group counts from 1";
    EXPECT_EQ(p.cur.Row, 4);
    EXPECT_EQ(p.cur.Track, 4);
    expectTreeMatchesRows(p);
}

TEST_P(BothViews, LastEasyTrackMovesDownIntoEmptyMedium) {
    Pack p({{"a", "b"}, {}, {"c"}}, GetParam());
    ASSERT_TRUE(p.select("b"));
    ASSERT_TRUE(p.ops.moveDown());
    EXPECT_EQ(p.layout(), "E: a | M: b | H: c");
    EXPECT_EQ(p.tracks.countText(), "[1/1/1]");
    // and on through the Hard header, behind the last track
    ASSERT_TRUE(p.ops.moveDown());
    EXPECT_EQ(p.layout(), "E: a | M: | H: b c");
    EXPECT_TRUE(p.buttons.DownItem);
    ASSERT_TRUE(p.ops.moveDown());
    EXPECT_EQ(p.layout(), "E: a | M: | H: c b");
    EXPECT_FALSE(p.buttons.DownItem);
    EXPECT_FALSE(p.ops.moveDown());
    EXPECT_EQ(p.tracks.countText(), "[1/0/2]");
    expectTreeMatchesRows(p);
}

TEST_P(BothViews, ButtonsFollowTheSelectedRow) {
    Pack p(kSmall, GetParam());
    ASSERT_TRUE(p.select("a"));
    EXPECT_FALSE(p.buttons.UpItem);
    EXPECT_TRUE(p.buttons.DownItem && p.buttons.CopyItem && p.buttons.DelItem &&
                p.buttons.EditTrackBtn);
    EXPECT_FALSE(p.ops.moveUp()); // row 1 has nowhere to go
    EXPECT_EQ(p.layout(), "E: a b c | M: d e | H: f");

    ASSERT_TRUE(p.select("f")); // the last row
    EXPECT_TRUE(p.buttons.UpItem);
    EXPECT_FALSE(p.buttons.DownItem);

    // A header row disables all five and keeps the selection state.
    EXPECT_FALSE(p.ops.selectRow(p.rows.headerRow(2)));
    EXPECT_FALSE(p.buttons.UpItem || p.buttons.DownItem || p.buttons.CopyItem ||
                 p.buttons.DelItem || p.buttons.EditTrackBtn);
    EXPECT_EQ(p.cur.Track, 6);
    EXPECT_EQ(p.cur.Caption, "6/f");
    EXPECT_FALSE(p.ops.selectRow(-1));
    EXPECT_EQ(p.cur.Track, 6);

    ASSERT_TRUE(p.select("b")); // up into row 1 and down again
    ASSERT_TRUE(p.ops.moveUp());
    EXPECT_FALSE(p.buttons.UpItem);
    EXPECT_TRUE(p.buttons.DownItem);
    ASSERT_TRUE(p.ops.moveDown());
    EXPECT_TRUE(p.buttons.UpItem);
    EXPECT_EQ(p.layout(), "E: a b c | M: d e | H: f");
    EXPECT_EQ(p.cur.Row, 2);
}

TEST(RowOps, CloneStandsBelowInTheListAndAboveInTheTree) {
    Groups groups = {{}, {}, {}};
    for (int i = 1; i <= 20; ++i)
        groups[size_t(i <= 8 ? 0 : i <= 14 ? 1 : 2)].push_back("t" + std::to_string(i));
    groups[1][2] = "Hill"; // track 11, third of Medium
    for (ListView mode : {kListView, kTreeView}) {
        Pack p(groups, mode);
        ASSERT_TRUE(p.select("Hill"));
        const int hillRow = p.rowOf("Hill");
        int cloneRow = -1;
        ASSERT_EQ(p.ops.cloneTrack(&cloneRow), CloneResult::Done);
        EXPECT_EQ(p.tracks.TrackCount, 21);
        EXPECT_EQ(p.rows.caption(cloneRow), "21/_Hill");
        EXPECT_EQ(p.rows.data(cloneRow), 21);
        EXPECT_EQ(cloneRow, mode == kListView ? hillRow + 1 : hillRow);
        EXPECT_EQ(p.tracks.countText(), "[8/7/6]");
        EXPECT_EQ(p.tracks[21].Name, "_Hill");
        EXPECT_EQ(p.tracks[21].Group, 2);
        EXPECT_EQ(0, std::memcmp(p.tracks[21].Header.data(), p.tracks[11].Header.data(), 1000));
        // The selection still names Hill, so a move acts on Hill, not on the clone.
        ASSERT_TRUE(p.ops.moveDown());
        EXPECT_EQ(p.rows.data(p.cur.Row), 11);
        expectTreeMatchesRows(p);
    }
}

TEST_P(BothViews, DeleteRemovesTheSelectedTrackRowsButNotHeaders) {
    Pack p(kSmall, GetParam());
    // rows 2 (b) and 5 (d) with the Medium header (row 4): three rows asked about
    const std::vector<int> selected = {2, 4, 5};
    EXPECT_EQ(p.ops.deleteRows(selected), 2);
    EXPECT_EQ(p.layout(), "E: a c | M: e | H: f");
    EXPECT_EQ(p.tracks.countText(), "[2/1/1]");
    EXPECT_EQ(p.tracks[2].Name, "b"); // records stay, unreferenced
    expectTreeMatchesRows(p);

    // A new record after a delete takes the next number, not the freed one.
    EXPECT_EQ(p.tracks.createTrack("g"), 7);
    EXPECT_EQ(p.ops.deleteRows({3}), 0) << "a header alone";
    EXPECT_EQ(p.layout(), "E: a c | M: e | H: f");
}

TEST_P(BothViews, DeleteOfScatteredRowsInOnePass) {
    Pack p({{"a", "b", "c", "d"}, {"e", "f", "g"}, {"h", "i"}}, GetParam());
    EXPECT_EQ(p.ops.deleteRows({9, 1, 3, 4, 6, 7, 10, 11, 0, 99}), 7);
    EXPECT_EQ(p.layout(), "E: b | M: g | H:");
    EXPECT_EQ(p.tracks.countText(), "[1/1/0]");
    expectTreeMatchesRows(p);
}

// A drop of the selected rows onto a row, a header or empty space (-1), in
// either view: how many rows moved, the layout and the group counts after.
// Above the rows they arrive in reverse order; onto the Medium header the
// Easy group ends, each placed row being the next target.
TEST(Drop, RowsLandWhereTheViewPutsThem) {
    const Groups two = {{"a", "b"}, {"c"}, {"h1", "h2"}}, below = {{"a", "b", "x"}, {"c"}, {}},
                 around = {{"a", "b", "t", "c", "d"}, {}, {}};
    const struct {
        ListView view;
        const Groups& groups;
        std::vector<int> selected;
        int target, moved;
        const char* after;
    } cases[] = {
        {kListView, two, {6, 7}, 1, 2, "E: h2 h1 a b | M: c | H: [4/1/0]"},
        {kListView, two, {6, 7}, 3, 2, "E: a b h2 h1 | M: c | H: [4/1/0]"},
        {kListView, below, {1, 2}, 5, 2, "E: x | M: a b c | H: [1/3/0]"},
        {kListView, around, {1, 2, 4, 5}, 3, 4, "E: a b d c t | M: | H: [5/0/0]"},
        {kListView, kSmall, {5, 6}, 0, 0, "E: a b c | M: d e | H: f [3/2/1]"},
        {kListView, kSmall, {4}, 1, 0, "E: a b c | M: d e | H: f [3/2/1]"},
        {kListView, kSmall, {2}, 2, 1, "E: a b c | M: d e | H: f [3/2/1]"}, // onto itself
        {kListView, kSmall, {1, 3}, -1, 2, "E: b | M: d e | H: f a c [1/2/3]"},
        {kTreeView, kSmall, {1, 8}, 6, 2, "E: b c | M: d a f e | H: [2/4/0]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.after);
        Pack p(c.groups, c.view);
        EXPECT_EQ(p.ops.drop(c.selected, {c.target}), c.moved);
        EXPECT_EQ(p.layout() + " " + p.tracks.countText(), c.after);
        expectTreeMatchesRows(p);
    }
}

TEST(ListDrop, MoreThanFortyRowsAreAllPlaced) {
    Groups groups = {{"top"}, {}, {}};
    for (int i = 0; i < 100; ++i) groups[2].push_back("h" + std::to_string(i));
    Pack p(groups);
    std::vector<int> sel;
    for (int r = p.rows.headerRow(3) + 1; r < p.rows.size(); ++r) sel.push_back(r);
    EXPECT_EQ(p.ops.drop(sel, {p.rowOf("top")}), 100);
    EXPECT_EQ(p.tracks.countText(), "[101/0/0]");
    EXPECT_EQ(p.tracks[p.rows.data(1)].Name, "h99");
    EXPECT_EQ(p.tracks[p.rows.data(100)].Name, "h0");
    EXPECT_EQ(p.rows.data(101), 1);
    expectTreeMatchesRows(p);
}

// A header of a group with tracks refuses a drop; empty space below the
// rows takes them at the end of Hard, an empty group's header into it.
TEST(TreeDrop, HeadersRefuseEmptySpaceAndEmptyGroupsTakeAtTheirEnd) {
    Pack p(kSmall, kTreeView);
    for (int g = 1; g <= 3; ++g) EXPECT_EQ(p.ops.drop({1, 6}, {p.rows.headerRow(g)}), 0);
    EXPECT_EQ(p.layout(), "E: a b c | M: d e | H: f");
    EXPECT_EQ(p.ops.drop({1, 6}, {-1}), 2);
    EXPECT_EQ(p.layout(), "E: b c | M: d | H: f a e");
    EXPECT_EQ(p.ops.drop({p.rowOf("d")}, {99}), 1); // below the last node
    EXPECT_EQ(p.layout(), "E: b c | M: | H: f a e d");
    EXPECT_EQ(p.ops.drop({p.rowOf("b"), p.rowOf("a")}, {p.rows.headerRow(2)}), 2);
    EXPECT_EQ(p.layout(), "E: c | M: b a | H: f e d");
    expectTreeMatchesRows(p);
}

TEST(TreeDrop, CollapsedGroupsAreSkippedWhenFindingTheDropRow) {
    Pack p(kSmall, kTreeView);
    DropPoint at;
    at.expanded = {true, false, true, true}; // Easy collapsed: E, M, d, e, H, f are shown
    EXPECT_EQ(p.ops.rowAtShown(2, at.expanded), p.rowOf("d"));
    EXPECT_EQ(p.ops.shownOf(p.rowOf("e"), at.expanded), 3);
    EXPECT_EQ(p.ops.shownOf(p.rowOf("b"), at.expanded), -1);
    at.shownRow = 5; // f
    EXPECT_EQ(p.ops.drop({p.rowOf("d")}, at), 1);
    EXPECT_EQ(p.layout(), "E: a b c | M: e | H: d f");
    at.shownRow = 1; // with Easy folded, the second shown row is the Medium header
    EXPECT_EQ(p.ops.drop({p.rowOf("e")}, at), 0);
}

TEST_P(BothViews, TheListActsOnlyOnAnUnchangedRowTheTreeFollowsItsNode) {
    Pack p(kSmall, GetParam());
    ASSERT_TRUE(p.select("b"));
    // Another row is dragged above b, so b no longer stands at the selected row.
    ASSERT_EQ(p.ops.drop({p.rowOf("e")}, {p.rowOf("a")}), 1);
    const bool moved = p.ops.moveDown();
    if (GetParam() == kListView) {
        EXPECT_FALSE(moved);
        EXPECT_EQ(p.layout(), "E: e a b c | M: d | H: f");
    } else {
        EXPECT_TRUE(moved);
        EXPECT_EQ(p.layout(), "E: e a c b | M: d | H: f");
        EXPECT_EQ(p.cur.Row, 4);
    }
    // A deleted track is never moved or cloned again.
    p.ops.selectRow(p.rowOf("c"));
    p.ops.deleteRows({p.rowOf("c")});
    EXPECT_FALSE(p.ops.moveUp());
    EXPECT_EQ(p.ops.cloneTrack(), CloneResult::Nothing);
}

TEST_P(BothViews, NewTrackEntersAtTheHeadOrTheEnd) {
    Pack p(kSmall, GetParam());
    const bool tree = GetParam() == kTreeView;
    const int j = p.tracks.createTrack("n");
    const int row = p.ops.enterNewTrack(j, false, p.rowOf("e")); // e is in Medium
    EXPECT_EQ(p.rows.caption(row), "7/n");
    EXPECT_EQ(p.layout(), tree ? "E: a b c | M: n d e | H: f" : "E: n a b c | M: d e | H: f");
    const int k = p.tracks.createTrack("z");
    p.ops.enterNewTrack(k, true, p.rowOf("a"));
    EXPECT_EQ(p.tracks[k].Group, tree ? 1 : 3);
    EXPECT_EQ(p.tracks.countText(), tree ? "[4/3/1]" : "[4/2/2]");
    expectTreeMatchesRows(p);
}

TEST(LevelRows, ResetGivesThreeHeadersWhateverTheInput) {
    TrackTable t;
    t.createTrack("a");
    t.createTrack("b");
    LevelRows rows;
    rows.reset(Rows{1, -1, 2}, t); // no Easy header first, one header short
    EXPECT_EQ(rows.rows(), (Rows{-1, 1, -1, 2, -1}));
    EXPECT_EQ(rows.caption(0), "---===  Easy  ===---");
    EXPECT_EQ(rows.caption(4), "---===  Hard  ===---");
    EXPECT_EQ(rows.caption(3), "2/b");
    rows.reset(Rows{-1, -1, -1, -1, 1}, t);
    EXPECT_EQ(rows.rows(), (Rows{-1, -1, -1, 1}));
    rows.reset();
    EXPECT_EQ(rows.size(), 3);
    EXPECT_FALSE(rows.hasTracks());
}

TEST(LevelRows, CaptionsAreShownFromTheirBytes) {
    TrackTable t;
    t.createTrack("\xcb\xe5\xf1"); // "Лес" in Windows-1251
    LevelRows rows;
    rows.reset(Rows{-1, 1, -1, -1}, t);
    LevelsListModel model(rows);
    LevelsTreeModel tree(rows);
    QSignalSpy listTold(&model, &QAbstractItemModel::dataChanged),
        treeTold(&tree, &QAbstractItemModel::dataChanged);
    EXPECT_EQ(model.index(1, 0).data().toString(), QString::fromUtf8("1/Лес"));
    rows.setCaption(1, "1+/x");
    EXPECT_EQ(model.index(1, 0).data().toString(), "1+/x");
    // The views repaint a renamed row only when told.
    ASSERT_EQ(listTold.count(), 1);
    EXPECT_EQ(listTold[0][0].toModelIndex(), model.index(1, 0));
    ASSERT_EQ(treeTold.count(), 1);
    EXPECT_EQ(treeTold[0][0].toModelIndex(), tree.indexOfRow(1));
}

INSTANTIATE_TEST_SUITE_P(Views, BothViews, ::testing::Values(kListView, kTreeView),
                         [](const auto& info) {
                             return info.param == kListView ? "List" : "Tree";
                         });

// When closing, Exit, Open and New go on at once and when they ask first.
#include "pack/flag_rules.h"

#include <gtest/gtest.h>

using namespace korvo;

namespace {
AppFlags flags(bool editing, bool newTrack, bool trackModified, bool packModified) {
    AppFlags f;
    f.IsEditing = editing;
    f.IsNewTrack = newTrack;
    f.TrackModified = trackModified;
    f.PackModified = packModified;
    return f;
}
constexpr int kRows = 10; // a pack with tracks
} // namespace

TEST(FlagRules, AnEmptyPackClosesWithoutAsking) {
    const AppFlags packChanged = flags(false, false, false, true);
    EXPECT_EQ(windowCloseRule(packChanged, 3), Proceed::Go);
    EXPECT_EQ(exitRule(packChanged, 3), Proceed::Go);
    EXPECT_EQ(replacePackRule(packChanged, 3), Proceed::Go);
    // ...but a track being drawn into it is not dropped silently.
    const AppFlags drawing = flags(true, true, true, true);
    EXPECT_EQ(windowCloseRule(drawing, 3), Proceed::AskTrack);
    EXPECT_EQ(exitRule(drawing, 3), Proceed::AskTrack);
    EXPECT_EQ(replacePackRule(drawing, 3), Proceed::AskOpenOpen);
}

TEST(FlagRules, WindowClose) {
    EXPECT_EQ(windowCloseRule(flags(false, false, false, false), kRows), Proceed::Go);
    EXPECT_EQ(windowCloseRule(flags(true, false, true, false), kRows), Proceed::AskTrack);
    EXPECT_EQ(windowCloseRule(flags(false, true, true, true), kRows), Proceed::AskTrack);
    EXPECT_EQ(windowCloseRule(flags(true, false, false, false), kRows), Proceed::Go);
    EXPECT_EQ(windowCloseRule(flags(false, false, false, true), kRows), Proceed::AskPack);
    EXPECT_EQ(windowCloseRule(flags(false, false, true, false), kRows), Proceed::Go);
    // A track open without edits of its own while the pack is changed.
    EXPECT_EQ(windowCloseRule(flags(true, false, false, true), kRows), Proceed::AskPack);
    EXPECT_EQ(windowCloseRule(flags(false, true, false, true), kRows), Proceed::AskPack);
}

TEST(FlagRules, Exit) {
    EXPECT_EQ(exitRule(flags(true, false, true, true), kRows), Proceed::AskTrack);
    EXPECT_EQ(exitRule(flags(true, false, false, false), kRows), Proceed::Go);
    EXPECT_EQ(exitRule(flags(false, false, false, false), kRows), Proceed::Go);
    EXPECT_EQ(exitRule(flags(false, false, false, true), kRows), Proceed::AskPack);
    EXPECT_EQ(exitRule(flags(true, false, false, true), kRows), Proceed::AskPack);
}

TEST(FlagRules, OpeningAnotherPack) {
    EXPECT_EQ(replacePackRule(flags(true, false, false, true), kRows), Proceed::AskOpenOpen);
    EXPECT_EQ(replacePackRule(flags(true, false, true, false), kRows), Proceed::AskOpenOpen);
    EXPECT_EQ(replacePackRule(flags(true, false, false, false), kRows), Proceed::Go);
    EXPECT_EQ(replacePackRule(flags(false, false, false, false), kRows), Proceed::Go);
    EXPECT_EQ(replacePackRule(flags(false, false, true, false), kRows), Proceed::AskOpenPack);
    // Unsaved pack changes with no track open are asked about too.
    EXPECT_EQ(replacePackRule(flags(false, false, false, true), kRows), Proceed::AskOpenPack);
}

TEST(FlagRules, QuestionLines) {
    EXPECT_EQ(questionLine(Proceed::Go), 0);
    EXPECT_EQ(questionLine(Proceed::AskTrack), 56);
    EXPECT_EQ(questionLine(Proceed::AskPack), 57);
    EXPECT_EQ(questionLine(Proceed::AskOpenOpen), 71);
    EXPECT_EQ(questionLine(Proceed::AskOpenPack), 72);
}

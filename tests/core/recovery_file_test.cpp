// The recovery file reads back what was written, and refuses a file of
// another version, one cut short, one with a byte changed and one whose
// history would not fit its pack, with the reason and without reading on.
#include "recovery/recovery_file.h"
#include "text/lang_added.h"

#include <QCryptographicHash>
#include <QtEndian>
#include <gtest/gtest.h>

#include <random>

using namespace korvo;

namespace {

// A pack of two tracks in Easy and one in Hard, with one step that moved
// track 2 above track 1 and a track open with one step.
struct Kept {
    TrackTable tracks;
    LevelRows rows;
    PackStep step;
    TrackStepData trackStep;
    KeptTrack track;

    Kept() {
        for (const char* name : {"one", "two", "three"}) {
            const int j = tracks.createTrack(name);
            tracks[j].Points[0] = uint8_t(j);
            tracks[j].PointsLen = 1;
        }
        rows.reset({kHeaderRow, 2, 1, kHeaderRow, kHeaderRow, 3}, tracks);
        step.name = StepName(kLineStepDeleteTracks, 1);
        step.rows.first = 1;
        step.rows.from = {{1, "1/one"}, {2, "2/two"}};
        step.rows.to = {{2, "2/two"}, {1, "1/one"}};
        step.records = {{1, tracks[1], tracks[1]}};
        step.records[0].before.Name = "uno";
        step.subject = 2;
        trackStep.step = TrackStep::MoveNode;
        trackStep.nodes.first = 1;
        trackStep.nodes.from = {{10, 0}};
        trackStep.nodes.to = {{10, 40}};
        trackStep.after.YOffset = 7;
        track.open = true;
        track.record = 1;
        track.tool = 3;
        track.zoom = 0.5;
        track.nodes = {{0, 0}, {10, 40}, {20, 0}};
        track.index = 1;
        track.look.TrackName = "one";
    }
    QByteArray file(const QByteArray& steps = {}) const {
        return recoveryFileBytes(
            encodeRecoveryHead("/packs/levels.mrg", FileIdentity{true, 1, 2, 3, 4, 5},
                               QDateTime::fromMSecsSinceEpoch(1'800'000'000'000, Qt::UTC)),
            encodeRecoveryPack(tracks, rows), {steps.isEmpty() ? encodePackStep(step) : steps}, 1,
            0, encodeKeptTrack(track, {encodeTrackStep(trackStep)}));
    }
};

int refusal(const QByteArray& bytes) {
    Message why;
    if (decodeRecoveryFile(bytes, &why)) return 0;
    return why.number();
}

} // namespace

TEST(RecoveryFile, ReadsBackWhatWasWritten) {
    const Kept k;
    Message why;
    const std::optional<RecoveryData> d = decodeRecoveryFile(k.file(), &why);
    ASSERT_TRUE(d) << why.number();
    EXPECT_EQ(d->packPath, "/packs/levels.mrg");
    EXPECT_TRUE(d->identity == (FileIdentity{true, 1, 2, 3, 4, 5}));
    EXPECT_EQ(d->written.toMSecsSinceEpoch(), 1'800'000'000'000);
    ASSERT_EQ(d->records.size(), 3u);
    for (int j = 1; j <= 3; ++j) EXPECT_TRUE(d->records[size_t(j - 1)] == k.tracks[j]) << j;
    EXPECT_EQ(d->rows.size(), 6u);
    EXPECT_EQ(d->rows[1], (RowItem{2, "2/two"}));
    ASSERT_EQ(d->steps.size(), 1u);
    EXPECT_TRUE(d->steps[0] == k.step);
    EXPECT_EQ(d->index, 1);
    EXPECT_EQ(d->cleanIndex, 0);
    EXPECT_TRUE(d->track.open);
    EXPECT_EQ(d->track.tool, 3);
    EXPECT_EQ(d->track.zoom, 0.5);
    EXPECT_EQ(d->track.nodes, k.track.nodes);
    EXPECT_TRUE(d->track.look == k.track.look);
    ASSERT_EQ(d->track.steps.size(), 1u);
    EXPECT_TRUE(d->track.steps[0] == k.trackStep);
}

TEST(RecoveryFile, RefusesAnotherVersionACutFileAChangedByteAndAHistoryThatDoesNotFit) {
    const Kept k;
    const QByteArray good = k.file();
    EXPECT_EQ(refusal("KORVOTE-RECOVERX\n" + good.mid(17)), kLineRecoveryNotOurs);
    EXPECT_EQ(refusal(QByteArray()), kLineRecoveryNotOurs);
    QByteArray newer = good;
    qToBigEndian<quint32>(kRecoveryVersion + 1, newer.data() + 17);
    EXPECT_EQ(refusal(newer), kLineRecoveryOtherVersion);
    EXPECT_EQ(refusal(good.left(good.size() - 1)), kLineRecoveryDamaged);
    EXPECT_EQ(refusal(good + '\0'), kLineRecoveryDamaged);
    for (qsizetype at : {qsizetype(30), qsizetype(60), good.size() / 2, good.size() - 1}) {
        QByteArray changed = good;
        changed[at] = char(changed[at] ^ 0x10);
        EXPECT_EQ(refusal(changed), kLineRecoveryDamaged) << at;
    }
    // A step whose rows run past the pack's, checksummed as it should be:
    // undoing it would read past the rows, so the file is refused whole.
    PackStep wide = k.step;
    wide.rows.first = 5;
    EXPECT_EQ(refusal(k.file(encodePackStep(wide))), kLineRecoveryDamaged);
    // A step that would leave a track twice in the rows.
    PackStep twice = k.step;
    twice.rows.from = {{1, "1/one"}, {1, "1/one"}};
    EXPECT_EQ(refusal(k.file(encodePackStep(twice))), kLineRecoveryDamaged);
}

// Bodies changed at random and summed again, as a file damaged on purpose
// would be: each is read back or refused, never read past its end.
TEST(RecoveryFile, ChangedBodiesWithTheirSumsAreReadOrRefusedNeverMisread) {
    const QByteArray good = Kept().file();
    constexpr int kPrefix = 17 + 4 + 8 + 20;
    std::mt19937 random(20261208);
    int refused = 0;
    for (int run = 0; run < 3000; ++run) {
        QByteArray body = good.mid(kPrefix);
        for (int n = 1 + int(random() % 4); n > 0; --n)
            body[qsizetype(random() % quint32(body.size()))] = char(random());
        if (random() % 8 == 0) body.truncate(qsizetype(random() % quint32(body.size())));
        QByteArray file = good.left(kPrefix);
        qToBigEndian<quint64>(quint64(body.size()), file.data() + 17 + 4);
        const QByteArray sum = QCryptographicHash::hash(body, QCryptographicHash::Sha1);
        std::copy(sum.begin(), sum.end(), file.begin() + 17 + 12);
        Message why;
        const std::optional<RecoveryData> d = decodeRecoveryFile(file + body, &why);
        if (!d) {
            EXPECT_EQ(why.number(), kLineRecoveryDamaged);
            ++refused;
            continue;
        }
        // What is read back is a pack the window can take.
        EXPECT_LE(d->records.size(), size_t(kMaxTracks));
        EXPECT_LE(d->index, int(d->steps.size()));
    }
    EXPECT_GT(refused, 1000);
}

// Level pictures: names, the drawing at ratio q, the run over the pack with
// its progress and catalogue, and GIF files read back by giflib.
#include "editor_test_util.h"
#include "pack/sample_pack.h"
#include "render/level_pictures.h"
#include "settings_files.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gif_lib.h>
#include <gtest/gtest.h>

using namespace korvo;
using korvo::test::fileBytes;
using korvo::test::setTrack;

namespace {

// The worked track: x from 0 to 4000, y from -60 (up) to 90 (down).
std::vector<QPoint> workedNodes() {
    std::vector<QPoint> n{{0, 0}, {100, -60}, {200, 0}, {300, 90}};
    for (int x = 400; x <= 4000; x += 100) n.emplace_back(x, 0);
    return n;
}

int countColor(const IndexedPicture& p, uint8_t c) {
    return int(std::count(p.pixels.begin(), p.pixels.end(), c));
}

struct GifFile {
    int width = 0, height = 0, transparent = -1;
    std::string version;
    std::vector<QRgb> palette;
    std::vector<uint8_t> pixels;
};

GifFile readGif(const QString& path) {
    GifFile out;
    QFile f(path);
    if (f.open(QIODevice::ReadOnly)) out.version = f.read(6).toStdString();
    int error = 0;
    GifFileType* gif = DGifOpenFileName(QFile::encodeName(path).constData(), &error);
    if (!gif) return out;
    if (DGifSlurp(gif) == GIF_OK && gif->ImageCount == 1) {
        out.width = gif->SWidth;
        out.height = gif->SHeight;
        for (int i = 0; i < gif->SColorMap->ColorCount; ++i) {
            const GifColorType c = gif->SColorMap->Colors[i];
            out.palette.push_back(qRgb(c.Red, c.Green, c.Blue));
        }
        GraphicsControlBlock gcb;
        if (DGifSavedExtensionToGCB(gif, 0, &gcb) == GIF_OK) out.transparent = gcb.TransparentColor;
        const SavedImage& img = gif->SavedImages[0];
        out.pixels.assign(img.RasterBits, img.RasterBits + out.width * out.height);
    }
    DGifCloseFile(gif, &error);
    return out;
}

} // namespace

// Control characters (a pack made elsewhere) reach neither a file name nor
// a catalogue line; the other unsafe characters stay in the catalogue.
TEST(LevelPictureNames, UnsafeCharactersAreReplacedInTheFileNameOnly) {
    EXPECT_EQ(cleanedName("A/B:C.d"), "A_B_C_d");
    EXPECT_EQ(cleanedName("<>*@#%^&:;\"'?/\\|`,.+ ok-1"), std::string(20, '_') + " ok-1");
    TTrackInfo t;
    t.Group = 2;
    t.NumInGroup = 7;
    t.Name = "Hill.v2";
    EXPECT_EQ(pictureFileName(t), "27-Hill_v2.gif");
    EXPECT_EQ(catalogueLine(t), "2|Hill.v2|27-Hill_v2.gif");
    t.Name = "\x01Hi\nll\r.v2\x1f\x7f\xe0";
    EXPECT_EQ(pictureFileName(t), "27-_Hi_ll__v2__\xe0.gif");
    EXPECT_EQ(catalogueLine(t), "2|_Hi_ll_.v2__\xe0|27-_Hi_ll__v2__\xe0.gif");
}

// The worked track at ratio 8: without a template the track and the zero
// line only; with template 1 two poles and one rider pixel.
TEST(LevelPicture, WorkedTrackAtRatioEightWithAndWithoutTemplate) {
    TrackTable tracks;
    const int j = tracks.createTrack("w");
    setTrack(tracks[j], workedNodes(), -1);
    EditorState st;
    IndexedPicture p;
    ASSERT_EQ(drawLevelPicture(tracks, j, 8, st, p), "");
    EXPECT_EQ(p.width, 500);
    EXPECT_EQ(p.height, 43); // (190 + 160) div 8
    EXPECT_EQ(st.YOffset, 160);
    for (int x = 0; x < p.width; ++x) ASSERT_EQ(p.at(x, 20), kPicBlack) << "zero line at " << x;
    EXPECT_EQ(p.at(12, 12), kPicTrack) << "node (100, -60) at (12, 12)";
    EXPECT_EQ(p.at(37, 31), kPicTrack) << "node (300, 90) at (37, 31)";
    EXPECT_EQ(countColor(p, kPicRider), 0);
    EXPECT_EQ(countColor(p, kPicBlack), p.width);
    EXPECT_EQ(p.transparent, kPicWhite);
    EXPECT_EQ(p.palette[kPicWhite], qRgb(255, 255, 255));

    setTrack(tracks[j], workedNodes(), 1); // start x 102, finish x 597, player (97, -112)
    ASSERT_EQ(drawLevelPicture(tracks, j, 8, st, p), "");
    EXPECT_EQ(st.StartPt, QPoint(200, 0));
    EXPECT_EQ(st.FinishPt, QPoint(600, 0));
    EXPECT_EQ(countColor(p, kPicRider), 1);
    EXPECT_EQ(p.at(12, 6), kPicRider) << "(97, -112 + 160) div 8";
    EXPECT_EQ(p.at(25, 18), kPicBlack) << "start pole above the zero line";
    EXPECT_EQ(p.at(75, 18), kPicBlack) << "finish pole";
    EXPECT_EQ(p.at(25, 17), kPicWhite) << "poles are 15 units high: 20 down to 18";
    // At ratio 1 the pole is 16 pixels, the zero line's included.
    ASSERT_EQ(drawLevelPicture(tracks, j, 1, st, p), "");
    const int y0 = st.YOffset;
    for (int y = y0 - 15; y <= y0; ++y) EXPECT_EQ(p.at(200, y), kPicBlack) << "pole at " << y;
    EXPECT_EQ(p.at(200, y0 - 16), kPicWhite) << "above the pole";
    EXPECT_EQ(p.at(600, y0 - 15), kPicBlack) << "finish pole top";
    EXPECT_EQ(p.at(600, y0 - 16), kPicWhite);
}

TEST(LevelPicture, SidesOfZeroPixelsBecomeOneAndHugePicturesAreRefused) {
    TrackTable tracks;
    const int single = tracks.createTrack("dot");
    setTrack(tracks[single], {{0, 0}}, -1);
    tracks[single].Templ = 0; // a record without a template is drawn with template 1
    EditorState st;
    IndexedPicture p;
    ASSERT_EQ(drawLevelPicture(tracks, single, 8, st, p), "");
    EXPECT_EQ(p.width, 1);
    EXPECT_EQ(p.height, 25);
    EXPECT_EQ(tracks[single].Templ, 0) << "drawing never changes a record";
    ASSERT_EQ(drawLevelPicture(tracks, single, 500, st, p), "");
    EXPECT_EQ(p.height, 1);
    ASSERT_EQ(drawLevelPicture(tracks, single, 0, st, p), ""); // RatioPic 0 reads as 8
    EXPECT_EQ(p.height, 25);
    EXPECT_EQ(pictureRatio(-2), 8);

    // 499 steps of 127 down: 63373 x 63573 pixels at ratio 1.
    std::vector<QPoint> steep{{0, 0}};
    for (int i = 1; i <= kMaxSegments; ++i) steep.emplace_back(127 * i, 127 * i);
    const int big = tracks.createTrack("steep");
    setTrack(tracks[big], steep, -1);
    EXPECT_EQ(drawLevelPicture(tracks, big, 1, st, p),
              "the picture would be 63373 x 63573 pixels at ratio 1, too large to make");
}

TEST(LevelPictureRun, AllLevelsWritesGifsAndTheCatalogueWithItsProgress) {
    QTemporaryDir dir;
    TrackTable tracks;
    const char* names[] = {"A/B:C.d", "Hill", "Трек", "x", "y", "z", "w"};
    for (const char* name : names) {
        const int j = tracks.createTrack(name);
        setTrack(tracks[j], workedNodes(), j % 2 ? 1 : -1);
    }
    tracks[3].Name = "\xd2\xf0\xe5\xea";              // "Трек" in Windows-1251
    const Rows rows{-1, 1, 2, 3, -1, 4, 5, -1, 6, 7}; // 10 rows, numbered by the run
    EditorState st;
    std::vector<int> progress;
    const PictureRun run =
        makeAllPictures(tracks, rows, dir.path(), 8, st, [&](int v) { progress.push_back(v); });
    ASSERT_EQ(run.error, "");
    EXPECT_EQ(run.pictures, 7);
    EXPECT_EQ(progress, (std::vector<int>{0, 10, 19, 29, 39, 59, 69, 89, 99, 120, 130}));

    const QByteArray catalogue = fileBytes(dir.filePath("bdpic.dat"));
    EXPECT_EQ(catalogue, QByteArray("1|A/B:C.d|11-A_B_C_d.gif\r\n1|Hill|12-Hill.gif\r\n"
                                    "1|\xd2\xf0\xe5\xea|13-\xd2\xf0\xe5\xea.gif\r\n"
                                    "2|x|21-x.gif\r\n2|y|22-y.gif\r\n3|z|31-z.gif\r\n"
                                    "3|w|32-w.gif\r\n"));
    EXPECT_TRUE(QFile::exists(dir.filePath(QString::fromUtf8("13-Трек.gif"))));

    const GifFile gif = readGif(dir.filePath("11-A_B_C_d.gif"));
    EXPECT_EQ(gif.version, "GIF89a");
    ASSERT_EQ(gif.width, 500);
    ASSERT_EQ(gif.height, 43);
    ASSERT_GE(gif.transparent, 0);
    EXPECT_EQ(gif.palette[size_t(gif.transparent)], qRgb(255, 255, 255));
    EXPECT_EQ(gif.palette[gif.pixels[0]], qRgb(255, 255, 255));
    EXPECT_EQ(gif.palette[gif.pixels[20 * 500 + 250]], qRgb(0, 0, 0)) << "zero line";
    EXPECT_EQ(gif.palette[gif.pixels[12 * 500 + 12]], qRgb(0, 170, 0)) << "track line";
    EXPECT_EQ(gif.palette[gif.pixels[6 * 500 + 12]], qRgb(255, 0, 0)) << "rider pixel";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 8)
        << "no temporary files are left";
}

TEST(LevelPictureRun, AFailedWriteStopsTheRunAndNamesThePath) {
    QTemporaryDir dir;
    TrackTable tracks;
    for (const char* name : {"a", "b", "c"})
        setTrack(tracks[tracks.createTrack(name)], {{0, 0}, {80, 0}}, 1);
    const Rows rows{-1, 1, 2, 3, -1, -1};
    renumberFromRows(tracks, rows);
    // A folder where the second picture goes cannot be replaced by a file.
    ASSERT_TRUE(QDir(dir.path()).mkdir("12-b.gif"));
    // The catalogue of an earlier run, naming pictures this run makes anew.
    putFile(dir.filePath("bdpic.dat"), "1|a|11-a.gif\r\n1|b|12-b.gif\r\n1|c|13-c.gif\r\n");
    EditorState st;
    std::vector<int> progress;
    const PictureRun run =
        makeAllPictures(tracks, rows, dir.path(), 8, st, [&](int v) { progress.push_back(v); });
    EXPECT_EQ(text(run.error).rfind(dir.filePath("12-b.gif").toStdString() + ": ", 0), 0u)
        << run.error;
    EXPECT_EQ(run.pictures, 1);
    EXPECT_TRUE(QFile::exists(dir.filePath("11-a.gif")));
    EXPECT_FALSE(QFile::exists(dir.filePath("13-c.gif")));
    EXPECT_FALSE(QFile::exists(dir.filePath("bdpic.dat")))
        << "a run cut short leaves no catalogue that looks complete";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"11-a.gif"})
        << "no temporary file of the picture that failed";
    EXPECT_EQ(progress.back(), 42); // row 2 of 6: 2 * 100 div 6 + 9

    const QString missing = dir.filePath("images");
    const PictureRun none = makeAllPictures(tracks, rows, missing, 8, st);
    EXPECT_EQ(none.error, missing.toStdString() + ": the folder does not exist");
    EXPECT_EQ(makegif(tracks, 1, missing, 8, st), none.error);
}

// The pictures of a pack are the same bytes on one thread or on many, and the
// same as they have always been: the run over a sample of tracks of every
// length, a track that names no template and two tracks that share a file.
TEST(LevelPictureRun, TheFilesAreTheSameBytesOnOneThreadOrMany) {
    TrackTable tracks;
    SampleOptions options;
    options.tracks = 40;
    Rows rows = makeSamplePack(tracks, options);
    for (int j = 1; j <= tracks.TrackCount; ++j)
        makeSampleTrack(tracks[j], 1 + j * 12, uint32_t(j));
    setTrack(tracks[5], workedNodes(), -1);
    tracks[7].Name = tracks[8].Name = "twin"; // numbered apart, so two files
    std::vector<std::string> runs;
    std::vector<int> firstProgress;
    for (int threads : {1, 2, 7}) {
        QTemporaryDir dir;
        EditorState st;
        std::vector<int> progress;
        const PictureRun run = makeAllPictures(
            tracks, rows, dir.path(), 8, st, [&](int v) { progress.push_back(v); }, threads);
        ASSERT_EQ(run.error, "");
        EXPECT_EQ(run.pictures, 40);
        EXPECT_EQ(progress.size(), 44u) << threads << " threads";
        if (firstProgress.empty()) firstProgress = progress;
        EXPECT_EQ(progress, firstProgress) << threads << " threads";
        EditorState last;
        IndexedPicture p;
        ASSERT_EQ(drawLevelPicture(tracks, rows.back(), 8, last, p), "");
        EXPECT_EQ(st.NodeCount, last.NodeCount) << "the last track stays decoded";
        EXPECT_EQ(st.NodeY, last.NodeY);
        QCryptographicHash all(QCryptographicHash::Sha256);
        const QStringList files =
            QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        EXPECT_EQ(files.size(), 41) << "40 pictures and the catalogue, nothing else";
        for (const QString& file : files)
            all.addData(file.toUtf8() + fileBytes(dir.filePath(file)));
        runs.push_back(all.result().toHex().toStdString());
    }
    EXPECT_EQ(runs[0], runs[1]);
    EXPECT_EQ(runs[0], runs[2]);
    // The bytes the pictures have always had: change them only on purpose.
    EXPECT_EQ(runs[0], "c070ca0d04710a2c634e70588d18205cc0693a5edda1c32d771e674673d1f7f3");
}

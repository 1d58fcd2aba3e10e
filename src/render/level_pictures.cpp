#include "level_pictures.h"

#include "text/lang_added.h"
#include "text/message.h"

#include "draw/map_draw.h"

#include "io/checked_write.h"
#include "pack/track_import.h"
#include "text/cp1251.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <vector>

namespace korvo {

namespace {

// The characters a picture's file name may not hold, in the order they are replaced.
constexpr std::string_view kUnsafeChars = "<>*@#%^&:;\"'?/\\|`,.+";

const std::vector<QRgb>& picturePalette() {
    static const std::vector<QRgb> palette{qRgb(255, 255, 255), qRgb(0, 170, 0), qRgb(0, 0, 0),
                                           qRgb(255, 0, 0)};
    return palette;
}

// A line in picture pixels (track values already divided by q): the same
// pixels as the canvas's lines, clipped to the picture once.
void pictureLine(IndexedPicture& p, int x1, int y1, int x2, int y2, uint8_t color) {
    const ClippedLine line(x1, y1, x2, y2, QRect(0, 0, p.width, p.height));
    if (line.count == 0) return;
    uint8_t* pixels = p.pixels.data();
    const size_t width = size_t(p.width);
    line.forEachPixel([=](int x, int y) { pixels[size_t(y) * width + size_t(x)] = color; });
}

Message folderMissing(const QString& folder) {
    return pathMessage(folder, Message::line(kLineFolderMissing));
}

} // namespace

std::string cleanedName(std::string_view name) {
    std::string out = replaceControlChars(name);
    for (char unsafe : kUnsafeChars) std::replace(out.begin(), out.end(), unsafe, '_');
    return out;
}

std::string pictureFileName(const TTrackInfo& t) {
    return std::to_string(t.Group) + std::to_string(t.NumInGroup) + "-" + cleanedName(t.Name) +
           ".gif";
}

std::string catalogueLine(const TTrackInfo& t) {
    return std::to_string(t.Group) + "|" + replaceControlChars(t.Name) + "|" + pictureFileName(t);
}

Message drawLevelPicture(const TrackTable& tracks, int j, int q, DecodedTrack& st,
                         IndexedPicture& picture) {
    q = pictureRatio(q);      // never a division by 0
    TTrackInfo r = tracks[j]; // drawing works on a copy: the record stays as it is
    if (r.Templ == 0) r.Templ = 1;
    r.AnchorY = headerAnchorY(r);
    st.TrackYShift = trackYShiftOf(r);
    st.decode(r, r.StartX);
    const int maxY = std::max(0, st.yRange(2).second);
    const int minY = st.yRange(1).first;
    const int o = std::abs(minY) + 100;
    st.YOffset = o;
    const int H = (std::abs(maxY) + 100) + o;
    if (r.Templ > 0) st.FindSFM(r.Templ);

    // A side that would be 0 pixels (or less, for a track running left) is 1.
    const long long width = std::max(1, st.NodeX[size_t(st.NodeCount)] / q);
    const long long height = std::max(1, std::abs(H) / q);
    if (width > 65535 || height > 65535 || width * height > kMaxPicturePixels)
        return Message::line(kLinePictureTooLarge, width, height, q);
    // The picture's room is kept from one picture to the next.
    picture.width = int(width);
    picture.height = int(height);
    picture.pixels.assign(size_t(width * height), kPicWhite);
    picture.palette = picturePalette();
    picture.transparent = kPicWhite;

    for (int i = 1; i < st.NodeCount; ++i)
        pictureLine(picture, st.NodeX[size_t(i)] / q, (st.NodeY[size_t(i)] + o) / q,
                    st.NodeX[size_t(i + 1)] / q, (st.NodeY[size_t(i + 1)] + o) / q, kPicTrack);
    pictureLine(picture, 0, o / q, picture.width, o / q, kPicBlack); // the zero line
    if (r.Templ > 0) {
        for (const QPoint& at : {st.StartPt, st.FinishPt})
            pictureLine(picture, at.x() / q, (at.y() + o) / q, at.x() / q, (at.y() + o - 15) / q,
                        kPicBlack);
        const int x = st.PlayerPt.x() / q, y = (st.PlayerPt.y() + o) / q;
        pictureLine(picture, x, y, x, y, kPicRider);
    }
    return {};
}

namespace {

// One picture made in memory: its file name, its GIF bytes, or why it could
// not be made (to be said with its path).
struct MadePicture {
    QString name;
    std::string gif;
    Message why;
    bool byCaller = false; // drawn with the caller's editor state
};

void makePicture(const TrackTable& tracks, int j, int q, DecodedTrack& st, IndexedPicture& scratch,
                 MadePicture& out) {
    out.name = fromCp1251(pictureFileName(tracks[j]));
    out.why = drawLevelPicture(tracks, j, q, st, scratch);
    if (out.why.empty()) out.why = encodeGif(scratch, out.gif);
}

// Each picture is written beside its name and renamed over it when whole, so
// a run killed half way never leaves a picture cut short under its name. The
// leftovers of killed runs go with the catalogue, written last.
Message writePicture(const QString& path, const std::string& gif, bool sync) {
    WriteFileOptions options;
    options.sync = sync;
    options.sweep = false;
    options.removeFirst = true;
    return writeFileChecked(path, gif, options);
}

// Makes the pictures of a run on every core: helper threads take the next
// track row not yet taken, and so does the caller while the picture it
// needs next is not ready. The caller takes them in row order and writes
// them, so what is written, the progress and the point where a failure stops
// the run do not depend on the number of threads.
class PictureMakers {
public:
    PictureMakers(const TrackTable& tracks, std::vector<int> order, int q, int threads)
        : tracks_(tracks), order_(std::move(order)), q_(q), made_(order_.size()),
          ready_(order_.size(), 0) {
        const int helpers = std::min(threads, int(order_.size())) - 1;
        for (int i = 0; i < helpers; ++i)
            helpers_.emplace_back([this] {
                DecodedTrack st;
                IndexedPicture scratch;
                while (makeNext(st, scratch, false)) {
                }
            });
    }
    ~PictureMakers() {
        stop_ = true;
        for (std::thread& t : helpers_) t.join();
    }
    PictureMakers(const PictureMakers&) = delete;
    PictureMakers& operator=(const PictureMakers&) = delete;

    // The k-th picture of the run, made with `st` if no helper has taken it.
    MadePicture take(size_t k, DecodedTrack& st) {
        for (;;) {
            {
                std::unique_lock lock(mutex_);
                if (ready_[k]) return std::move(made_[k]);
            }
            if (makeNext(st, scratch_, true)) continue;
            std::unique_lock lock(mutex_); // all taken: wait for the helper making k
            madeOne_.wait(lock, [&] { return ready_[k] != 0; });
            return std::move(made_[k]);
        }
    }

private:
    bool makeNext(DecodedTrack& st, IndexedPicture& scratch, bool byCaller) {
        if (stop_) return false;
        const size_t k = next_++;
        if (k >= order_.size()) return false;
        MadePicture picture;
        picture.byCaller = byCaller;
        makePicture(tracks_, order_[k], q_, st, scratch, picture);
        {
            std::lock_guard lock(mutex_);
            made_[k] = std::move(picture);
            ready_[k] = 1;
        }
        madeOne_.notify_one();
        return true;
    }

    const TrackTable& tracks_; // read only: drawing changes no record
    const std::vector<int> order_;
    const int q_;
    std::vector<MadePicture> made_;
    std::vector<char> ready_;
    std::mutex mutex_;
    std::condition_variable madeOne_;
    std::atomic<size_t> next_{0};
    std::atomic<bool> stop_{false};
    IndexedPicture scratch_; // the caller's
    std::vector<std::thread> helpers_;
};

} // namespace

Message makegif(const TrackTable& tracks, int j, const QString& folder, int q, DecodedTrack& st,
                bool sync, QString* fileName) {
    if (!QFileInfo(folder).isDir()) return folderMissing(folder);
    IndexedPicture scratch;
    MadePicture picture;
    makePicture(tracks, j, q, st, scratch, picture);
    const QString path = QDir(folder).filePath(picture.name);
    if (!picture.why.empty()) return pathMessage(path, picture.why);
    if (Message why = writePicture(path, picture.gif, sync); !why.empty()) return why;
    if (fileName) *fileName = picture.name;
    return {};
}

PictureRun makeAllPictures(TrackTable& tracks, const Rows& rows, const QString& folder, int q,
                           DecodedTrack& st, const PictureProgress& progress, int threads) {
    const auto show = [&progress](int value) {
        if (progress) progress(value);
    };
    PictureRun run;
    show(0);
    const QDir dir(folder);
    if (!QFileInfo(folder).isDir()) {
        run.error = folderMissing(folder);
        return run;
    }
    // Names come from Group and NumInGroup: taken from the rows as they
    // stand, no two pictures of the run share a name.
    renumberFromRows(tracks, rows);
    std::vector<int> trackRows, order; // the track rows, and their tracks
    const int n = int(rows.size());
    for (int r = 1; r < n; ++r)
        if (rows[size_t(r)] != kHeaderRow) {
            trackRows.push_back(r);
            order.push_back(rows[size_t(r)]);
        }
    // The catalogue of an earlier run goes first: a run that stops half way
    // never leaves one that looks complete beside pictures of other tracks.
    const QString bdpic = QStringLiteral("bdpic.dat");
    if (::unlink(QFile::encodeName(dir.filePath(bdpic)).constData()) != 0 && errno != ENOENT) {
        run.error = pathMessage(dir.filePath(bdpic), systemError(errno));
        return run;
    }
    std::string catalogue; // PicCatalogue
    QStringList written;
    QSet<QString> seen; // two tracks may share a file name; the later one replaces it
    show(10);
    {
        PictureMakers makers(tracks, order, pictureRatio(q),
                             threads > 0 ? threads : QThread::idealThreadCount());
        size_t k = 0;
        for (; k < order.size(); ++k) {
            show(trackRows[k] * 100 / n + 9);
            const MadePicture picture = makers.take(k, st);
            const QString path = dir.filePath(picture.name);
            run.error = !picture.why.empty() ? pathMessage(path, picture.why)
                                             : writePicture(path, picture.gif, false);
            const bool last = !run.error.empty() || k + 1 == order.size();
            // The editor's state is left with the last track drawn, as one
            // picture at a time would leave it.
            if (last && !picture.byCaller) {
                IndexedPicture scratch;
                drawLevelPicture(tracks, order[k], q, st, scratch);
            }
            if (!run.error.empty()) break;
            ++run.pictures;
            if (!seen.contains(picture.name)) {
                seen.insert(picture.name);
                written << picture.name;
            }
            catalogue += catalogueLine(tracks[order[k]]) + "\r\n";
        }
    }
    if (run.error.empty()) {
        show(120);
        WriteFileOptions options;
        options.sync = false;
        run.error = writeFileChecked(dir.filePath(bdpic), catalogue, options);
        if (run.error.empty()) written << bdpic;
    }
    // What was written stays, and is made durable, also when the run stopped early.
    if (Message why = syncFiles(folder, written); !why.empty() && run.error.empty())
        run.error = why;
    if (run.error.empty()) show(130);
    return run;
}

} // namespace korvo

#include "level_pictures.h"

#include "text/lang_added.h"
#include "text/message.h"

#include "draw/map_draw.h"

#include "io/checked_write.h"
#include "pack/track_import.h"
#include "text/cp1251.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cstdlib>
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

// Draws in picture pixels (track values already divided by q). Lines take
// the same pixels as the canvas's lines (linePixels), clipped to the picture.
class PictureCanvas {
public:
    explicit PictureCanvas(IndexedPicture& p) : p_(p) {}
    void line(int x1, int y1, int x2, int y2, uint8_t color) {
        pixels_.clear();
        linePixels(x1, y1, x2, y2, QRect(0, 0, p_.width, p_.height), pixels_);
        for (const QPoint& at : pixels_) p_.at(at.x(), at.y()) = color;
    }
    void pixel(int x, int y, uint8_t color) {
        if (unsigned(x) < unsigned(p_.width) && unsigned(y) < unsigned(p_.height))
            p_.at(x, y) = color;
    }

private:
    IndexedPicture& p_;
    std::vector<QPoint> pixels_;
};

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

Message drawLevelPicture(TrackTable& tracks, int j, int q, DecodedTrack& st,
                             IndexedPicture& picture) {
    q = pictureRatio(q); // never a division by 0
    TTrackInfo& r = tracks[j];
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
    picture = IndexedPicture(int(width), int(height), picturePalette(), kPicWhite);
    picture.transparent = kPicWhite;

    PictureCanvas c(picture);
    for (int i = 1; i < st.NodeCount; ++i)
        c.line(st.NodeX[size_t(i)] / q, (st.NodeY[size_t(i)] + o) / q, st.NodeX[size_t(i + 1)] / q,
               (st.NodeY[size_t(i + 1)] + o) / q, kPicTrack);
    c.line(0, o / q, picture.width, o / q, kPicBlack); // the zero line
    if (r.Templ > 0) {
        for (const QPoint& at : {st.StartPt, st.FinishPt})
            c.line(at.x() / q, (at.y() + o) / q, at.x() / q, (at.y() + o - 15) / q, kPicBlack);
        c.pixel(st.PlayerPt.x() / q, (st.PlayerPt.y() + o) / q, kPicRider);
    }
    return {};
}

Message makegif(TrackTable& tracks, int j, const QString& folder, int q, DecodedTrack& st,
                    bool sync, QString* fileName) {
    if (!QFileInfo(folder).isDir()) return folderMissing(folder);
    const QString name = fromCp1251(pictureFileName(tracks[j]));
    const QString path = QDir(folder).filePath(name);
    IndexedPicture picture;
    if (Message why = drawLevelPicture(tracks, j, q, st, picture); !why.empty())
        return pathMessage(path, why);
    std::string gif;
    if (Message why = encodeGif(picture, gif); !why.empty()) return pathMessage(path, why);
    WriteFileOptions options;
    options.sync = sync;
    if (Message why = writeFileChecked(path, gif, options); !why.empty()) return why;
    if (fileName) *fileName = name;
    return {};
}

PictureRun makeAllPictures(TrackTable& tracks, const Rows& rows, const QString& folder, int q,
                           DecodedTrack& st, const PictureProgress& progress) {
    const auto show = [&progress](int value) {
        if (progress) progress(value);
    };
    PictureRun run;
    show(0);
    if (!QFileInfo(folder).isDir()) {
        run.error = folderMissing(folder);
        return run;
    }
    // Names come from Group and NumInGroup: taken from the rows as they
    // stand, no two pictures of the run share a name.
    renumberFromRows(tracks, rows);
    std::string catalogue; // PicCatalogue
    QStringList written;
    QSet<QString> seen; // two tracks may share a file name; the later one replaces it
    show(10);
    const int n = int(rows.size());
    for (int r = 1; r < n; ++r) {
        const int j = rows[size_t(r)];
        if (j == kHeaderRow) continue;
        show(r * 100 / n + 9);
        QString name;
        run.error = makegif(tracks, j, folder, q, st, false, &name);
        if (!run.error.empty()) break;
        ++run.pictures;
        if (!seen.contains(name)) {
            seen.insert(name);
            written << name;
        }
        catalogue += catalogueLine(tracks[j]) + "\r\n";
    }
    if (run.error.empty()) {
        show(120);
        WriteFileOptions options;
        options.sync = false;
        const QString bdpic = QStringLiteral("bdpic.dat");
        run.error = writeFileChecked(QDir(folder).filePath(bdpic), catalogue, options);
        if (run.error.empty()) written << bdpic;
    }
    // What was written stays, and is made durable, also when the run stopped early.
    if (Message why = syncFiles(folder, written); !why.empty() && run.error.empty())
        run.error = why;
    if (run.error.empty()) show(130);
    return run;
}

} // namespace korvo

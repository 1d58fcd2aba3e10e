#include "recovery_window.h"

#include "pack/pack_file.h"
#include "recovery/recovery_folder.h"
#include "settings/pack_lock.h"
#include "text/cp1251.h"
#include "text/lang_added.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace korvo {

namespace {

QString captions(const std::vector<std::string>& names, const AppContext& app) {
    if (names.empty()) return app.Lang[kLineRecoveryNone];
    QStringList shown;
    for (const std::string& n : names) shown << fromCp1251(n);
    constexpr int kShown = 12; // a long list ends with "..."
    if (shown.size() > kShown) {
        shown = shown.mid(0, kShown);
        shown << "...";
    }
    return shown.join(", ");
}

} // namespace

QImage nodesPicture(const std::vector<QPoint>& nodes, QSize size, QColor line) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (nodes.size() < 2) return image;
    int left = nodes.front().x(), right = left, top = nodes.front().y(), bottom = top;
    for (const QPoint& p : nodes) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    const double scale = std::min((size.width() - 8.0) / std::max(1, right - left),
                                  (size.height() - 8.0) / std::max(1, bottom - top));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(line, 2));
    QPolygonF poly;
    for (const QPoint& p : nodes)
        poly << QPointF(4 + (p.x() - left) * scale, 4 + (p.y() - top) * scale);
    painter.drawPolyline(poly);
    return image;
}

RecoveryWindow::RecoveryWindow(AppContext& app, const RecoveryData& d, const QString& journal,
                               QWidget* parent)
    : QDialog(parent) {
    setObjectName("RecoveryWindow");
    setWindowTitle(app.Lang[kLineRecoveryTitle]);
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(app.Lang[kLineRecoveryIntro], this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    // The pack on disk now, to tell what the recovery would change.
    TrackTable disk;
    Rows diskRows;
    const FileIdentity now = fileIdentity(d.packPath);
    const bool gone = !now.exists;
    if (!gone) loadPackFile(d.packPath, disk, diskRows);
    const RecoveryDifference diff = compareWithFile(d, disk, diskRows);
    QStringList lines;
    lines << app.text(kLineRecoveryPack, QDir::toNativeSeparators(d.packPath))
          << app.text(kLineRecoveryWritten, d.written.toLocalTime().toString("yyyy-MM-dd HH:mm:ss"))
          << app.text(kLineRecoverySteps, d.index, d.track.open ? d.track.index : 0)
          << app.text(kLineRecoveryChanged, captions(diff.changed, app))
          << app.text(kLineRecoveryAdded, captions(diff.added, app))
          << app.text(kLineRecoveryDeleted, captions(diff.deleted, app));
    const bool changedSince = d.identity.exists && now != d.identity;
    if (gone && d.identity.exists)
        lines << app.Lang[kLineRecoveryPackGone];
    else if (changedSince)
        lines << app.Lang[kLineRecoveryPackChanged];
    // A save of that session replaced the pack: its copy as opened is kept.
    const QString asOpened = asOpenedCopyPath(app.BaseFolder, d.packPath, journalProcess(journal));
    if (QFileInfo::exists(asOpened))
        lines << app.text(kLineRecoveryAsOpened, QDir::toNativeSeparators(asOpened));
    if (!d.track.open) {
        lines << app.Lang[kLineRecoveryNoTrack];
    } else {
        const QString name = d.track.isNew
                                 ? app.text(kLineRecoveryNewTrack, d.track.look.TrackName)
                                 : QString::fromStdString(std::to_string(d.track.record)) + "/" +
                                       d.track.look.TrackName;
        lines << app.text(kLineRecoveryOpenTrack, name);
    }
    text_ = new QLabel(lines.join("\n"), this);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(text_);
    if (d.track.open) {
        auto* preview = new QLabel(this);
        preview->setObjectName("RecoveredTrackPreview");
        preview->setPixmap(
            QPixmap::fromImage(nodesPicture(d.track.nodes, QSize(360, 120), QColor(0, 128, 0))));
        layout->addWidget(preview);
    }

    auto* box = new QDialogButtonBox(this);
    buttons_[Recover] = box->addButton(app.Lang[kLineRecover], QDialogButtonBox::AcceptRole);
    buttons_[OpenSaved] =
        box->addButton(app.Lang[kLineRecoveryOpenSaved], QDialogButtonBox::RejectRole);
    if (gone || changedSince)
        buttons_[SaveAs] =
            box->addButton(app.Lang[kLineRecoverySaveAs], QDialogButtonBox::ActionRole);
    for (int c : {Recover, OpenSaved, SaveAs})
        if (QPushButton* b = buttons_[c])
            connect(b, &QPushButton::clicked, this, [this, c] {
                choice_ = Choice(c);
                c == OpenSaved ? reject() : accept();
            });
    buttons_[Recover]->setDefault(true);
    buttons_[Recover]->setFocus();
    layout->addWidget(box);
}

QString RecoveryWindow::summary() const {
    return text_->text();
}

RecoveryWindow::Choice RecoveryWindow::ask() {
    choice_ = OpenSaved;
    exec();
    return choice_;
}

} // namespace korvo

#include "ride_commands.h"

#include "actions.h"
#include "dist/ui/submission_window.h"
#include "editor/ui/track_canvas.h"
#include "editor_controller.h"
#include "list_controller.h"
#include "pack/pack_file.h"
#include "ride/ride_params.h"
#include "ride/test_rider.h"
#include "ride/ui/check_window.h"
#include "ride/ui/ride_view.h"
#include "settings/ui/mnemonics.h"
#include "text/cp1251.h"
#include "text/lang_added.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QToolBar>

#include <algorithm>
#include <cmath>

namespace korvo {

namespace {

// A red cross on the canvas where the last ride ended; it lets the mouse through.
// The track's height at x, between the nodes around it (the last node's
// beyond the end).
double groundY(const EditorState& st, int x) {
    if (st.NodeCount < 1) return 0;
    for (int k = 1; k < st.NodeCount; ++k) {
        const QPoint a = st.node(k), b = st.node(k + 1);
        if (x <= b.x() && b.x() > a.x())
            return a.y() + double(b.y() - a.y()) * std::clamp(x - a.x(), 0, b.x() - a.x()) /
                               (b.x() - a.x());
    }
    return st.node(st.NodeCount).y();
}

class EndMark : public QWidget {
public:
    explicit EndMark(QWidget* canvas) : QWidget(canvas) {
        setObjectName("RideEndMark");
        setAttribute(Qt::WA_TransparentForMouseEvents);
        resize(17, 17);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(QPen(QColor(220, 0, 0), 3));
        p.drawLine(2, 2, 14, 14);
        p.drawLine(2, 14, 14, 2);
    }
};

} // namespace

RideCommands::RideCommands(AppContext& app, ListController& list, EditorController& editor,
                           QMainWindow* window, QWidget* rightPanel)
    : QObject(window), app_(app), list_(list), editor_(editor), right_(rightPanel),
      view_(new RideView(app.Lang, rightPanel)) {
    view_->hide();
    rightPanel->layout()->addWidget(view_);
    RideBtn = toolAction(window, "RideBtn", "Тест-заезд", ToolIcon::Rider);
    RideBtn->setEnabled(true);
    RideBtn->setShortcut(Qt::Key_F5);
    ReplayRide = namedAction(window, "ReplayRide", "Повтор заезда");
    ReplayRide->setShortcut(Qt::SHIFT | Qt::Key_F5);
    WatchRider = namedAction(window, "WatchRider", "Смотреть тестового мотоциклиста");
    WatchRider->setShortcut(Qt::CTRL | Qt::Key_F5);
    LoadRideKeys = namedAction(window, "LoadRideKeys", "Заезд по клавишам из файла...");
    LoadRideKeys->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_F5);
    SaveRideKeys = namedAction(window, "SaveRideKeys", "Сохранить клавиши заезда...");
    SaveRideKeys->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_K);
    CheckPack = namedAction(window, "CheckPack", "Проверить пакет");
    CheckPack->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_C);
    if (auto* menu = window->findChild<QMenu*>("EditMenu")) {
        menu->addSeparator();
        menu->addActions({RideBtn, ReplayRide, WatchRider, LoadRideKeys, SaveRideKeys, CheckPack});
    }
    if (auto* bar = window->findChild<QToolBar*>("ToolBar1")) {
        bar->addSeparator();
        bar->addAction(RideBtn);
        bar->widgetForAction(RideBtn)->setObjectName("RideBtnButton");
    }
    connect(RideBtn, &QAction::triggered, this, &RideCommands::ride);
    connect(ReplayRide, &QAction::triggered, this, &RideCommands::replay);
    connect(WatchRider, &QAction::triggered, this, &RideCommands::watchTestRider);
    connect(LoadRideKeys, &QAction::triggered, this, &RideCommands::rideKeysFromFile);
    connect(SaveRideKeys, &QAction::triggered, this, &RideCommands::saveRideKeys);
    connect(CheckPack, &QAction::triggered, this, &RideCommands::checkPack);
    connect(view_, &RideView::leaveAsked, this, [this] { showView(false); });
    connect(view_, &RideView::rideEnded, this, &RideCommands::markEnd);
    connect(view_, &RideView::rideEnded, this, [this](RideEnd end) {
        if (end == RideEnd::Finished) keepFinish();
    });
    // Finishes held while the pack had no file go beside it once it has one.
    connect(&app_.doc, &PackDocument::fileNameChanged, this, [this] { records(); });
    connect(&editor_, &EditorController::openChanged, this, [this](bool) {
        if (endMark_) endMark_->hide();
        showView(false);
    });
}

// The submission window, built when first opened, offers the check before sending.
void RideCommands::offerCheckIn(QDialog* submission) {
    if (checkButton_ || !submission || !submission->layout()) return;
    checkButton_ = new QPushButton(submission);
    checkButton_->setObjectName("CheckPackButton");
    checkButton_->setText(app_.text(kLineCheckPackCommand));
    submission->layout()->addWidget(checkButton_);
    unvalidated_ = new QLabel(submission);
    unvalidated_->setObjectName("UnvalidatedCount");
    submission->layout()->addWidget(unvalidated_);
    submission->installEventFilter(this); // the button speaks the language of each showing
    connect(checkButton_, &QPushButton::clicked, this, &RideCommands::checkPack);
    if (auto* window = qobject_cast<SubmissionWindow*>(submission)) {
        window->beforeSend = [this](const QString& path) { return askUnvalidated(path); };
        for (auto* choice : window->findChildren<QRadioButton*>())
            connect(choice, &QRadioButton::toggled, this, &RideCommands::showUnvalidated);
        for (auto* field : window->findChildren<QLineEdit*>("LevFilePath"))
            connect(field, &QLineEdit::textChanged, this, &RideCommands::showUnvalidated);
    }
}

// "Not validated: n of m tracks" for the pack the submission would send.
void RideCommands::showUnvalidated() {
    auto* window = unvalidated_ ? qobject_cast<SubmissionWindow*>(unvalidated_->window()) : nullptr;
    if (!window) return;
    Unvalidated n;
    const QString path = window->packToSend();
    const bool known = !path.isEmpty() && unvalidatedInPack(path, n).empty();
    unvalidated_->setText(known ? app_.text(kLineSubmitUnvalidated).arg(n.count).arg(n.total)
                                : QString());
    unvalidated_->setVisible(known);
}

bool RideCommands::askUnvalidated(const QString& packPath) {
    showUnvalidated();
    Unvalidated n;
    unvalidatedInPack(packPath, n); // a pack that cannot be read is the submission's to tell
    if (n.count == 0) return true;
    return app_.ask().confirm(unvalidated_->window(),
                              app_.text(kLineSubmitAskUnvalidated, n.count));
}

bool RideCommands::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && checkButton_ && watched == checkButton_->parent()) {
        checkButton_->setText(app_.text(kLineCheckPackCommand));
        showUnvalidated();
        keepMnemonics(checkButton_->window()); // its Alt letter among the window's
    }
    return QObject::eventFilter(watched, event);
}

// The one place that reads the editor for a ride: the open track as it lies
// on the canvas, or else a track's record.
std::optional<RideCommands::Ridden> RideCommands::trackToRide(int j) const {
    Ridden r;
    QString name;
    if (editor_.isOpen() && (j == 0 || editor_.state().CurTrack == j)) {
        r.track = rideTrackOf(editor_.state(), editor_.session().record().Templ > 0);
        r.number = editor_.state().CurTrack;
        name = editor_.session().TrackName;
        if (name.isEmpty()) name = fromCp1251(editor_.session().record().Name);
        // The record storing would write: a finish validates the track as it will be stored.
        TTrackInfo stored;
        const SaveOutcome out = editor_.session().recordToStore(name, stored);
        if (out.ok() && out.track > 0) r.record = stored;
    } else {
        r.number = j ? j : editor_.isOpen() ? 0 : list_.selectedTrack();
        if (r.number <= 0 || app_.doc.Rows.findTrack(r.number) < 0) return std::nullopt;
        r.track = rideTrackOf(app_.doc.Tracks[r.number]);
        r.record = app_.doc.Tracks[r.number];
        name = fromCp1251(app_.doc.Tracks[r.number].Name);
    }
    if (r.track.nodes.size() < 2) return std::nullopt;
    r.label = QString("%1/%2").arg(r.number).arg(name);
    return r;
}

void RideCommands::showView(bool on) {
    if (on == view_->isVisible()) return;
    if (on) {
        hidden_.clear();
        for (QWidget* w : {editor_.previewPanel(), editor_.canvasPanel()})
            if (w->isVisible()) {
                hidden_.push_back(w);
                w->hide();
            }
        view_->show();
        view_->setFocus();
    } else {
        view_->hide();
        for (QWidget* w : hidden_) w->show();
        hidden_.clear();
        if (editor_.isOpen()) editor_.canvasPanel()->setFocus();
    }
}

std::optional<RideCommands::Ridden> RideCommands::selectedTrackOrSay() {
    auto ridden = trackToRide();
    if (!ridden) app_.ask().warning(app_.window, app_.text(kLineRideNoTrack));
    return ridden;
}

void RideCommands::startRiding(const Ridden& ridden) {
    if (endMark_) endMark_->hide();
    lastTrack_ = ridden.number;
    ridden_ = ridden;
}

void RideCommands::ride() {
    const auto ridden = selectedTrackOrSay();
    if (!ridden) return;
    startRiding(*ridden);
    // The ride starts with the bike at its real size, whatever the canvas's zoom.
    view_->start(ridden->track, rideParamsOfBase(app_.BaseFolder), 1.0, ridden->label,
                 bestOf(*ridden));
    showView(true);
}

void RideCommands::replay() {
    // The track of the last ride, whatever is selected now; a new ride when
    // there was none or its track is gone.
    const auto ridden = view_->world() ? trackToRide(lastTrack_) : std::nullopt;
    if (!ridden) return ride();
    if (endMark_) endMark_->hide();
    ridden_ = *ridden;
    view_->replay(ridden->track, rideParamsOfBase(app_.BaseFolder), ridden->label, bestOf(*ridden));
    showView(true);
}

void RideCommands::watchTestRider() {
    const auto ridden = selectedTrackOrSay();
    if (!ridden) return;
    startRiding(*ridden);
    view_->watch(
        ridden->track, rideParamsOfBase(app_.BaseFolder), ridden->label,
        [rider = TestRider()](const RideWorld& w) mutable { return rider.next(w); },
        bestOf(*ridden));
    showView(true);
}

static QString keyFileFolder(const AppContext& app) {
    const QString pack = app.doc.fileName();
    return pack.isEmpty() ? app.BaseFolder : QFileInfo(pack).absolutePath();
}

void RideCommands::rideKeysFromFile() {
    const QString path =
        app_.ask().openFileName(app_.window, app_.text(kLineLoadRideKeys), keyFileFolder(app_),
                                app_.text(kLineKeyFileFilter));
    if (path.isEmpty()) return;
    if (Message why = rideKeysFrom(path); !why.empty())
        app_.ask().warning(app_.window, app_.Lang.say(why));
}

Message RideCommands::rideKeysFrom(const QString& path) {
    const auto ridden = trackToRide();
    if (!ridden) return Message::line(kLineRideNoTrack);
    std::vector<KeyEvent> keys;
    if (Message why = readKeyFile(path, keys); !why.empty()) return why;
    startRiding(*ridden);
    view_->rideKeys(ridden->track, rideParamsOfBase(app_.BaseFolder), ridden->label,
                    std::move(keys), bestOf(*ridden));
    showView(true);
    return {};
}

void RideCommands::saveRideKeys() {
    if (view_->lastKeys().empty() && view_->keysOfRide().empty()) return;
    const QString path =
        app_.ask().saveFileName(app_.window, app_.text(kLineSaveRideKeys), keyFileFolder(app_),
                                app_.text(kLineKeyFileFilter), "keys");
    if (path.isEmpty()) return;
    if (Message why = saveRideKeysTo(path); !why.empty())
        app_.ask().warning(app_.window, app_.Lang.say(why));
}

Message RideCommands::saveRideKeysTo(const QString& path) {
    // The ride shown when it was driven, else the last one that was.
    const auto& keys =
        view_->replaying() || view_->keysOfRide().empty() ? view_->lastKeys() : view_->keysOfRide();
    return writeKeyFile(path, keys);
}

RideRecords RideCommands::records(Message* why) {
    RideRecords all;
    const QString pack = app_.doc.fileName();
    Message unread;
    std::optional<RidesFileLock> lock;
    if (!held_.empty() && !pack.isEmpty()) lock.emplace(ridesPathOf(pack)); // read, merged, written
    if (!pack.isEmpty()) unread = all.load(ridesPathOf(pack));
    if (!held_.empty() && !pack.isEmpty() && unread.empty()) {
        all.merge(held_);
        unread = all.save(ridesPathOf(pack));
        if (unread.empty()) held_ = {};
    }
    all.merge(held_);
    if (why) *why = unread;
    return all;
}

std::optional<BestRide> RideCommands::bestOf(const Ridden& r) {
    if (!r.record) return std::nullopt;
    const RideRecords all = records();
    const BestRide* best = all.bestFor(trackKey(*r.record));
    return best ? std::optional<BestRide>(*best) : std::nullopt;
}

// A finish by hand or by keys (not the test rider's) is the track's best
// ride when it is faster than the one kept.
void RideCommands::keepFinish() {
    if (view_->mode() == RideMode::Watch || !ridden_.record || !view_->world()) return;
    const BestRide ride{int(std::lround(view_->world()->milliseconds())),
                        view_->mode() == RideMode::Person ? "window" : "keys", view_->keysOfRide()};
    const QByteArray key = trackKey(*ridden_.record);
    const QString pack = app_.doc.fileName();
    bool kept = false;
    Message why;
    if (pack.isEmpty())
        kept = held_.offer(key, ride);
    else
        why = recordFinish(pack, *ridden_.record, ride.ms, ride.keys, ride.by, &kept);
    if (!why.empty())
        view_->setNote(app_.text(kLineRideNotKept).arg(app_.Lang.say(why)));
    else if (kept)
        view_->setNote(app_.text(kLineRideNewBest).arg(QString::number(ride.ms / 1000.0, 'f', 2)));
}

void RideCommands::markEnd(RideEnd, QPointF place) {
    auto* canvas = editor_.canvasPanel()->findChild<TrackCanvas*>();
    if (!editor_.isOpen() || !canvas) return;
    if (!endMark_) {
        endMark_ = new EndMark(canvas);
        connect(canvas, &TrackCanvas::zoomChanged, endMark_, [this] { markEnd({}, endPlace_); });
        connect(canvas, &TrackCanvas::fieldChanged, endMark_, [this] { markEnd({}, endPlace_); });
    }
    endPlace_ = place;
    const QPoint at = canvas->fromCanvas(
        QPoint(int(std::lround(place.x())), int(std::lround(place.y())) + editor_.state().YOffset));
    endMark_->move(at - QPoint(8, 8));
    endMark_->show();
    endMark_->raise();
}

std::unique_ptr<CheckJob> RideCommands::checkJob() {
    auto job = std::make_unique<CheckJob>();
    for (int j : app_.doc.Rows.rows())
        if (j != kHeaderRow) job->tracks.emplace_back(j, app_.doc.Tracks[j]);
    job->params = rideParamsOfBase(app_.BaseFolder);
    Message unread;
    job->records = records(&unread);
    if (!unread.empty()) job->before.push_back(unreadableRides(app_.Lang.say(unread)));
    return job;
}

void RideCommands::checkPack() {
    // Over the submission window (modal), the findings are listed there alone.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != check_) {
        CheckWindow over(app_.Lang, modal);
        over.run(checkJob());
        over.exec();
        return;
    }
    if (!check_) {
        check_ = new CheckWindow(app_.Lang, app_.window);
        check_->addAction(CheckPack); // Ctrl+Shift+C there checks again
        connect(check_, &CheckWindow::findingChosen, this, &RideCommands::openFinding);
    }
    check_->run(checkJob());
    check_->show();
    check_->raise();
}

void RideCommands::openFinding(const Finding& f) {
    showView(false);
    if (editor_.isOpen() && editor_.state().CurTrack != f.track) editor_.closeWithoutStoring();
    if (editor_.isOpen() && editor_.state().CurTrack != f.track) return; // the user kept it
    if (!editor_.isOpen()) {
        const int row = app_.doc.Rows.findTrack(f.track);
        if (row < 0) return;
        list_.selectRow(row);
        editor_.openSelectedTrack();
        if (!editor_.isOpen()) return;
    }
    auto* canvas = editor_.canvasPanel()->findChild<TrackCanvas*>();
    auto* box = editor_.canvasPanel()->findChild<QScrollArea*>();
    if (!canvas) return;
    const EditorState& st = editor_.state();
    if (f.kind == FindingKind::NotValidated) return; // the track itself is the subject
    if (f.hint()) { // where the test rider stopped or fell: on the ground at its x, marked
        const QPointF place(f.x, groundY(st, f.x));
        const QPoint at = canvas->fromCanvas(QPoint(f.x, int(std::lround(place.y())) + st.YOffset));
        if (box) box->ensureVisible(at.x(), at.y(), box->width() / 3, box->height() / 3);
        markEnd({}, place);
        return;
    }
    const int node = std::min(f.node, st.NodeCount);
    if (node < 1) return;
    const QPoint at = canvas->fromCanvas(st.node(node) + QPoint(0, st.YOffset));
    if (box) box->ensureVisible(at.x(), at.y(), box->width() / 3, box->height() / 3);
    canvas->carryOut(editor_.nodes().chooseForCorrection(node));
}

} // namespace korvo

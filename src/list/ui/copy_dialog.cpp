#include "list/ui/copy_dialog.h"

#include "draw/map_draw.h"
#include "list/copy_list_model.h"
#include "render/track_preview.h"
#include "text/lang_lines.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include <algorithm>

namespace korvo {

namespace {
constexpr QSize kClientSize(502, 236);
constexpr int kLevWidth = 197; // the window for ".lev" files, without the preview
constexpr QRect kListRect(0, 0, 190, 200);
constexpr QRect kPreviewRect(195, 0, 300, 200);
constexpr QRect kButtonRect(56, 207, 75, 25);
constexpr int kColumnWidth = 180;
} // namespace

CopyTracksDialog::CopyTracksDialog(TrackTable& importTracks, const Rows& rows,
                                   const LangLines& lang, Source source, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      importTracks_(importTracks) {
    setObjectName("Form2");
    setWindowTitle(lang[44]);
    model_ = new CopyListModel(importTracks, rows, lang[45], this);

    copyto = new QTableView(this);
    copyto->setObjectName("copyto");
    copyto->setGeometry(kListRect);
    copyto->setModel(model_);
    copyto->setShowGrid(true);
    copyto->setSelectionMode(QAbstractItemView::ExtendedSelection);
    copyto->setSelectionBehavior(QAbstractItemView::SelectRows);
    copyto->setEditTriggers(QAbstractItemView::NoEditTriggers);
    copyto->setWordWrap(false);
    copyto->verticalHeader()->hide();
    // Fixed row heights: nothing is measured per row, so long lists open at once.
    copyto->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    copyto->verticalHeader()->setDefaultSectionSize(copyto->fontMetrics().height() + 4);
    copyto->horizontalHeader()->setHighlightSections(false);
    copyto->setColumnWidth(0, kColumnWidth);
    copyto->installEventFilter(this);
    connect(copyto, &QAbstractItemView::clicked, this, &CopyTracksDialog::chooseTarget);

    preimg = new QLabel(this);
    preimg->setObjectName("preimg");
    preimg->setGeometry(kPreviewRect);
    preimg->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QImage blank(kPreviewRect.size(), QImage::Format_RGB32);
    blank.fill(Qt::white);
    preimg->setPixmap(QPixmap::fromImage(whiteToTransparent(blank)));

    copyButton = new QPushButton(lang[46], this);
    copyButton->setObjectName("Button1");
    // As wide as its caption needs in the font in use, centred where it stands.
    QRect button = kButtonRect;
    button.setWidth(std::max(kButtonRect.width(), copyButton->sizeHint().width()));
    button.moveCenter(QPoint(kButtonRect.center().x(), kButtonRect.center().y()));
    copyButton->setGeometry(button);
    copyButton->setAutoDefault(false); // Enter in the list ticks rows; it does not copy
    connect(copyButton, &QPushButton::clicked, this, &CopyTracksDialog::copyChosenTracks);

    QSize client = kClientSize;
    if (source == Source::LevFiles) {
        preimg->hide();
        client.setWidth(kLevWidth);
    }
    setFixedSize(client);
}

CopyTracksDialog::~CopyTracksDialog() = default;

const Rows& CopyTracksDialog::rows() const {
    return model_->rows();
}

std::vector<int> CopyTracksDialog::tickedRows() const {
    return model_->tickedRows();
}

int CopyTracksDialog::selectedRow() const {
    int first = -1;
    for (const QModelIndex& i : copyto->selectionModel()->selectedRows())
        if (first < 0 || i.row() < first) first = i.row();
    return first;
}

void CopyTracksDialog::chooseTarget() {
    const int d = model_->trackAt(selectedRow());
    if (d != kHeaderRow && !preimg->isHidden()) drawImportPreview(d);
}

void CopyTracksDialog::drawImportPreview(int d) {
    QImage image(kPreviewRect.size(), QImage::Format_RGB32);
    korvo::drawImportPreview(importTracks_, d, previewState_, image);
    preimg->setPixmap(QPixmap::fromImage(whiteToTransparent(image)));
}

void CopyTracksDialog::listKeyPressed(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        std::vector<int> selected;
        for (const QModelIndex& i : copyto->selectionModel()->selectedRows())
            selected.push_back(i.row());
        model_->tick(selected);
    } else if (key == Qt::Key_Escape) {
        model_->clear();
        reject();
    }
}

void CopyTracksDialog::copyChosenTracks() {
    accept();
}

bool CopyTracksDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != copyto) return QDialog::eventFilter(watched, event);
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool enterOrEscape =
        key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
    if (event->type() == QEvent::KeyPress) {
        // Home and End go to the first and last row of the one-column list,
        // and with Shift extend the selection from the current row there.
        auto* press = static_cast<QKeyEvent*>(event);
        if ((key == Qt::Key_Home || key == Qt::Key_End) &&
            !(press->modifiers() & Qt::ControlModifier)) {
            QAbstractItemModel* m = copyto->model();
            const QModelIndex to = m->index(key == Qt::Key_Home ? 0 : m->rowCount() - 1, 0);
            QItemSelectionModel* sel = copyto->selectionModel();
            if (press->modifiers() & Qt::ShiftModifier) {
                const QModelIndex from =
                    copyto->currentIndex().isValid() ? copyto->currentIndex() : to;
                sel->select(QItemSelection(from, to),
                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
                sel->setCurrentIndex(to, QItemSelectionModel::NoUpdate);
            } else {
                sel->setCurrentIndex(to, QItemSelectionModel::ClearAndSelect |
                                             QItemSelectionModel::Rows);
            }
            copyto->scrollTo(to);
            return true;
        }
        if (!enterOrEscape) return false;
        listKeyPressed(key);
        return true; // the dialog's own Enter and Escape handling stays out of it
    }
    if (!enterOrEscape) chooseTarget();
    return false;
}

} // namespace korvo

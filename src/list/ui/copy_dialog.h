#pragma once
// CopyTracksDialog, the copy dialog: lists the tracks of the second table with check
// boxes (with group header rows for a pack) and previews the track under the
// cursor. Enter ticks the selected rows, Escape closes without copying,
// "Скопировать" (`copyButton`) accepts. The caller copies the ticked rows
// (copyTracks) when exec() returns Accepted and repaints its canvas whenever
// the dialog closes.
//
//   CopyTracksDialog dlg(ImportTracks, importRows, Lang, CopyTracksDialog::Source::Pack, this);
//   if (dlg.exec() == QDialog::Accepted)
//       copy = copyTracks(Tracks, Rows, ImportTracks, dlg.rows(), dlg.tickedRows());

#include "pack/decoded_track.h"
#include "pack/mrg_format.h"

#include <QDialog>
#include <vector>

class QLabel;
class QPushButton;
class QTableView;

namespace korvo {

class CopyListModel;
class LangLines;

class CopyTracksDialog : public QDialog {
    Q_OBJECT
public:
    // Pack: header rows and a 300 x 200 preview. LevFiles: one row per file,
    // a narrow window without the preview.
    enum class Source { Pack, LevFiles };

    // The dialog reads `importTracks` (its previews store AnchorY, as every
    // preview does) for as long as it lives. Captions: lines 44, 45 and 46.
    CopyTracksDialog(TrackTable& importTracks, const Rows& rows, const LangLines& lang,
                     Source source, QWidget* parent = nullptr);
    ~CopyTracksDialog() override;

    // The rows listed, and the ticked ones among them in row order.
    const Rows& rows() const;
    std::vector<int> tickedRows() const;

    // chooseTarget: previews the selected track row; a header row keeps the
    // preview that is shown.
    void chooseTarget();
    // Enter ticks every selected row, Escape empties the list
    // and closes the dialog.
    void listKeyPressed(int key);
    // copyChosenTracks ("Скопировать"): closes the dialog as accepted.
    void copyChosenTracks();

    QTableView* copyto;
    QLabel* preimg;
    QPushButton* copyButton;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The first selected row in row order, or -1.
    int selectedRow() const;
    void drawImportPreview(int d);

    TrackTable& importTracks_;
    CopyListModel* model_;
    DecodedTrack previewState_; // the previewed track's nodes and marks
};

} // namespace korvo

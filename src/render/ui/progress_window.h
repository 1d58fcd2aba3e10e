#pragma once
// ProgressWindow, the progress window of a picture run over the whole pack: a small
// borderless window with "Processing . . ." and a bar from 0 to 130. Its
// texts are not translated.
//
//   ProgressWindow progress(lang, this);
//   const PictureRun run = progress.run([&](const PictureProgress& show) {
//       return makeAllPictures(Tracks, Rows.rows(), imagesFolder, q, Editor, show);
//   });

#include "render/level_pictures.h"
#include "text/lang_lines.h"

#include <QWidget>

class QLabel;
class QProgressBar;

namespace korvo {

class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    explicit ProgressWindow(const LangLines& lang, QWidget* parent = nullptr);

    // Shows the bar at `value` at once (the run holds the event loop).
    void setProgress(int value);

    // Shows the window, runs `work` with a progress callback that moves the
    // bar, and closes the window whatever the outcome.
    PictureRun run(const std::function<PictureRun(const PictureProgress&)>& work);

    QLabel* processingLabel;
    QProgressBar* progressBar;
};

} // namespace korvo

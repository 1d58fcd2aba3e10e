#include "autosave.h"

#include "options.h"

#include <QTimer>

namespace korvo {

bool autosaveDue(int rowsInUse, bool trackOpen) {
    constexpr int kHeaderRows = 3;
    return rowsInUse > kHeaderRows && !trackOpen;
}

void applyAutosave(QTimer& autotime, const Options& options) {
    if (options.autoSaveEnabled && options.autoSavePeriodMs > 0) {
        autotime.start(options.autoSavePeriodMs);
    } else {
        autotime.stop();
        if (options.autoSavePeriodMs > 0) autotime.setInterval(options.autoSavePeriodMs);
    }
}

} // namespace korvo

// Settings, language and recent files at start-up. The settings work reads
// "opt.ini" and the language file here; until then the program runs with
// the built-in Russian texts, the flat list, and no recent-files list.
#include "main_window.h"

namespace korvo {

// LoadOptions: ViewMode comes from the setting VList; a view mode given to the
// constructor (tests, benchmarks) wins over it.
void TForm1::LoadOptions() {
    ViewMode = requestedViewMode_ == kTreeView ? kTreeView : kListView;
}

// CreateIni2Menu: the recent packs submenu N18.
void TForm1::CreateIni2Menu() {}

// Loadlang: re-captions the window from the chosen language file.
void TForm1::Loadlang() {}

// Records `path` as the most recent pack.
void TForm1::addRecentFile(const QString& /*path*/) {}

} // namespace korvo

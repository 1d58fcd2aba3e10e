#pragma once
// Which language line sets which text of which window. Applying a language is
// one loop over this table: find the element by its objectName inside its
// window and set the text the binding names.
//
// Names the windows must give their elements:
// - main window: the menus and menu actions `N1`, `N4`, ... (a submenu may be
//   the QMenu or its action), tool buttons or tool bar actions `UpItem`, ...,
//   labels, buttons, group boxes as named below, the memo `Memo2`, the
//   properties tables `TrackProp` and `TP2` (QTableWidget, keys in column 0),
//   and the QLabel of status bar panel 1 `StatusPanel1` (panels are counted
//   from 0; the main window names its panel labels `StatusPanel0`..`StatusPanel4`).
// - options dialog: `OptionsDialog` itself and its controls.
// - about box: `AboutBox` itself and `GotoSite`.

#include <QString>
#include <QStringList>
#include <span>

namespace korvo {

enum class LangForm { Main, Options, About };

enum class LangTarget {
    Caption,     // text of an action, label, button; title of a menu or group box
    Hint,        // tool tip
    WindowTitle, // caption of the window itself
    RowKey,      // key (column 0) of a row of a properties table
    Notice,      // caption followed by the contact list (`N5`)
};

struct LangBinding {
    int line;
    LangForm form;
    LangTarget target;
    const char* objectName;
    int row = 0; // RowKey only
};

// Every element a language sets, in ascending line order.
std::span<const LangBinding> langBindings();

// Line 11 followed by the contact addresses, space-led and comma-separated.
QString noticeCaption(const QString& line11, const QStringList& contacts);

} // namespace korvo

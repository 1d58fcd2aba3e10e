#pragma once
// Alt mnemonics for every menu item, menu title and button of a window, in
// whatever language its texts are: a text keeps the "&" letter its language
// line gives it while no earlier text of the same menu or window took that
// letter; otherwise, and for texts without one, the first free letter or
// digit (a word's first letter before the others) gets it.

#include <QString>
#include <QStringList>

class QMenu;
class QWidget;

namespace korvo {

// The texts of one menu or window with mnemonics unique among them.
QStringList withMnemonics(const QStringList& texts);
// The text without its mnemonic marker ("&&" stays a single "&").
QString withoutMnemonic(const QString& text);

// Gives the window's menu bar titles, the items of every menu it owns and its
// buttons mnemonics now, and the menus again each time one opens (their
// items may have changed their texts: undo steps, recent files).
void keepMnemonics(QWidget* window);
// The same for each of the program's own windows as it is shown (Qt's file
// dialogs and message boxes bring their own). Once per application.
void keepMnemonicsOnShow();

} // namespace korvo

#pragma once
// Keyboard reach of the program's windows, in whatever language their texts
// are.
//
// Alt letters: each window hands out one pool of letters to everything that
// takes one there: its menu bar titles, buttons, check boxes, radio buttons,
// labels with a buddy, tabs, and group boxes (a box takes one when its title
// brings one or nothing inside it takes one: the box then stands for the field
// it frames). A text keeps the "&" letter its language line gives it while
// nothing earlier in the pool took that letter; otherwise, and for texts
// without one, it gets a free letter or digit of its own text (one of its
// script, a word's first letter, before the others), as many texts as can
// get one. Titles in the menu bar come first, then buttons, check boxes and
// radio buttons, group boxes, labels and tabs. Two panels that are never shown
// together (showsInPlaceOfSiblings()) may use the same letters; what lies
// outside them keeps its letters in both. Each menu is a pool of its own.
//
// Tool bars: their buttons take the focus from Tab (never from a click), and
// the tip of a button whose command has a shortcut names it: "Undo (Ctrl+Z)".

#include <QString>
#include <QStringList>

class QWidget;

namespace korvo {

// The texts of one menu or window with mnemonics unique among them.
QStringList withMnemonics(const QStringList& texts);
// The text without its mnemonic marker ("&&" stays a single "&").
QString withoutMnemonic(const QString& text);

// Says that `panel` is shown only while the other widgets of its parent are
// hidden, and they only while it is hidden: Alt letters inside it may repeat
// those inside them.
void showsInPlaceOfSiblings(QWidget* panel);

// Gives the window's Alt letters now, the items of every menu it owns their
// letters now and again each time one opens (their texts may have changed:
// undo steps, recent files), and makes its tool bars reachable by keyboard.
void keepMnemonics(QWidget* window);
// The same for each of the program's own windows and each message box as it
// is shown (Qt's file dialogs bring their own). Once per application.
void keepMnemonicsOnShow();

} // namespace korvo

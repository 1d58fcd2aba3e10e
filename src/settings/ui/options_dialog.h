#pragma once
// The options dialog ("Опции", main menu "Настройки"). Each showing starts
// from what "opt.ini" holds; Apply writes the file and puts the settings into
// force, Cancel discards everything.

#include "settings/options.h"

#include <QDialog>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class QVBoxLayout;

namespace korvo {

class ColorBox;
class LangLines;

// What the main window does during Apply.
struct OptionsHooks {
    // After `Lang` has been set: reload the language and re-caption the
    // windows (`loadLanguage`), this dialog included.
    std::function<void()> languageChanged;
    // Once everything is in force, before the box that says so: the canvas's
    // colours and the status bar's mode texts in the new language.
    std::function<void()> applied;
};

class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    // `options` and `lang` are the main window's; `autotime` (may be null)
    // is the autosave timer Apply puts the new period into.
    OptionsDialog(QString baseFolder, Options& options, const LangLines& lang, QTimer* autotime,
                  QWidget* parent = nullptr);

    void setHooks(OptionsHooks hooks) { hooks_ = std::move(hooks); }

    // Fills the controls from "opt.ini"; runs at every showing.
    void showCurrentValues();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLeftColumn(QVBoxLayout* column);
    void buildRightColumn(QVBoxLayout* column);
    QGroupBox* buildColours();
    void fillLanguages(const QString& Lang);
    void autosaveToggled();
    void applyOptions();
    void closeOptions();
    std::optional<int> validMinutes();
    OptionsChoice choice() const;
    OptionsChoice shown_; // the values as the dialog showed them: Apply writes what changed
    void showValues(const Options& o);
    void showColours(const Options& o);

    QString base_;
    Options& options_;
    const LangLines& lang_;
    QTimer* autotime_;
    OptionsHooks hooks_;

    QCheckBox* cb_autotime;
    QWidget* minutesGroup; // the minutes box and its label
    QLineEdit* at_int;
    QRadioButton *newAtStartRadio_, *newAtEndRadio_, *riderDotRadio_, *riderSpriteRadio_,
        *listViewRadio_, *treeViewRadio_;
    QComboBox* Langlist;
    ColorBox *bg1, *bg2, *bg3, *line1, *line2, *line3, *node1;
    QPushButton *applyopt, *closeopt;
};

} // namespace korvo

#pragma once
// SubmissionWindow, "Отправка уровня на сайт": a pack, the author's nick and
// e-mail, a level name and a note go into
// "tomail/levels.zip", which is kept there or mailed to the submission
// mailbox while a coloured, time-stamped log shows the progress. The mailing
// runs on the event loop: the window stays responsive, and "Ok" stays off
// until the run has ended.

#include "dist/submission_texts.h"

#include <QDialog>
#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QLabel;
class QTextEdit;

namespace korvo {

class LangLines;
class LevelSubmission;

// What the window needs to know of the pack open in the editor.
struct OpenPackState {
    std::function<QString()> fileName; // PackFileName: the pack as last saved
    std::function<bool()> hasTracks;   // the view in use holds more than its 3 header rows
    std::function<bool()> modified;    // it has changes not saved
    std::function<bool()> save;        // File > Save; true when it was saved
};

class SubmissionWindow : public QDialog {
    Q_OBJECT
public:
    SubmissionWindow(QString baseFolder, OpenPackState openPack, const LangLines& lang,
                     QWidget* parent = nullptr);

    // Runs at every showing: fills the author fields from [Author] of
    // "opt.ini" unless one of them holds text already.
    void showCurrentValues();
    void choosePackFile(); // "Обзор...": choose the pack file
    void otherPackChosen();
    void openPackChosen();
    void runSubmission(); // "Ok": run the submission
    // Appends a time-stamped line to the log, keeping at most 2000 lines.
    void AddMessage(const QString& text, const QColor& colour);

    // Takes the captions from the language lines again (after a change of language).
    void retranslate();

    // A run is going on (sendButton_ is off).
    bool running() const;

    // The pack file a run would send now: the open pack's, or the one chosen;
    // empty when none.
    QString packToSend() const;
    // Asked with that pack before a run starts: false stops it. The editor
    // sets it (whether the tracks were all finished in a test ride).
    std::function<bool(const QString& packPath)> beforeSend;

    static constexpr int kMaxLogLines = 2000;

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void buildControls();
    void runEnded();
    void showMessage(const QString& text);
    bool openPackReady();

    QString base_;
    OpenPackState openPack_;
    const LangLines& lang_;
    LevelSubmission* submission_; // the submission run: SMTP client and message

    QRadioButton *openPackRadio_, *otherPackRadio_, *SendtoDisk, *SendtoMail;
    QLineEdit *LevFilePath, *nameauth, *emailauth, *nameLev;
    QPlainTextEdit* note;
    QLabel* requiredFieldsLabel_;
    QTextEdit* LogMemo;
    QPushButton *browseButton_, *sendButton_;
};

} // namespace korvo

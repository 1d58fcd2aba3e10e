#include "submission_window.h"

#include "dist/level_submission.h"
#include "settings/ini_file.h"
#include "settings/options.h"
#include "settings/ui/file_dialogs.h"
#include "text/lang_added.h"
#include "text/lang_lines.h"

#include <QButtonGroup>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTime>
#include <QVBoxLayout>

namespace korvo {

namespace {

template <class W> W* named(const char* name, QWidget* parent) {
    auto* w = new W(parent);
    w->setObjectName(name);
    return w;
}

} // namespace

SubmissionWindow::SubmissionWindow(QString baseFolder, OpenPackState openPack,
                                   const LangLines& lang, QWidget* parent)
    : QDialog(parent), base_(std::move(baseFolder)), openPack_(std::move(openPack)), lang_(lang) {
    setObjectName("Tlevtomail_f");
    // A fixed border with only the system menu.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    submission_ = new LevelSubmission(base_, lang_, this);
    submission_->setObjectName("IdSMTP1");
    buildControls();
    retranslate();
    connect(submission_, &LevelSubmission::message, this, &SubmissionWindow::showMessage);
    connect(submission_, &LevelSubmission::logLine, this,
            [this](const QString& text, LogColour c) { AddMessage(text, logColour(c)); });
    connect(submission_, &LevelSubmission::finished, this, &SubmissionWindow::runEnded);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void SubmissionWindow::buildControls() {
    openPackRadio_ = named<QRadioButton>("RadioButton4", this);
    otherPackRadio_ = named<QRadioButton>("RadioButton3", this);
    otherPackRadio_->setChecked(true);
    auto* source = new QButtonGroup(this);
    source->addButton(openPackRadio_);
    source->addButton(otherPackRadio_);
    LevFilePath = named<QLineEdit>("LevFilePath", this);
    browseButton_ = named<QPushButton>("Button1", this);
    nameauth = named<QLineEdit>("nameauth", this);
    emailauth = named<QLineEdit>("emailauth", this);
    nameLev = named<QLineEdit>("nameLev", this);
    note = named<QPlainTextEdit>("note", this);
    note->setFixedHeight(70);
    requiredFieldsLabel_ = named<QLabel>("StaticText2", this);
    requiredFieldsLabel_->setStyleSheet("color: rgb(255,0,0); font-size: 8pt");
    SendtoDisk = named<QRadioButton>("SendtoDisk", this);
    SendtoMail = named<QRadioButton>("SendtoMail", this);
    SendtoMail->setChecked(true);
    auto* target = new QButtonGroup(this);
    target->addButton(SendtoDisk);
    target->addButton(SendtoMail);
    LogMemo = named<QTextEdit>("LogMemo", this);
    LogMemo->setReadOnly(true);
    LogMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    LogMemo->setFixedSize(420, 160);
    sendButton_ = named<QPushButton>("Button2", this);
    sendButton_->setDefault(true);

    auto* file = new QHBoxLayout;
    file->addWidget(LevFilePath);
    file->addWidget(browseButton_);
    auto* fields = new QFormLayout;
    const std::pair<const char*, QWidget*> rows[] = {{"LabelNick", nameauth},
                                                     {"LabelEmail", emailauth},
                                                     {"LabelLevel", nameLev},
                                                     {"LabelNote", note}};
    for (auto [name, field] : rows) {
        auto* label = named<QLabel>(name, this);
        label->setBuddy(field); // its Alt letter reaches the field
        fields->addRow(label, field);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(openPackRadio_);
    layout->addWidget(otherPackRadio_);
    layout->addLayout(file);
    layout->addLayout(fields);
    layout->addWidget(requiredFieldsLabel_);
    layout->addWidget(SendtoDisk);
    layout->addWidget(SendtoMail);
    layout->addWidget(LogMemo);
    layout->addWidget(sendButton_, 0, Qt::AlignRight);

    connect(browseButton_, &QPushButton::clicked, this, &SubmissionWindow::choosePackFile);
    connect(otherPackRadio_, &QRadioButton::clicked, this, &SubmissionWindow::otherPackChosen);
    connect(openPackRadio_, &QRadioButton::clicked, this, &SubmissionWindow::openPackChosen);
    connect(sendButton_, &QPushButton::clicked, this, &SubmissionWindow::runSubmission);
}

void SubmissionWindow::retranslate() {
    setWindowTitle(lang_[kLineSendLevelCommand]);
    const std::pair<const char*, int> captions[] = {{"RadioButton4", kLineSendOpenPack},
                                                    {"RadioButton3", kLineSendOtherPack},
                                                    {"Button1", kLineBrowse},
                                                    {"LabelNick", kLineAuthorNick},
                                                    {"LabelEmail", kLineAuthorEmail},
                                                    {"LabelLevel", kLineLevelName},
                                                    {"LabelNote", kLineNote},
                                                    {"StaticText2", kLineRequiredFields},
                                                    {"SendtoDisk", kLineKeepArchive},
                                                    {"SendtoMail", kLineMailArchive},
                                                    {"Button2", kLineSubmitButton}};
    for (auto [name, line] : captions) findChild<QWidget*>(name)->setProperty("text", lang_[line]);
}

void SubmissionWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    showCurrentValues();
}

void SubmissionWindow::showCurrentValues() {
    if (!nameauth->text().isEmpty() || !emailauth->text().isEmpty()) return;
    const QString ini = optionsPath(base_);
    // No author yet shows empty fields ("0" is what older versions stored then).
    for (auto [field, key] : {std::pair{nameauth, "Name"}, std::pair{emailauth, "Email"}}) {
        const QString stored = ReadString("Author", key, ini, "");
        field->setText(stored == "0" ? QString() : stored);
    }
    LevFilePath->clear();
    nameLev->clear();
    LogMemo->clear();
    SendtoMail->setChecked(true);
}

void SubmissionWindow::choosePackFile() {
    const QString chosen = chooseFileToOpen(this, QString(), base_, "*.mrg (*.mrg)");
    if (!chosen.isEmpty()) LevFilePath->setText(QDir::toNativeSeparators(chosen));
}

void SubmissionWindow::otherPackChosen() {
    LevFilePath->setEnabled(true);
    browseButton_->setEnabled(true);
}

void SubmissionWindow::openPackChosen() {
    LevFilePath->setEnabled(false);
    browseButton_->setEnabled(false);
}

QString SubmissionWindow::packToSend() const {
    if (otherPackRadio_->isChecked()) return QDir::fromNativeSeparators(LevFilePath->text());
    const bool open = openPackRadio_->isChecked() && openPack_.hasTracks && openPack_.hasTracks();
    return open && openPack_.fileName ? openPack_.fileName() : QString();
}

void SubmissionWindow::runSubmission() {
    if (submission_->running()) return;
    const bool other = otherPackRadio_->isChecked();
    const bool chosen =
        (other && !LevFilePath->text().isEmpty()) ||
        (openPackRadio_->isChecked() && openPack_.hasTracks && openPack_.hasTracks());
    if (chosen && !other && !openPackReady()) return;
    SubmissionRequest r;
    if (chosen) r.packPath = packToSend();
    if (!r.packPath.isEmpty() && beforeSend && !beforeSend(r.packPath)) return;
    sendButton_->setEnabled(false);
    r.nick = nameauth->text();
    r.email = emailauth->text();
    r.levelName = nameLev->text();
    r.note = note->toPlainText();
    r.mail = SendtoMail->isChecked();
    submission_->start(r); // an empty pack path ends in "Не выбран файл."
}

// The open pack goes as its file: with changes not saved, the user says
// whether to save it first, to send the file as it was saved, or neither.
bool SubmissionWindow::openPackReady() {
    if (!openPack_.modified || !openPack_.modified()) return true;
    QMessageBox box(QMessageBox::Question, windowTitle(), lang_[kLineSendUnsavedQuestion],
                    QMessageBox::Cancel, this);
    QPushButton* save = box.addButton(lang_[kLineSendSaveFirst], QMessageBox::AcceptRole);
    save->setObjectName("SaveFirst");
    QPushButton* asSaved = box.addButton(lang_[kLineSendAsSaved], QMessageBox::AcceptRole);
    asSaved->setObjectName("SendAsSaved");
    box.setDefaultButton(save);
    box.exec();
    if (box.clickedButton() == asSaved) return true;
    return box.clickedButton() == save && openPack_.save && openPack_.save();
}

void SubmissionWindow::runEnded() {
    sendButton_->setEnabled(true);
}

bool SubmissionWindow::running() const {
    return submission_->running();
}

void SubmissionWindow::showMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, windowTitle(), text, QMessageBox::Ok, this);
    box.exec();
}

void SubmissionWindow::AddMessage(const QString& text, const QColor& colour) {
    QTextDocument* doc = LogMemo->document();
    while (doc->blockCount() > kMaxLogLines) {
        QTextCursor first(doc->firstBlock());
        first.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
        first.removeSelectedText();
    }
    QTextCursor end(doc);
    end.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setForeground(colour);
    end.insertBlock();
    end.insertText(logTimeText(QTime::currentTime()) + " " + text, format);
    LogMemo->verticalScrollBar()->setValue(LogMemo->verticalScrollBar()->maximum());
}

void SubmissionWindow::reject() {
    // Closing the window stops a run that is mailing.
    submission_->cancel();
    QDialog::reject();
}

} // namespace korvo

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
    IdSMTP1 = new LevelSubmission(base_, this);
    IdSMTP1->setObjectName("IdSMTP1");
    buildControls();
    retranslate();
    connect(IdSMTP1, &LevelSubmission::message, this, &SubmissionWindow::showMessage);
    connect(IdSMTP1, &LevelSubmission::logLine, this,
            [this](const QString& text, LogColour c) { AddMessage(text, logColour(c)); });
    connect(IdSMTP1, &LevelSubmission::finished, this, &SubmissionWindow::runEnded);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void SubmissionWindow::buildControls() {
    RadioButton4 = named<QRadioButton>("RadioButton4", this);
    RadioButton3 = named<QRadioButton>("RadioButton3", this);
    RadioButton3->setChecked(true);
    auto* source = new QButtonGroup(this);
    source->addButton(RadioButton4);
    source->addButton(RadioButton3);
    LevFilePath = named<QLineEdit>("LevFilePath", this);
    Button1 = named<QPushButton>("Button1", this);
    nameauth = named<QLineEdit>("nameauth", this);
    emailauth = named<QLineEdit>("emailauth", this);
    nameLev = named<QLineEdit>("nameLev", this);
    note = named<QPlainTextEdit>("note", this);
    note->setFixedHeight(70);
    StaticText2 = named<QLabel>("StaticText2", this);
    StaticText2->setStyleSheet("color: rgb(255,0,0); font-size: 8pt");
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
    Button2 = named<QPushButton>("Button2", this);
    Button2->setDefault(true);

    auto* file = new QHBoxLayout;
    file->addWidget(LevFilePath);
    file->addWidget(Button1);
    auto* fields = new QFormLayout;
    fields->addRow(named<QLabel>("LabelNick", this), nameauth);
    fields->addRow(named<QLabel>("LabelEmail", this), emailauth);
    fields->addRow(named<QLabel>("LabelLevel", this), nameLev);
    fields->addRow(named<QLabel>("LabelNote", this), note);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RadioButton4);
    layout->addWidget(RadioButton3);
    layout->addLayout(file);
    layout->addLayout(fields);
    layout->addWidget(StaticText2);
    layout->addWidget(SendtoDisk);
    layout->addWidget(SendtoMail);
    layout->addWidget(LogMemo);
    layout->addWidget(Button2, 0, Qt::AlignRight);

    connect(Button1, &QPushButton::clicked, this, &SubmissionWindow::choosePackFile);
    connect(RadioButton3, &QRadioButton::clicked, this, &SubmissionWindow::chooseOpenPack);
    connect(RadioButton4, &QRadioButton::clicked, this, &SubmissionWindow::chooseOtherPack);
    connect(Button2, &QPushButton::clicked, this, &SubmissionWindow::runSubmission);
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

void SubmissionWindow::chooseOpenPack() {
    LevFilePath->setEnabled(true);
    Button1->setEnabled(true);
}

void SubmissionWindow::chooseOtherPack() {
    LevFilePath->setEnabled(false);
    Button1->setEnabled(false);
}

void SubmissionWindow::runSubmission() {
    if (IdSMTP1->running()) return;
    const bool other = RadioButton3->isChecked();
    const bool chosen = (other && !LevFilePath->text().isEmpty()) ||
                        (RadioButton4->isChecked() && openPack_.hasTracks && openPack_.hasTracks());
    if (chosen && !other && !openPackReady()) return;
    Button2->setEnabled(false);
    SubmissionRequest r;
    if (chosen)
        r.packPath = other ? QDir::fromNativeSeparators(LevFilePath->text())
                           : (openPack_.fileName ? openPack_.fileName() : QString());
    r.nick = nameauth->text();
    r.email = emailauth->text();
    r.levelName = nameLev->text();
    r.note = note->toPlainText();
    r.mail = SendtoMail->isChecked();
    IdSMTP1->start(r); // an empty pack path ends in "Не выбран файл."
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
    Button2->setEnabled(true);
}

bool SubmissionWindow::running() const {
    return IdSMTP1->running();
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
    IdSMTP1->cancel();
    QDialog::reject();
}

} // namespace korvo

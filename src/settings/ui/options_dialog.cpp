#include "options_dialog.h"

#include "color_box.h"
#include "settings/autosave.h"
#include "settings/ini_file.h"
#include "text/lang_added.h"
#include "text/lang_lines.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace korvo {

namespace {

template <class W> W* named(const char* name, const char* text, QWidget* parent) {
    auto* w = new W(QString::fromUtf8(text), parent);
    w->setObjectName(name);
    return w;
}

QGroupBox* radioGroup(const char* name, const char* title, QRadioButton* a, QRadioButton* b) {
    auto* box = named<QGroupBox>(name, title, nullptr);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(a);
    layout->addWidget(b);
    return box;
}

// "0" checks the first button, "1" the second; other values leave both.
void setRadio(const QString& value, QRadioButton* first, QRadioButton* second) {
    const int v = iniInt(value, -1);
    if (v == 0) first->setChecked(true);
    if (v == 1) second->setChecked(true);
}

} // namespace

OptionsDialog::OptionsDialog(QString baseFolder, Options& options, const LangLines& lang,
                             QTimer* autotime, QWidget* parent)
    : QDialog(parent), base_(std::move(baseFolder)), options_(options), lang_(lang),
      autotime_(autotime) {
    setObjectName("Toptions_f");
    setWindowTitle(QString::fromUtf8("Опции"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    buildLeftColumn(left);
    buildRightColumn(right);
    columns->addLayout(left);
    columns->addLayout(right);

    applyopt = named<QPushButton>("applyopt", "Применить", this);
    closeopt = named<QPushButton>("closeopt", "Отмена", this);
    applyopt->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(applyopt);
    buttons->addWidget(closeopt);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // fixed border, follows the captions
    layout->addLayout(columns);
    layout->addLayout(buttons);

    connect(cb_autotime, &QCheckBox::clicked, this, &OptionsDialog::autosaveToggled);
    connect(applyopt, &QPushButton::clicked, this, &OptionsDialog::applyOptions);
    connect(closeopt, &QPushButton::clicked, this, &OptionsDialog::closeOptions);
}

void OptionsDialog::buildLeftColumn(QVBoxLayout* column) {
    cb_autotime = named<QCheckBox>("cb_autotime", "Время автосохранения", this);
    minutesGroup = new QWidget(this);
    minutesGroup->setObjectName("minutesGroup");
    at_int = new QLineEdit(minutesGroup);
    at_int->setObjectName("at_int");
    at_int->setFixedWidth(60);
    auto* minutes = new QHBoxLayout(minutesGroup);
    minutes->setContentsMargins(20, 0, 0, 0);
    auto* unit = named<QLabel>("Label1", "Мин.", minutesGroup);
    unit->setBuddy(at_int); // its Alt letter reaches the minutes
    minutes->addWidget(at_int);
    minutes->addWidget(unit);
    minutes->addStretch();

    newAtStartRadio_ = named<QRadioButton>("RadioButton1", "... помещать в начало списка", this);
    newAtEndRadio_ = named<QRadioButton>("RadioButton2", "... помещать в конец списка", this);
    newAtStartRadio_->setEnabled(false);
    newAtEndRadio_->setChecked(true);

    auto* language = named<QGroupBox>("GroupBox5", " Язык интерфейса  ", this);
    Langlist = new QComboBox(language);
    Langlist->setObjectName("Langlist");
    (new QVBoxLayout(language))->addWidget(Langlist);

    column->addWidget(cb_autotime);
    column->addWidget(minutesGroup);
    column->addWidget(radioGroup("GroupBox6", " При добавлении нового уровня ", newAtStartRadio_,
                                 newAtEndRadio_));
    column->addWidget(language);
    column->addStretch();
}

void OptionsDialog::buildRightColumn(QVBoxLayout* column) {
    riderDotRadio_ = named<QRadioButton>("RadioButton3", "Точка", this);
    riderSpriteRadio_ = named<QRadioButton>("RadioButton4", "Моделька мотика", this);
    listViewRadio_ = named<QRadioButton>("RadioButton5", "Стандартный", this);
    treeViewRadio_ = named<QRadioButton>("RadioButton6", "Древовидный", this);
    riderDotRadio_->setChecked(true);
    listViewRadio_->setChecked(true);
    column->addWidget(buildColours());
    column->addWidget(radioGroup("GroupBox1", " Вид мотика ", riderDotRadio_, riderSpriteRadio_));
    column->addWidget(radioGroup("GroupBox2", " Вид списка ", listViewRadio_, treeViewRadio_));
    column->addStretch();
}

QGroupBox* OptionsDialog::buildColours() {
    auto* box = named<QGroupBox>("GroupBox7", " Цветовая схема ", this);
    auto* grid = new QGridLayout(box);
    int row = 0;
    auto heading = [&](const char* name, const char* text) {
        auto* label = named<QLabel>(name, text, box);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        grid->addWidget(label, row++, 0, 1, 2);
    };
    auto colour = [&](const char* label, const char* text, const char* name) {
        auto* cb = new ColorBox(lang_, box);
        cb->setObjectName(name);
        auto* caption = named<QLabel>(label, text, box);
        caption->setBuddy(cb);
        grid->addWidget(caption, row, 0);
        grid->addWidget(cb, row++, 1);
        return cb;
    };
    heading("Label11", "Режим просмотра");
    bg1 = colour("Label12", "Цвет фона", "bg1");
    line1 = colour("Label13", "Цвет линий", "line1");
    heading("Label14", "Режим редактирования");
    bg2 = colour("Label15", "Цвет фона", "bg2");
    line2 = colour("Label16", "Цвет линий", "line2");
    node1 = colour("Label2", "Цвет узла", "node1");
    heading("Label17", "Режим нового трека");
    bg3 = colour("Label20", "Цвет фона", "bg3");
    line3 = colour("Label21", "Цвет линий", "line3");
    return box;
}

void OptionsDialog::showEvent(QShowEvent* event) {
    showCurrentValues();
    QDialog::showEvent(event);
}

void OptionsDialog::showCurrentValues() {
    const std::optional<IniText> ini = readIniFile(optionsPath(base_));
    if (!ini) {
        showValues(options_); // an unreadable file: show what is in force
        shown_ = choice();
        return;
    }
    auto read = [&](const char* section, const char* key) {
        return ini->readString(section, key, "0");
    };
    const bool autosave = read("AutoSave", "AutoSave") == "1";
    cb_autotime->setChecked(autosave);
    if (autosave) at_int->setText(read("AutoSave", "Savetime"));
    minutesGroup->setEnabled(autosave);
    fillLanguages(read("Options", "Lang"));
    setRadio(read("Options", "NewLevel"), newAtStartRadio_, newAtEndRadio_);
    setRadio(read("Options", "VMoto"), riderDotRadio_, riderSpriteRadio_);
    setRadio(read("Options", "VList"), listViewRadio_, treeViewRadio_);
    Options colours;
    readOptions(*ini, colours);
    showColours(colours);
    shown_ = choice();
}

void OptionsDialog::showValues(const Options& o) {
    cb_autotime->setChecked(o.autoSaveEnabled);
    if (o.autoSaveEnabled) at_int->setText(QString::number(o.autoSavePeriodMs / 60000));
    minutesGroup->setEnabled(o.autoSaveEnabled);
    fillLanguages(o.Lang);
    setRadio(QString::number(o.NewLevel), newAtStartRadio_, newAtEndRadio_);
    setRadio(QString::number(o.VMoto), riderDotRadio_, riderSpriteRadio_);
    setRadio(QString::number(o.ViewMode), listViewRadio_, treeViewRadio_);
    showColours(o);
}

void OptionsDialog::showColours(const Options& o) {
    bg1->setColor(o.BG1);
    bg2->setColor(o.BG2);
    bg3->setColor(o.BG3);
    line1->setColor(o.Line1);
    line2->setColor(o.Line2);
    line3->setColor(o.Line3);
    node1->setColor(o.Node1);
}

void OptionsDialog::fillLanguages(const QString& Lang) {
    Langlist->clear();
    const QDir dir(QDir(base_).filePath("lang"));
    Langlist->addItems(dir.entryList({"*.lng"}, QDir::Files, QDir::Name | QDir::IgnoreCase));
    int selected = -1;
    for (int i = 0; i < Langlist->count() && selected < 0; ++i)
        if (Langlist->itemText(i).compare(Lang, Qt::CaseInsensitive) == 0) selected = i;
    Langlist->setCurrentIndex(selected);
}

void OptionsDialog::autosaveToggled() {
    minutesGroup->setEnabled(cb_autotime->isChecked());
}

std::optional<int> OptionsDialog::validMinutes() {
    bool ok = false;
    const int minutes = at_int->text().trimmed().toInt(&ok, 10);
    if (ok && minutes >= 1 && minutes <= kMaxAutosaveMinutes) return minutes;
    QMessageBox::warning(this, windowTitle(), lang_[kLineBadAutosavePeriod]);
    at_int->setFocus();
    return std::nullopt;
}

// Steps 1 to 7 of Apply: the controls' values.
OptionsChoice OptionsDialog::choice() const {
    OptionsChoice c;
    Options& o = c.values;
    o = options_;
    o.autoSaveEnabled = cb_autotime->isChecked();
    c.savetime = at_int->text();
    if (newAtStartRadio_->isChecked()) o.NewLevel = kNewTrackAtStart;
    if (newAtEndRadio_->isChecked()) o.NewLevel = kNewTrackAtEnd;
    o.Lang = Langlist->currentIndex() >= 0 ? Langlist->currentText() : QString();
    if (riderDotRadio_->isChecked()) o.VMoto = kRiderDot;
    if (riderSpriteRadio_->isChecked()) o.VMoto = kRiderSprite;
    c.VList = treeViewRadio_->isChecked() ? kViewTree : kViewList;
    o.BG1 = bg1->color();
    o.BG2 = bg2->color();
    o.BG3 = bg3->color();
    o.Line1 = line1->color();
    o.Line2 = line2->color();
    o.Line3 = line3->color();
    o.Node1 = node1->color();
    return c;
}

// Apply: the file is written once, atomically; only then are the settings
// put into force. A failed write changes nothing and leaves the dialog open.
void OptionsDialog::applyOptions() {
    if (cb_autotime->isChecked() && !validMinutes()) return;
    const OptionsChoice chosen = choice();
    Message error;
    if (!writeOptions(optionsPath(base_), chosen, &error, &shown_)) {
        QMessageBox::critical(
            this, windowTitle(),
            lang_[kLineOptionsNotSaved].arg(lang_.say(error)).replace("\r\n", "\n"));
        return;
    }
    useOptionsChoice(chosen, options_);
    if (autotime_) applyAutosave(*autotime_, options_);
    if (hooks_.languageChanged) hooks_.languageChanged();
    if (hooks_.applied) hooks_.applied(); // in force, and shown so, as the box says it
    QMessageBox box(QMessageBox::NoIcon,
                    parentWidget() ? parentWidget()->window()->windowTitle() : windowTitle(),
                    QString(lang_[88]).replace("\r\n", "\n"), QMessageBox::Ok, this);
    box.exec();
    accept();
}

void OptionsDialog::closeOptions() {
    reject();
}

} // namespace korvo

#include "editor/ui/track_properties_panel.h"

#include "pack/templates.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace korvo {

namespace {

constexpr int kKeyColumnMax = 128; // the value column keeps the rest of the 188 pixels
constexpr int kRowHeight = 18;
constexpr int kPlayerButtonWidth = 40;
const QColor kStartColor(0, 128, 0); // the flag colours of the canvas
const QColor kFinishColor(255, 0, 0);

QString ru(const char* utf8) {
    return QString::fromUtf8(utf8);
}

template <class W> W* named(W* w, const char* name) {
    w->setObjectName(name);
    return w;
}

// A table whose Tab goes on to the next control, from its cell editor too.
class ControlTable : public QTableWidget {
public:
    using QTableWidget::QTableWidget;

protected:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override {
        const bool tab = hint == QAbstractItemDelegate::EditNextItem ||
                         hint == QAbstractItemDelegate::EditPreviousItem;
        QTableWidget::closeEditor(editor, tab ? QAbstractItemDelegate::NoHint : hint);
        if (tab) focusNextPrevChild(hint == QAbstractItemDelegate::EditNextItem);
    }
};

// A two-row table: the key in column 0 (fixed), the value in column 1.
QTableWidget* keyValueTable(const char* name, const char* key0, const char* key1, QWidget* parent) {
    auto* t = named(new ControlTable(2, 2, parent), name);
    t->horizontalHeader()->hide();
    t->verticalHeader()->hide();
    t->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t->verticalHeader()->setDefaultSectionSize(kRowHeight);
    t->horizontalHeader()->setStretchLastSection(true);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::AllEditTriggers);
    t->setTabKeyNavigation(false); // Tab goes on to the next control
    // The keys stay in view: a focused value cell never scrolls them away.
    QScrollBar* sideways = t->horizontalScrollBar();
    QObject::connect(sideways, &QScrollBar::valueChanged, t, [sideways](int at) {
        if (at != 0) sideways->setValue(0);
    });
    t->setFixedHeight(2 * kRowHeight + 2 * t->frameWidth());
    const char* keys[] = {key0, key1};
    for (int row = 0; row < 2; ++row) {
        auto* key = new QTableWidgetItem(ru(keys[row]));
        key->setFlags(Qt::ItemIsEnabled);
        t->setItem(row, 0, key);
        t->setItem(row, 1, new QTableWidgetItem);
    }
    t->resizeColumnToContents(0);
    t->setColumnWidth(0, std::min(t->columnWidth(0), kKeyColumnMax));
    return t;
}

// A button as wide as its text needs, 40 pixels at least (the player
// buttons; a push button would take 80).
class SnugButton : public QPushButton {
public:
    using QPushButton::QPushButton;
    QSize sizeHint() const override {
        const int text = fontMetrics().size(Qt::TextShowMnemonic, this->text()).width();
        const int frame = style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, this) +
                          2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        return {std::max(kPlayerButtonWidth, text + frame + 2), QPushButton::sizeHint().height()};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }
};

QLabel* wrappedLabel(const char* name, const char* text, QWidget* parent) {
    auto* l = named(new QLabel(ru(text), parent), name);
    l->setWordWrap(true);
    return l;
}

// A filled circle `across` pixels wide in the middle of a 12 x 12 picture.
QPixmap circle(const QColor& colour, double across = 11) {
    QPixmap dot(12, 12);
    dot.fill(Qt::transparent);
    QPainter p(&dot);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(colour);
    p.setBrush(colour);
    p.drawEllipse(QRectF(6 - across / 2, 6 - across / 2, across, across));
    return dot;
}

// A filled circle in a flag colour, the legend of the start or finish flag.
QLabel* flagCircle(const QColor& colour, QWidget* parent) {
    const QPixmap dot = circle(colour);
    auto* l = new QLabel(parent);
    l->setPixmap(dot);
    l->setFixedSize(dot.size());
    return l;
}

QHBoxLayout* legendRow(QLabel* circle, QLabel* text) {
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    row->addWidget(circle);
    row->addWidget(text, 1);
    return row;
}

} // namespace

TrackPropertiesPanel::TrackPropertiesPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("Panel1");
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(3, 2, 3, 3);
    column->setSpacing(4);
    titleLabel = named(new QLabel(ru("Свойства трека"), this), "StaticText1");
    titleLabel->setAlignment(Qt::AlignCenter);
    QFont bold = titleLabel->font();
    bold.setBold(true);
    titleLabel->setFont(bold);
    column->addWidget(titleLabel);
    column->addWidget(buildProperties());
    column->addWidget(buildLength());
    column->addWidget(buildPlayer());
    pntnd = named(new QCheckBox(ru("Точки на узлах"), this), "pntnd");
    pntnd->setChecked(true);
    column->addWidget(pntnd);
    SaveTProp = named(new QPushButton(ru("Сохранить и Закрыть"), this), "SaveTProp");
    CloseProp = named(new QPushButton(ru("Закрыть без сохранения"), this), "CloseProp");
    column->addWidget(SaveTProp);
    column->addWidget(CloseProp);
    newTrackHelp = named(new QTextEdit(this), "Memo2");
    newTrackHelp->setReadOnly(true);
    connect(newTrackHelp, &QTextEdit::textChanged, this, &TrackPropertiesPanel::layOutSteps);
    newTrackHelp->setPlainText(ru("1. Задайте ширину и высоту поля.\n"
                                  "2. Нажмите \"Обновить область\".\n"
                                  "3. Нарисуйте трек.\n"
                                  "4. Выберите \"Длину трека\".\n"
                                  "5. Подредактируйте высоту \n"
                                  "игрока.\n"
                                  "6. Нажмите \"Сохранить и \n"
                                  "Закрыть\"."));
    newTrackHelp->setMinimumHeight(newTrackHelp->fontMetrics().lineSpacing() * 6);
    column->addWidget(newTrackHelp, 4); // takes most of the room left below the buttons
    helpnew = buildHelp(true);
    helpedit = buildHelp(false);
    column->addWidget(helpnew);
    column->addWidget(helpedit);
    moveViewHint = wrappedLabel("Label6", "MiddleButton - перемещение рабочей области", this);
    column->addWidget(moveViewHint);
    column->addStretch(1);
    showHelpFor(false);
    newTrackHelp->setFocusPolicy(Qt::NoFocus); // help to read, not a control to tab through
    // Tab goes through the controls in reading order, top to bottom.
    QWidget* order[] = {TrackProp, fieldSizeTable, UpdateTInfo, ListLenT,  PlyrUp,
                        PlyrDown,  playerStep,     pntnd,       SaveTProp, CloseProp};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(TrackProp, &QTableWidget::cellChanged, this, [this](int row, int col) {
        if (row == 0 && col == 1) emit nameEdited();
    });
    connect(ListLenT, &QComboBox::activated, this,
            [this](int index) { emit presetPicked(ListLenT->itemData(index).toInt()); });
}

QWidget* TrackPropertiesPanel::buildProperties() {
    auto* box = new QWidget(this);
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(3);
    TrackProp = keyValueTable("TrackProp", "Название трека", "Количество линий", box);
    TrackProp->item(1, 1)->setFlags(Qt::ItemIsEnabled); // the count is shown, not typed
    fieldSizeTable = keyValueTable("TP2", "Ширина поля (по Х)", "Высота поля (по Y)", box);
    UpdateTInfo = named(new QPushButton(ru("Обновить область"), box), "UpdateTInfo");
    v->addWidget(TrackProp);
    v->addWidget(fieldSizeTable);
    v->addWidget(UpdateTInfo);
    return box;
}

QWidget* TrackPropertiesPanel::buildLength() {
    lengthBox = named(new QGroupBox(ru("  Длина трека  "), this), "GroupBox3");
    auto* v = new QVBoxLayout(lengthBox);
    v->setContentsMargins(6, 2, 6, 4);
    ListLenT = named(new QComboBox(lengthBox), "ListLenT");
    ListLenT->setMaxVisibleItems(kPresetCount);
    for (int t = 1; t <= kPresetCount; ++t) ListLenT->addItem(presetText(t), t);
    v->addWidget(ListLenT);
    return lengthBox;
}

// "^^^" above "vvv", the step and its unit beside them: the row of the
// narrow panel keeps room for the button's letter in any language.
QWidget* TrackPropertiesPanel::buildPlayer() {
    playerBox = named(new QGroupBox(ru(" Позиция игрока "), this), "GroupBox1");
    auto* grid = new QGridLayout(playerBox);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(2);
    PlyrUp = named(new SnugButton(ru("^^^ (&В)"), playerBox), "PlyrUp");
    PlyrDown = named(new SnugButton("vvv", playerBox), "PlyrDown");
    playerStep = named(new QLineEdit("1", playerBox), "Edit1");
    playerStep->setFixedWidth(36);
    playerStepUnit = named(new QLabel("px.", playerBox), "Label9");
    playerStepUnit->setBuddy(playerStep); // its Alt letter reaches the step
    grid->addWidget(PlyrUp, 0, 0);
    grid->addWidget(PlyrDown, 1, 0);
    grid->addWidget(playerStep, 0, 1, 2, 1, Qt::AlignVCenter);
    grid->addWidget(playerStepUnit, 0, 2, 2, 1, Qt::AlignVCenter);
    grid->setColumnStretch(3, 1);
    return playerBox;
}

QWidget* TrackPropertiesPanel::buildHelp(bool newTrack) {
    auto* panel = named(new QWidget(this), newTrack ? "helpnew" : "helpedit");
    auto* v = new QVBoxLayout(panel);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(3);
    QLabel* start = named(new QLabel(ru("- Старт"), panel), newTrack ? "Label7" : "Label8");
    QLabel* finish = named(new QLabel(ru("- Финиш"), panel), newTrack ? "Label12" : "Label11");
    QLabel* modifier =
        newTrack
            ? wrappedLabel("Label1", "Shift+LeftButton - снятие ограничения на длину линии", panel)
            : wrappedLabel("Label13", "Ctrl+LeftButton - коррекция координат выбранного узла",
                           panel);
    QLabel* player =
        named(new QLabel(ru("- Игрок"), panel), newTrack ? "PlayerLegendNew" : "PlayerLegendEdit");
    QLabel* playerDot = flagCircle(Qt::red, panel);
    v->addLayout(legendRow(flagCircle(kStartColor, panel), start));
    v->addLayout(legendRow(flagCircle(kFinishColor, panel), finish));
    v->addLayout(legendRow(playerDot, player));
    playerDots << playerDot;
    v->addWidget(modifier);
    if (newTrack) {
        newStartLabel = start, newFinishLabel = finish, lengthLimitHint = modifier;
    } else {
        editStartLabel = start, editFinishLabel = finish, correctionHint = modifier;
    }
    return panel;
}

// The player marker is drawn in the line colour of the canvas.
void TrackPropertiesPanel::setPlayerColor(const QColor& colour) {
    for (QLabel* dot : playerDots) dot->setPixmap(circle(colour, 5)); // the marker is a small dot
}

// The steps of the new-track help, one paragraph each whatever lines the
// language breaks them into: a step too long for a line wraps under its own
// words, clear of the number.
void TrackPropertiesPanel::layOutSteps() {
    if (layingOutSteps_) return;
    layingOutSteps_ = true;
    static const QRegularExpression kNumber(R"(^\d+\.\s*)");
    QStringList steps;
    for (const QString& line : newTrackHelp->toPlainText().split('\n')) {
        const QString words = line.simplified();
        if (steps.isEmpty() || kNumber.match(words).hasMatch())
            steps << words;
        else if (!words.isEmpty())
            steps.last() = (steps.last() + ' ' + words).simplified();
    }
    if (steps.join('\n') != newTrackHelp->toPlainText())
        newTrackHelp->setPlainText(steps.join('\n'));
    for (QTextBlock b = newTrackHelp->document()->begin(); b.isValid(); b = b.next()) {
        const QRegularExpressionMatch number = kNumber.match(b.text());
        const int indent = number.hasMatch()
                               ? newTrackHelp->fontMetrics().horizontalAdvance(number.captured())
                               : 0;
        QTextBlockFormat format = b.blockFormat();
        format.setLeftMargin(indent);
        format.setTextIndent(-indent);
        QTextCursor(b).setBlockFormat(format);
    }
    layingOutSteps_ = false;
}

void TrackPropertiesPanel::showHelpFor(bool newTrack) {
    newTrackHelp->setVisible(newTrack);
    helpnew->setVisible(newTrack);
    helpedit->setVisible(!newTrack);
}

void TrackPropertiesPanel::setValue(QTableWidget* table, int row, const QString& text) {
    const QSignalBlocker quiet(table); // not an edit of the user's
    table->item(row, 1)->setText(text);
}

QString TrackPropertiesPanel::trackName() const {
    return TrackProp->item(0, 1)->text();
}

void TrackPropertiesPanel::setTrackName(const QString& name) {
    setValue(TrackProp, 0, name);
}

void TrackPropertiesPanel::setLines(int lines) {
    setValue(TrackProp, 1, QString::number(lines));
}

QString TrackPropertiesPanel::fieldWidthText() const {
    return fieldSizeTable->item(0, 1)->text();
}

QString TrackPropertiesPanel::fieldHeightText() const {
    return fieldSizeTable->item(1, 1)->text();
}

void TrackPropertiesPanel::setField(const QString& width, const QString& height) {
    setValue(fieldSizeTable, 0, width);
    setValue(fieldSizeTable, 1, height);
}

void TrackPropertiesPanel::setLengthRow(int row) {
    ListLenT->setCurrentIndex(row >= 1 && row <= kPresetCount ? row - 1 : -1);
}

int TrackPropertiesPanel::lengthRow() const {
    return ListLenT->currentIndex() + 1;
}

} // namespace korvo

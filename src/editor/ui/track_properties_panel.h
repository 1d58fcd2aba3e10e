#pragma once
// Panel1, "Свойства трека": the left side of the main window while a track is
// open. It shows the track's name and line count, the field size, the length
// preset and the player position step, with the buttons that store or drop
// the track, and the help for drawing a new track or editing one.
//
// The panel only shows values and reports what the user does; the main window
// carries the commands out on its TrackSession (main_window_editor.cpp).
// Every control has the objectName the language files know it by, so that a
// language can re-caption it (the tables "TrackProp" and "TP2" keep their
// keys in column 0).

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTextEdit;

namespace korvo {

class TrackPropertiesPanel : public QWidget {
    Q_OBJECT
public:
    explicit TrackPropertiesPanel(QWidget* parent = nullptr);

    // ---- What the panel shows ----
    QString trackName() const; // "Название трека"
    void setTrackName(const QString& name);
    void setLines(int lines); // "Количество линий"
    QString fieldWidthText() const;
    QString fieldHeightText() const;
    void setField(const QString& width, const QString& height);
    // ListLenT: preset row 1..13, 0 for none.
    void setLengthRow(int row);
    int lengthRow() const;
    // The help of a new track (newTrackHelp, helpnew) or of an open one (helpedit).
    void showHelpFor(bool newTrack);
    // The legend's dot of the player marker, in the colour the canvas draws it.
    void setPlayerColor(const QColor& colour);

    // ---- Controls ----
    QLabel* titleLabel;      // "Свойства трека"
    QTableWidget* TrackProp; // "Название трека", "Количество линий"
    QTableWidget* fieldSizeTable; // "Ширина поля (по Х)", "Высота поля (по Y)"
    QPushButton* UpdateTInfo;     // "Обновить область"
    QGroupBox* lengthBox;         // "  Длина трека  "
    QComboBox* ListLenT;          // the 13 length presets
    QGroupBox* playerBox;         // " Позиция игрока "
    QPushButton* PlyrUp;          // "^^^" with an Alt letter
    QPushButton* PlyrDown;        // "vvv"
    QLineEdit* playerStep;        // player step in pixels
    QLabel* playerStepUnit;       // "px."
    QCheckBox* pntnd;             // "Точки на узлах"
    QPushButton* SaveTProp;       // "Сохранить и Закрыть"
    QPushButton* CloseProp;       // "Закрыть без сохранения"
    QTextEdit* newTrackHelp;      // how to draw a new track, step by step
    QWidget* helpnew;             // help while a new track is drawn
    QLabel* lengthLimitHint;      // "Shift+LeftButton - ..."
    QLabel* newStartLabel;        // "- Старт"
    QLabel* newFinishLabel;       // "- Финиш"
    QWidget* helpedit;            // help while a track is edited
    QLabel* correctionHint;       // "Ctrl+LeftButton - ..."
    QLabel* editStartLabel;       // "- Старт"
    QLabel* editFinishLabel;      // "- Финиш"
    QLabel* moveViewHint;         // "MiddleButton - ...", under both
    QList<QLabel*> playerDots; // the legend's player marker dots, beside "- Игрок"

signals:
    // The user edited the name (TrackPropStringsChange).
    void nameEdited();
    // The user picked preset t (choosePreset).
    void presetPicked(int t);

private:
    QWidget* buildProperties();
    QWidget* buildLength();
    QWidget* buildPlayer();
    QWidget* buildHelp(bool newTrack);
    void setValue(QTableWidget* table, int row, const QString& text);
    void layOutSteps();
    bool layingOutSteps_ = false;
};

} // namespace korvo

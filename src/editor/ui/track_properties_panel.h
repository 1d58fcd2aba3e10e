#pragma once
// Panel1, "Свойства трека": the left side of the main window while a track is
// open. It shows the track's name and line count, the field size, the length
// preset and the player position step, with the buttons that store or drop
// the track, and the help for drawing a new track or editing one.
//
// The panel only shows values and reports what the user does; the main window
// carries the commands out on its TrackSession (main_window_editor.cpp).
// Every control has its member name as objectName, so that a language can
// re-caption it (`TrackProp` and `TP2` keep their keys in column 0).

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

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
    // The help of a new track (Memo2, helpnew) or of an open one (helpedit).
    void showHelpFor(bool newTrack);

    // ---- Controls (objectName = member name) ----
    QLabel* StaticText1;      // "Свойства трека"
    QTableWidget* TrackProp;  // "Название трека", "Количество линий"
    QTableWidget* TP2;        // "Ширина поля (по Х)", "Высота поля (по Y)"
    QPushButton* UpdateTInfo; // "Обновить область"
    QGroupBox* GroupBox3;     // "  Длина трека  "
    QComboBox* ListLenT;      // the 13 length presets
    QGroupBox* GroupBox1;     // " Позиция игрока "
    QPushButton* PlyrUp;      // "^^^"
    QPushButton* PlyrDown;    // "vvv"
    QLineEdit* Edit1;         // player step in pixels
    QLabel* Label9;           // "px."
    QCheckBox* pntnd;         // "Точки на узлах"
    QPushButton* SaveTProp;   // "Сохранить и Закрыть"
    QPushButton* CloseProp;   // "Закрыть без сохранения"
    QPlainTextEdit* Memo2;    // how to draw a new track
    QWidget* helpnew;         // help while a new track is drawn
    QLabel* Label1;           // "Shift+LeftButton - ..."
    QLabel* Label7;           // "- Старт"
    QLabel* Label12;          // "- Финиш"
    QWidget* helpedit;        // help while a track is edited
    QLabel* Label13;          // "Ctrl+LeftButton - ..."
    QLabel* Label8;           // "- Старт"
    QLabel* Label11;          // "- Финиш"
    QLabel* Label6;           // "MiddleButton - ...", under both

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
};

} // namespace korvo

#pragma once
// A drop-down list of colours by name: a custom colour first, then the
// standard and the extended colours. Picking the custom entry opens the
// colour chooser; a colour not in the list shows as the custom entry.

#include <QColor>
#include <QComboBox>
#include <functional>

namespace korvo {

class LangLines;

class ColorBox : public QComboBox {
    Q_OBJECT
public:
    // Asks the user for a colour; an invalid colour means cancelled.
    using Chooser = std::function<QColor(const QColor& initial, QWidget* parent)>;

    // The names come from the active language.
    explicit ColorBox(const LangLines& lang, QWidget* parent = nullptr);
    // Names the colours in `lang`.
    void setNames(const LangLines& lang);

    QColor color() const;
    // Selects the listed colour, or makes it the custom entry's colour.
    void setColor(const QColor& color);
    // Replaces the colour chooser (QColorDialog by default).
    void setChooser(Chooser chooser) { chooser_ = std::move(chooser); }

    static constexpr int kCustomIndex = 0;

private:
    void onActivated(int index);
    void setCustom(const QColor& color);

    Chooser chooser_;
    int lastIndex_ = 1;
};

} // namespace korvo

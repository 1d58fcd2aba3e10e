#include "color_box.h"

#include "text/lang_added.h"
#include "text/lang_lines.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace korvo {

namespace {

// Standard colours, then the extended ones, in the order of their names'
// language lines: Black, Maroon, Green, Olive, Navy, Purple, Teal, Gray,
// Silver, Red, Lime, Yellow, Blue, Fuchsia, Aqua, White, Money Green, Sky
// Blue, Cream, Medium Gray.
constexpr QRgb kColors[] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080,
                            0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF,
                            0x00FFFF, 0xFFFFFF, 0xC0DCC0, 0xA6CAF0, 0xFFFBF0, 0xA0A0A4};

QIcon swatch(const QColor& color) {
    QPixmap pm(16, 12);
    pm.fill(color);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(0, 0, pm.width() - 1, pm.height() - 1);
    return QIcon(pm);
}

} // namespace

ColorBox::ColorBox(const LangLines& lang, QWidget* parent) : QComboBox(parent) {
    chooser_ = [](const QColor& initial, QWidget* p) { return QColorDialog::getColor(initial, p); };
    addItem(swatch(Qt::black), QString(), QColor(Qt::black));
    for (QRgb c : kColors) addItem(swatch(QColor(c)), QString(), QColor(c));
    setNames(lang);
    setCurrentIndex(lastIndex_);
    connect(this, &QComboBox::activated, this, &ColorBox::onActivated);
}

void ColorBox::setNames(const LangLines& lang) {
    setItemText(kCustomIndex, lang[kLineCustomColour]);
    for (int i = 0; i < int(std::size(kColors)); ++i)
        setItemText(kCustomIndex + 1 + i, lang[kLineColourFirst + i]);
}

QColor ColorBox::color() const {
    return currentData().value<QColor>();
}

void ColorBox::setColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    for (int i = kCustomIndex + 1; i < count(); ++i) {
        if (itemData(i).value<QColor>() == rgb) {
            setCurrentIndex(lastIndex_ = i);
            return;
        }
    }
    setCustom(rgb);
}

void ColorBox::setCustom(const QColor& color) {
    setItemData(kCustomIndex, color);
    setItemIcon(kCustomIndex, swatch(color));
    setCurrentIndex(lastIndex_ = kCustomIndex);
}

void ColorBox::onActivated(int index) {
    if (index != kCustomIndex) {
        lastIndex_ = index;
        return;
    }
    const QColor chosen = chooser_(itemData(kCustomIndex).value<QColor>(), this);
    if (chosen.isValid())
        setColor(chosen);
    else
        setCurrentIndex(lastIndex_);
}

} // namespace korvo

#include "color_box.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace korvo {

namespace {

struct NamedColor {
    const char* name;
    QRgb rgb;
};

// Standard colours, then the extended ones.
constexpr NamedColor kColors[] = {
    {"Black", 0x000000}, {"Maroon", 0x800000},      {"Green", 0x008000},
    {"Olive", 0x808000}, {"Navy", 0x000080},        {"Purple", 0x800080},
    {"Teal", 0x008080},  {"Gray", 0x808080},        {"Silver", 0xC0C0C0},
    {"Red", 0xFF0000},   {"Lime", 0x00FF00},        {"Yellow", 0xFFFF00},
    {"Blue", 0x0000FF},  {"Fuchsia", 0xFF00FF},     {"Aqua", 0x00FFFF},
    {"White", 0xFFFFFF}, {"Money Green", 0xC0DCC0}, {"Sky Blue", 0xA6CAF0},
    {"Cream", 0xFFFBF0}, {"Medium Gray", 0xA0A0A4},
};

QIcon swatch(const QColor& color) {
    QPixmap pm(16, 12);
    pm.fill(color);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(0, 0, pm.width() - 1, pm.height() - 1);
    return QIcon(pm);
}

} // namespace

ColorBox::ColorBox(QWidget* parent) : QComboBox(parent) {
    chooser_ = [](const QColor& initial, QWidget* p) { return QColorDialog::getColor(initial, p); };
    addItem(swatch(Qt::black), "Custom...", QColor(Qt::black));
    for (const NamedColor& c : kColors) addItem(swatch(QColor(c.rgb)), c.name, QColor(c.rgb));
    setCurrentIndex(lastIndex_);
    connect(this, &QComboBox::activated, this, &ColorBox::onActivated);
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

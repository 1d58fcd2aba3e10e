// The commands' pictures: drawn at the size a screen asks for, not scaled.
#include "app/toolbar_icons.h"

#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

using namespace korvo;

// A screen of twice the density asks for 32 pixels: the picture is drawn
// at 32, not the 16-pixel one blown up, and a 16-pixel request after it
// still gets the 16-pixel drawing.
TEST(ToolbarIcons, EachSizeIsDrawnNotScaled) {
    for (const ToolIcon which : {ToolIcon::MoveUp, ToolIcon::Rider, ToolIcon::ZoomFit}) {
        SCOPED_TRACE(int(which));
        const QIcon icon = toolIcon(which);
        const QImage large = icon.pixmap(32).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage small = icon.pixmap(16).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(large.size(), QSize(32, 32));
        ASSERT_EQ(small.size(), QSize(16, 16));
        for (const Qt::TransformationMode mode : {Qt::FastTransformation, Qt::SmoothTransformation})
            EXPECT_NE(large, small.scaled(32, 32, Qt::IgnoreAspectRatio, mode));
        EXPECT_NE(small, large.scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        EXPECT_EQ(toolIcon(which).pixmap(16).toImage().convertToFormat(QImage::Format_ARGB32),
                  small);
    }
}

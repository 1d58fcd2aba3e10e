// The node coordinate correction window driven through its real controls.
#include "editor/ui/correction_window.h"

#include <QLabel>
#include <QSpinBox>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <vector>

using namespace korvo;

namespace {

struct Moved {
    int k, x, y;
};

class CorrectionWindow : public ::testing::Test {
protected:
    // Nodes indexed from 1: (0, 0), (100, -20), (200, 30), (260, 150).
    std::vector<int> NodeX{0, 0, 100, 200, 260};
    std::vector<int> NodeY{0, 0, -20, 30, 150};
    const QRect viewport{100, 100, 500, 400};
    Tcorrxywnd wnd;
    std::vector<Moved> moves;
    std::vector<int> closings;

    void SetUp() override {
        wnd.nodeMoved = [this](int k, int x, int y) { moves.push_back({k, x, y}); };
        wnd.closed = [this](int k) { closings.push_back(k); };
    }
    void openFor(int k) {
        wnd.openFor(NodeX.data(), NodeY.data(), 4, k, QPoint(200, 200), viewport);
    }
    QSpinBox* spin(const char* name) { return wnd.findChild<QSpinBox*>(name); }
    void type(QSpinBox* s, const QString& text) {
        s->selectAll();
        QTest::keyClicks(s, text);
        QTest::keyClick(s, Qt::Key_Return);
    }
    void wheel(QSpinBox* s, int delta) {
        const QPointF at(s->width() / 2.0, s->height() / 2.0);
        QWheelEvent e(at, s->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(s, &e);
    }
};

} // namespace

TEST_F(CorrectionWindow, OpensBesideTheNodeWithItsShownCoordinates) {
    openFor(2);
    ASSERT_NE(spin("x_"), nullptr);
    ASSERT_NE(spin("y_"), nullptr);
    EXPECT_EQ(wnd.findChild<QLabel*>("Label2")->text(), "X :");
    EXPECT_EQ(wnd.findChild<QLabel*>("Label3")->text(), "Y :");
    EXPECT_TRUE(wnd.isVisible());
    EXPECT_TRUE(wnd.CorrOpen());
    EXPECT_EQ(wnd.SelNode(), 2);
    EXPECT_EQ(spin("x_")->value(), 100);
    EXPECT_EQ(spin("y_")->value(), 20); // 20 above the zero line shows as 20
    EXPECT_TRUE(moves.empty());         // filling in the values moves nothing
    EXPECT_TRUE(wnd.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(wnd.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_EQ(wnd.height(), 80);
    EXPECT_GE(wnd.width(), 80);
    EXPECT_EQ(wnd.minimumSize(), wnd.maximumSize()); // it cannot be resized
    // Five-digit coordinates are shown whole.
    const QSpinBox* x = spin("x_");
    EXPECT_GE(x->width(), x->sizeHint().width());
    EXPECT_EQ(wnd.pos(), QPoint(230, 230));
}

TEST_F(CorrectionWindow, TypedValuesAreClampedAndMoveTheNode) {
    openFor(2);
    type(spin("y_"), "500");
    EXPECT_EQ(spin("y_")->value(), 97); // the y maximum
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].k, 2);
    EXPECT_EQ(moves[0].x, 100);
    EXPECT_EQ(moves[0].y, -97);

    type(spin("x_"), "120");
    EXPECT_EQ(spin("x_")->value(), 120); // inside the limits: taken as typed
    type(spin("x_"), "5");
    EXPECT_EQ(spin("x_")->value(), 73); // the x minimum
    ASSERT_EQ(moves.size(), 3u);
    EXPECT_EQ(moves[2].x, 73);
    EXPECT_EQ(moves[2].y, -97);
}

TEST_F(CorrectionWindow, WheelAndSpinStepsStayWithinTheLimits) {
    openFor(2);
    type(spin("x_"), "73");
    moves.clear();
    wheel(spin("x_"), -120); // down at the minimum: stays there
    EXPECT_EQ(spin("x_")->value(), 73);
    wheel(spin("x_"), 120);
    EXPECT_EQ(spin("x_")->value(), 74);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back().x, 74);

    // The up button of y_ steps by one.
    QSpinBox* y = spin("y_");
    QStyleOptionSpinBox opt;
    opt.initFrom(y);
    opt.subControls = QStyle::SC_SpinBoxUp;
    const QRect up = y->style()->subControlRect(QStyle::CC_SpinBox, &opt, QStyle::SC_SpinBoxUp, y);
    QTest::mouseClick(y, Qt::LeftButton, Qt::NoModifier, up.center());
    EXPECT_EQ(y->value(), 21);
    EXPECT_EQ(moves.back().y, -21);
    QTest::keyClick(y, Qt::Key_Down);
    EXPECT_EQ(y->value(), 20);
}

TEST_F(CorrectionWindow, RetargetingAndClosing) {
    openFor(2);
    openFor(4); // the last node: limited by its left neighbour alone
    EXPECT_EQ(wnd.SelNode(), 4);
    EXPECT_EQ(spin("x_")->value(), 260);
    EXPECT_EQ(spin("y_")->value(), -150);
    EXPECT_TRUE(moves.empty());
    type(spin("x_"), "400");
    EXPECT_EQ(spin("x_")->value(), 327); // 200 + 127
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].k, 4);

    wnd.close();
    EXPECT_FALSE(wnd.CorrOpen());
    EXPECT_FALSE(wnd.isVisible());
    ASSERT_EQ(closings.size(), 1u);
    EXPECT_EQ(closings[0], 4);
    spin("x_")->setValue(300); // a closed window moves no node
    EXPECT_EQ(moves.size(), 1u);
}

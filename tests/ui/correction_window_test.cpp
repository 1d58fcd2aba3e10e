// The node coordinate correction window driven through its real controls.
#include "../core/editor_test_util.h"
#include "editor/open_track.h"
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

// A track open with nodes (0, 0), (100, -20), (200, 30), (260, 150) and the
// window on it; `node(k)` is node k as the track holds it now.
class CorrectionWindowTest : public ::testing::Test {
protected:
    TrackTable tracks;
    OpenTrack track{tracks};
    CorrectionWindow wnd{track};
    std::vector<GestureOutcome> edits;

    void SetUp() override {
        const int j = tracks.createTrack("t");
        test::setTrack(tracks[j], {{0, 0}, {100, -20}, {200, 30}, {260, 150}}, 1);
        ASSERT_TRUE(track.open(j, 554).ok());
        QObject::connect(&wnd, &CorrectionWindow::edited,
                         [this](const GestureOutcome& out) { edits.push_back(out); });
    }
    QPoint node(int k) const { return track.state().node(k); }
    // Ctrl + click on node k selects it for correction, as the canvas does.
    void openFor(int k) {
        const QPoint at(node(k).x(), node(k).y() + track.state().YOffset);
        track.nodes().mousePress(Qt::LeftButton, Qt::ControlModifier, at);
        track.nodes().mouseRelease(Qt::LeftButton, Qt::ControlModifier, at);
        wnd.openAt(QPoint(200, 200));
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

TEST_F(CorrectionWindowTest, OpensBesideTheNodeWithItsShownCoordinates) {
    openFor(2);
    ASSERT_NE(spin("x_"), nullptr);
    ASSERT_NE(spin("y_"), nullptr);
    // As read, whether or not the program's windows have their Alt letters yet.
    EXPECT_EQ(wnd.findChild<QLabel*>("Label2")->text().remove('&'), "X :");
    EXPECT_EQ(wnd.findChild<QLabel*>("Label3")->text().remove('&'), "Y :");
    EXPECT_TRUE(wnd.isVisible());
    EXPECT_EQ(wnd.node(), 2);
    EXPECT_EQ(spin("x_")->value(), 100);
    EXPECT_EQ(spin("y_")->value(), 20); // 20 above the zero line shows as 20
    EXPECT_TRUE(edits.empty());         // filling in the values moves nothing
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

TEST_F(CorrectionWindowTest, TypedValuesAreClampedAndMoveTheNode) {
    openFor(2); // one past each limit typed gives the limit
    type(spin("y_"), "-128");
    EXPECT_EQ(spin("y_")->value(), -127);
    type(spin("y_"), "98");
    EXPECT_EQ(spin("y_")->value(), 97);
    EXPECT_EQ(node(2), QPoint(100, -97));

    type(spin("x_"), "128");
    EXPECT_EQ(spin("x_")->value(), 127);
    type(spin("x_"), "120");
    EXPECT_EQ(spin("x_")->value(), 120); // inside the limits: taken as typed
    type(spin("x_"), "72");
    EXPECT_EQ(spin("x_")->value(), 73);
    EXPECT_EQ(edits.size(), 5u);
    EXPECT_EQ(node(2), QPoint(73, -97));
    EXPECT_EQ(track.history().stack().count(), 1) << "corrections of one node are one step";
    openFor(3);
    type(spin("y_"), "-25");
    EXPECT_EQ(node(3), QPoint(200, 25));
    EXPECT_EQ(track.history().stack().count(), 2) << "another node's are a step of their own";
    track.history().stack().undo();
    EXPECT_EQ(node(3), QPoint(200, 30));
    EXPECT_EQ(node(2), QPoint(73, -97));
    track.history().stack().undo();
    EXPECT_EQ(node(2), QPoint(100, -20)) << "the three corrections taken back at once";
}

TEST_F(CorrectionWindowTest, WheelAndSpinStepsStayWithinTheLimits) {
    openFor(2);
    type(spin("x_"), "73");
    wheel(spin("x_"), -120); // down at the minimum: stays there
    EXPECT_EQ(spin("x_")->value(), 73);
    wheel(spin("x_"), 120);
    EXPECT_EQ(spin("x_")->value(), 74);
    EXPECT_EQ(node(2).x(), 74);

    // The up button of y_ steps by one.
    QSpinBox* y = spin("y_");
    QStyleOptionSpinBox opt;
    opt.initFrom(y);
    opt.subControls = QStyle::SC_SpinBoxUp;
    const QRect up = y->style()->subControlRect(QStyle::CC_SpinBox, &opt, QStyle::SC_SpinBoxUp, y);
    QTest::mouseClick(y, Qt::LeftButton, Qt::NoModifier, up.center());
    EXPECT_EQ(y->value(), 21);
    EXPECT_EQ(node(2).y(), -21);
    QTest::keyClick(y, Qt::Key_Down);
    EXPECT_EQ(y->value(), 20);
}

TEST_F(CorrectionWindowTest, RetargetingAndClosing) {
    openFor(2);
    openFor(4); // the last node: limited by its left neighbour alone
    EXPECT_EQ(wnd.node(), 4);
    EXPECT_EQ(spin("x_")->value(), 260);
    EXPECT_EQ(spin("y_")->value(), -150);
    EXPECT_TRUE(edits.empty());
    type(spin("x_"), "400");
    EXPECT_EQ(spin("x_")->value(), 327); // 200 + 127
    EXPECT_EQ(node(4).x(), 327);
    EXPECT_EQ(node(2).x(), 100);

    wnd.close();
    EXPECT_FALSE(track.session().Gesture.CorrOpen);
    EXPECT_FALSE(wnd.isVisible());
    EXPECT_EQ(edits.size(), 2u) << "closing is told once";
    spin("x_")->setValue(300); // a closed window moves no node
    EXPECT_EQ(node(4).x(), 327);
}

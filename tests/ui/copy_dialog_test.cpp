// The copy dialog and the progress window through their real widgets.
#include "list/ui/copy_dialog.h"
#include "pack/sample_pack.h"
#include "render/ui/progress_window.h"
#include "text/lang_lines.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

using namespace korvo;

namespace {

class CopyDialog : public ::testing::Test {
protected:
    TrackTable source;
    Rows rows;
    LangLines lang;

    void SetUp() override {
        SampleOptions options;
        options.tracks = 5;
        options.segments = 30;
        options.seed = 2;
        rows = makeSamplePack(source, options); // -1 1 2 -1 3 4 -1 5
    }

    static void show(CopyTracksDialog& dlg) {
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    }
    static QPoint centre(CopyTracksDialog& dlg, int row) {
        return dlg.copyto->visualRect(dlg.copyto->model()->index(row, 0)).center();
    }
    static void click(CopyTracksDialog& dlg, int row, Qt::KeyboardModifiers mods = {}) {
        QTest::mouseClick(dlg.copyto->viewport(), Qt::LeftButton, mods, centre(dlg, row));
    }
    static QImage preview(const CopyTracksDialog& dlg) { return dlg.preimg->pixmap().toImage(); }
    static int drawnPixels(const QImage& img) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) n += qAlpha(img.pixel(x, y)) != 0;
        return n;
    }
    static QString caption(const CopyTracksDialog& dlg, int row) {
        return dlg.copyto->model()->index(row, 0).data().toString();
    }
};

} // namespace

TEST_F(CopyDialog, ListsThePackAndPreviewsTheTrackUnderTheCursor) {
    CopyTracksDialog dlg(source, rows, lang, CopyTracksDialog::Source::Pack);
    QAbstractItemModelTester tester(dlg.copyto->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    show(dlg);
    EXPECT_EQ(dlg.objectName(), "Form2");
    EXPECT_EQ(dlg.windowTitle(), lang[44]);
    EXPECT_EQ(dlg.copyto->model()->headerData(0, Qt::Horizontal).toString(), lang[45]);
    EXPECT_EQ(QString(dlg.copyButton->text()).remove('&'), lang[46]) << "with an Alt letter";
    EXPECT_EQ(dlg.size(), QSize(502, 236));
    EXPECT_EQ(dlg.preimg->size(), QSize(300, 200));
    EXPECT_TRUE(dlg.copyto->showGrid());
    EXPECT_EQ(dlg.copyto->selectionMode(), QAbstractItemView::ExtendedSelection);
    ASSERT_EQ(dlg.copyto->model()->rowCount(), 8);
    EXPECT_EQ(caption(dlg, 0), "---===  Easy  ===---");
    EXPECT_EQ(caption(dlg, 1), "1/" + QString::fromStdString(source[1].Name));
    EXPECT_EQ(caption(dlg, 6), "---===  Hard  ===---");
    EXPECT_EQ(drawnPixels(preview(dlg)), 0) << "nothing previewed yet";

    click(dlg, 1);
    const QImage first = preview(dlg);
    EXPECT_GT(drawnPixels(first), 300);
    EXPECT_EQ(first.pixelColor(0, first.height() / 2).alpha(), 0) << "white shows as transparent";

    QTest::keyClick(dlg.copyto, Qt::Key_Down);
    const QImage second = preview(dlg);
    EXPECT_NE(second, first) << "the arrow keys preview too";
    QTest::keyClick(dlg.copyto, Qt::Key_Down); // the Medium header
    EXPECT_EQ(dlg.copyto->currentIndex().row(), 3);
    EXPECT_EQ(preview(dlg), second) << "a header row keeps the last preview";
    QTest::keyClick(dlg.copyto, Qt::Key_Down);
    EXPECT_NE(preview(dlg), second);
}

TEST_F(CopyDialog, EnterTicksTheSelectedRowsAndCopyAcceptsThem) {
    CopyTracksDialog dlg(source, rows, lang, CopyTracksDialog::Source::Pack);
    show(dlg);
    click(dlg, 5);
    QTest::keyClick(dlg.copyto, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(dlg.copyto->currentIndex().row(), 7);
    EXPECT_EQ(dlg.copyto->selectionModel()->selectedRows().size(), 3) << "rows 5 to 7";
    click(dlg, 4);
    QTest::keyClick(dlg.copyto, Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(dlg.copyto->selectionModel()->selectedRows().size(), 5) << "rows 0 to 4";
    click(dlg, 4);
    click(dlg, 2, Qt::ShiftModifier); // rows 2, 3 (the Medium header) and 4
    QTest::keyClick(dlg.copyto, Qt::Key_Return);
    EXPECT_TRUE(dlg.isVisible()) << "Enter ticks; it does not copy";
    EXPECT_EQ(dlg.tickedRows(), (std::vector<int>{2, 3, 4}));
    for (int r : {2, 3, 4})
        EXPECT_EQ(dlg.copyto->model()->index(r, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    click(dlg, 7);
    QTest::keyClick(dlg.copyto, Qt::Key_Enter);

    QTest::mouseClick(dlg.copyButton, Qt::LeftButton);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);

    EXPECT_EQ(dlg.tickedRows(), (std::vector<int>{2, 3, 4, 7})) << "what the caller copies";
}

TEST_F(CopyDialog, EscapeClosesAndCopiesNothing) {
    CopyTracksDialog dlg(source, rows, lang, CopyTracksDialog::Source::Pack);
    show(dlg);
    click(dlg, 1);
    QTest::keyClick(dlg.copyto, Qt::Key_Return);
    QTest::keyClick(dlg.copyto, Qt::Key_Escape);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_TRUE(dlg.tickedRows().empty());
    EXPECT_EQ(dlg.copyto->model()->rowCount(), 0);
}

TEST_F(CopyDialog, LevFilesGiveANarrowWindowWithoutPreview) {
    TrackTable files;
    files.createTrack("hill");
    files.createTrack("dune");
    CopyTracksDialog dlg(files, {1, 2}, lang, CopyTracksDialog::Source::LevFiles);
    show(dlg);
    EXPECT_EQ(dlg.width(), 197);
    EXPECT_FALSE(dlg.preimg->isVisible());
    EXPECT_EQ(caption(dlg, 1), "2/dune");
    click(dlg, 1); // nothing to preview, nothing breaks
    QTest::keyClick(dlg.copyto, Qt::Key_Return);
    QTest::mouseClick(dlg.copyButton, Qt::LeftButton);
    EXPECT_EQ(dlg.tickedRows(), std::vector<int>{1});
}

TEST(ProgressWindow, ShowsTheRunsProgressAndClosesAfterItWhateverTheOutcome) {
    LangLines english;
    english.load(QString(BASE_DIR) + "/lang/english.lng");
    ProgressWindow form(english);
    EXPECT_EQ(form.progressBar->maximum(), 130);
    EXPECT_EQ(form.processingLabel->text(), "Processing . . .");
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    std::vector<int> seen;
    const PictureRun ok = form.run([&](const PictureProgress& show) {
        EXPECT_TRUE(form.isVisible());
        for (int v : {0, 10, 59, 120, 130}) {
            show(v);
            seen.push_back(form.progressBar->value());
        }
        return PictureRun{{}, 3};
    });
    EXPECT_EQ(seen, (std::vector<int>{0, 10, 59, 120, 130}));
    EXPECT_EQ(ok.pictures, 3);
    EXPECT_FALSE(form.isVisible());

    const PictureRun failed = form.run([&](const PictureProgress& show) {
        show(10);
        return PictureRun{Message::plain("images/11-a.gif: No space left on device"), 0};
    });
    EXPECT_EQ(failed.error, "images/11-a.gif: No space left on device");
    EXPECT_FALSE(form.isVisible());
}

// A session for the kill loop of the recovery journal, run offscreen:
//   journal_child edit BASE     moves the first track down and up without end,
//                               keeping the journal after each move; prints
//                               "kept" once the first journal is on disk
//   journal_child recover BASE  starts on BASE, recovers what was left and
//                               prints whether the pack is unsaved and its rows
#include "../../common/find_control.h"
#include "app/list_controller.h"
#include "app/main_window.h"
#include "app/prompts.h"
#include "app/recovery_keeper.h"
#include "app/recovery_window.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstring>

using namespace korvo;

namespace {

// Says yes to every question and recovers what is offered.
class Recovering : public Prompts {
public:
    bool confirm(QWidget*, const QString&) override { return true; }
    void information(QWidget*, const QString&) override {}
    void warning(QWidget*, const QString&) override {}
    void error(QWidget*, const QString&, const QString&) override {}
    int recoveryChoice(RecoveryWindow&) override { return RecoveryWindow::Recover; }
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    QApplication app(argc, argv);
    const bool edit = !std::strcmp(argv[1], "edit");
    MainWindow window(kListView, {QString::fromLocal8Bit(argv[2]), {}, {}});
    window.setPrompts(std::make_unique<Recovering>());
    window.show();
    QElapsedTimer started;
    started.start();
    while (started.elapsed() < 300) QApplication::processEvents(); // the start and its offer
    if (!edit) {
        std::printf("%s\n", window.document().modified() ? "unsaved" : "saved");
        for (int r = 0; r < window.document().Rows.size(); ++r)
            std::printf("%s\n", window.document().Rows.caption(r).c_str());
        std::fflush(stdout);
        std::_Exit(0); // as a kill would end it: the journal stays
    }
    auto* down = test::ctl<QAction>(window, "DownItem");
    auto* up = test::ctl<QAction>(window, "UpItem");
    window.list().selectRow(1);
    for (int i = 0;; ++i) {
        (i % 2 == 0 ? down : up)->trigger();
        window.recovery().flush();
        if (i == 0) {
            std::printf("kept\n");
            std::fflush(stdout);
        }
        QApplication::processEvents();
    }
}

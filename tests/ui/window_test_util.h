#pragma once
// A base folder with a pack, a main window started in it, and prompts that
// answer for the user and remember what they were asked.

#include "../common/find_control.h"
#include "app/editor_controller.h"
#include "app/image_box.h"
#include "app/list_controller.h"
#include "app/main_window.h"
#include "app/pack_commands.h"
#include "app/prompts.h"
#include "app/recovery_window.h"
#include "editor/ui/correction_window.h"
#include "editor/ui/track_canvas.h"
#include "editor/ui/track_properties_panel.h"
#include "list/levels_list_model.h"
#include "list/levels_tree_model.h"
#include "list/ui/copy_dialog.h"
#include "list/ui/levels_list_view.h"
#include "list/ui/levels_tree_view.h"
#include "pack/pack_file.h"
#include "pack/sample_pack.h"
#include "render/ui/preview_window.h"
#include "settings/ui/about_box.h"
#include "settings/ui/options_dialog.h"

#include <QAbstractItemView>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <deque>
#include <gtest/gtest.h>

namespace korvo::test {

using Groups = std::vector<std::vector<std::string>>;
// Three groups of three, two and one tracks.
inline const Groups kSixTracks = {{"a", "b", "c"}, {"d", "e"}, {"f"}};

// Writes a pack of small generated tracks with the given names.
inline void writeNamedPack(const QString& path, const Groups& groups) {
    TrackTable table;
    Rows rows;
    for (const auto& group : groups) {
        rows.push_back(kHeaderRow);
        for (const auto& name : group) {
            const int j = table.createTrack(name);
            makeSampleTrack(table[j], 8, uint32_t(j));
            rows.push_back(j);
        }
    }
    ASSERT_EQ(savePackFile(path, table, rows), "");
}

// "E: a b | M: c | H: d" of a pack file as the reader sees it.
inline std::string packLayout(const QString& path) {
    TrackTable table;
    Rows rows;
    if (const Message why = loadPackFile(path, table, rows); !why.empty())
        return said(why).toStdString();
    std::string out;
    const char* heads[] = {"", "E:", " | M:", " | H:"};
    int g = 0;
    for (int d : rows) out += d == kHeaderRow ? heads[++g] : " " + table[d].Name;
    return out;
}

class ScriptedPrompts : public Prompts {
public:
    bool confirm(QWidget*, const QString& text) override {
        asked.push_back(text);
        if (answers.empty()) return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    int choose(QWidget*, const QString& text, const QStringList& buttons) override {
        asked.push_back(text);
        const int cancel = int(buttons.size()) - 1;
        if (choices.empty()) return cancel;
        const int c = choices.front();
        choices.pop_front();
        return c;
    }
    void information(QWidget* parent, const QString& text) override {
        show(parent, text);
        errors.push_back(false);
    }
    void warning(QWidget* parent, const QString& text) override {
        show(parent, text);
        errors.push_back(false);
    }
    void error(QWidget* parent, const QString&, const QString& text) override {
        show(parent, text);
        errors.push_back(true);
    }
    QString openFileName(QWidget*, const QString&, const QString& folder,
                         const QString& filter) override {
        lastFolder = folder;
        lastFilter = filter;
        return takePath();
    }
    QString saveFileName(QWidget*, const QString&, const QString& folder, const QString& filter,
                         const QString&) override {
        lastFolder = folder;
        lastFilter = filter;
        return takePath();
    }

    QStringList openFileNames(QWidget*, const QString&, const QString& folder,
                              const QString& filter) override {
        lastFolder = folder;
        lastFilter = filter;
        return std::exchange(fileLists, {});
    }
    bool chooseTracks(CopyTracksDialog& dialog) override {
        return copyDialog ? copyDialog(dialog) : false;
    }
    int recoveryChoice(RecoveryWindow& window) override {
        recoveryShown.push_back(window.summary());
        if (recoveryChoices.empty()) return RecoveryWindow::OpenSaved;
        const int c = recoveryChoices.front();
        recoveryChoices.pop_front();
        return c;
    }

    std::deque<bool> answers; // Yes/No, in order; No when empty
    std::deque<int> choices;  // buttons of choose(), in order; cancel when empty
    QStringList fileLists;    // the next multi-file dialog's result
    std::function<bool(CopyTracksDialog&)>
        copyDialog;                  // the user in the copy dialog; cancels when empty
    std::deque<QString> paths;       // dialog results; cancelled when empty
    std::deque<int> recoveryChoices; // the recovery window's; Open the saved pack when empty
    QStringList recoveryShown;       // the recovery windows' texts
    QStringList asked;
    QStringList shown;
    std::vector<bool> errors;                 // shown[i] was an error box
    std::vector<bool> shownOverVisibleWindow; // the parent was on the screen then
    QString lastFolder, lastFilter;

private:
    void show(QWidget* parent, const QString& text) {
        shown.push_back(text);
        shownOverVisibleWindow.push_back(parent && parent->isVisible());
    }
    QString takePath() {
        if (paths.empty()) return {};
        QString p = paths.front();
        paths.pop_front();
        return p;
    }
};

// A temporary base folder made the current directory, with "levels.mrg" and
// the program's language files in "lang" (as the run script lays it out).
class BaseFolder {
public:
    explicit BaseFolder(const Groups& groups, bool withLang = true)
        : previous_(QDir::currentPath()) {
        if (!groups.empty()) writeNamedPack(path("levels.mrg"), groups);
        if (withLang) {
            QDir(dir_.path()).mkpath("lang");
            for (const QString& name : QDir(BASE_DIR "/lang").entryList({"*.lng"}, QDir::Files))
                QFile::copy(BASE_DIR "/lang/" + name, path("lang/" + name));
        }
        QDir::setCurrent(dir_.path());
    }
    ~BaseFolder() { QDir::setCurrent(previous_); }
    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

// The user's state folder of the program, a fresh one for one test.
class StateFolder {
public:
    StateFolder() : keep_(qgetenv("XDG_STATE_HOME")) {
        qputenv("XDG_STATE_HOME", dir_.path().toUtf8());
    }
    ~StateFolder() {
        if (keep_.isEmpty())
            qunsetenv("XDG_STATE_HOME");
        else
            qputenv("XDG_STATE_HOME", keep_);
    }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QByteArray keep_;
};

// The main window started in the current folder, its prompts scripted.
struct Started {
    // `answers` scripts the prompts before the window is shown.
    explicit Started(std::optional<ListView> viewMode = kListView, const WindowStart& start = {},
                     const std::function<void(ScriptedPrompts&)>& answers = {})
        : window(viewMode, start) {
        auto p = std::make_unique<ScriptedPrompts>();
        prompts = p.get();
        if (answers) answers(*p);
        window.setPrompts(std::move(p));
        window.show();
        window.activateWindow(); // window shortcuts need the active window
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    ~Started() {
        prompts->answers.assign(8, true);
        window.close();
    }

    QAbstractItemView* view() { return window.list().currentView(); }
    QModelIndex indexOfRow(int r) {
        if (auto* list = qobject_cast<LevelsListModel*>(view()->model()))
            return list->indexOfRow(r);
        return qobject_cast<LevelsTreeModel*>(view()->model())->indexOfRow(r);
    }
    void click(int row, Qt::KeyboardModifiers mods = {}) {
        const QModelIndex i = indexOfRow(row);
        ASSERT_TRUE(i.isValid()) << "row " << row;
        view()->scrollTo(i);
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, mods, view()->visualRect(i).center());
    }
    QPoint pointOfRow(int row) { return view()->visualRect(indexOfRow(row)).center(); }
    std::string caption(int row) { return window.document().Rows.caption(row); }

    MainWindow window;
    ScriptedPrompts* prompts = nullptr;
};

} // namespace korvo::test

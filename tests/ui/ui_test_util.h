#pragma once
// Helpers for the widget tests: answering message boxes, and a stand-in main
// window that has every element a language sets.

#include "settings/lang_targets.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>

namespace korvo::test {

// Runs `action`, answering every message box it shows with its default
// button; returns their texts in order.
inline QStringList answerMessageBoxes(const std::function<void()>& action) {
    QStringList texts;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            texts << box->text();
            box->done(QMessageBox::Ok);
        }
    });
    poll.start();
    action();
    return texts;
}

// A main window with the menus, tool buttons, labels and panels a language
// sets, each of the kind the real window uses for it.
class FakeMainWindow : public QMainWindow {
public:
    FakeMainWindow() {
        setObjectName("TForm1");
        // Panels inside panels, as in the real window: its elements lie deeper
        // than those of the dialogs it owns.
        auto* central = new QWidget(this);
        setCentralWidget(central);
        auto* panel = new QWidget(new QWidget(central));
        auto* layout = new QVBoxLayout(panel);
        auto* file = menuBar()->addMenu("Файл");
        file->setObjectName("N1");
        auto* tools = addToolBar("tools");
        for (const LangBinding& b : langBindings()) {
            if (b.form != LangForm::Main || findChild<QObject*>(b.objectName)) continue;
            add(b, file, tools, layout);
        }
    }

private:
    static QWidget* widgetFor(const QString& name) {
        if (name == "Memo2") return new QTextEdit;
        if (name.startsWith("GroupBox")) return new QGroupBox;
        if (name == "pntnd") return new QCheckBox;
        if (name.startsWith("StaticText") || name.startsWith("Label") ||
            name.startsWith("StatusPanel"))
            return new QLabel;
        return new QPushButton;
    }

    void add(const LangBinding& b, QMenu* file, QToolBar* tools, QVBoxLayout* layout) {
        const QString name = b.objectName;
        QObject* made = nullptr;
        if (name == "N11" || name == "N3") {
            made = menuBar()->addMenu(name);
        } else if (name.startsWith('N') || name == "levv11" || name == "mrg1") {
            made = file->addAction(name);
        } else if (b.target == LangTarget::Hint) {
            auto* button = new QToolButton(tools);
            tools->addWidget(button);
            made = button;
        } else if (b.target == LangTarget::RowKey) {
            auto* table = new QTableWidget(2, 2, this);
            layout->addWidget(table);
            made = table;
        } else {
            QWidget* w = widgetFor(name);
            if (name.startsWith("StatusPanel"))
                statusBar()->addWidget(w);
            else
                layout->addWidget(w);
            made = w;
        }
        made->setObjectName(name);
    }
};

} // namespace korvo::test

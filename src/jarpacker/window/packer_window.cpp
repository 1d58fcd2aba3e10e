#include "packer_window.h"

#include "jarpacker/jar_build.h"
#include "settings/ui/file_dialogs.h"
#include "text/lang_added.h"
#include "text/lang_lines.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace korvo {

PackerWindow::PackerWindow(const LangLines& lang, QWidget* parent) : QWidget(parent), lang_(lang) {
    setObjectName("PackerWindow");
    setWindowTitle("jarpacker");
    auto* grid = new QGridLayout(this);
    grid->setColumnMinimumWidth(1, 360);
    game_ = addRow(0, "GameJar", lang[kLineJarGame], false, lang[kLineJarFilter]);
    pack_ = addRow(1, "LevelPack", lang[kLineJarPack], false, lang[kLinePackFilter]);
    out_ = addRow(2, "OutputJar", lang[kLineJarOutput], true, lang[kLineJarFilter]);
    const QString levels = QDir::current().filePath("levels.mrg");
    if (QFileInfo::exists(levels)) pack_->setText(QDir::toNativeSeparators(levels));
    buildButton_ = new QPushButton(lang[kLineJarBuild], this);
    buildButton_->setObjectName("Build");
    status_ = new QLabel(this);
    status_->setObjectName("Status");
    status_->setWordWrap(true);
    grid->addWidget(status_, 3, 0, 1, 2);
    grid->addWidget(buildButton_, 3, 2);
    connect(buildButton_, &QPushButton::clicked, this, &PackerWindow::build);
}

QLineEdit* PackerWindow::addRow(int row, const char* name, const QString& label, bool save,
                                const QString& filter) {
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    auto* browse = new QPushButton("...", this);
    grid->addWidget(new QLabel(label, this), row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(browse, row, 2);
    connect(browse, &QPushButton::clicked, this, [=, this] {
        const QString chosen = save ? chooseFileToSave(this, label, edit->text(), filter, QString())
                                    : chooseFileToOpen(this, label, edit->text(), filter);
        if (!chosen.isEmpty()) edit->setText(QDir::toNativeSeparators(chosen));
    });
    return edit;
}

void PackerWindow::build() {
    if (game_->text().isEmpty() || pack_->text().isEmpty() || out_->text().isEmpty()) {
        status_->setText(lang_[kLineJarChooseAll]);
        return;
    }
    const JarBuildResult r = buildGameJar(QDir::fromNativeSeparators(game_->text()),
                                          QDir::fromNativeSeparators(pack_->text()),
                                          QDir::fromNativeSeparators(out_->text()), lang_);
    const QString said = r.status == 0 ? lang_[kLineJarWritten].arg(r.message) : r.message;
    status_->setText(r.note.isEmpty() ? said : r.note + "\n" + said);
    status_->setStyleSheet(r.status == 0 ? "color: rgb(0,128,0)" : "color: rgb(255,0,0)");
}

} // namespace korvo

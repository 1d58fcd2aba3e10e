#include "file_dialogs.h"

#include "mnemonics.h"

#include <QEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLayout>
#include <QListView>
#include <QLocale>
#include <QSplitter>
#include <QTreeView>

#include <algorithm>

namespace korvo {

namespace {

// The columns of Qt's file list: name, size, type, date modified.
constexpr int kNameColumn = 0, kSizeColumn = 1, kTypeColumn = 2, kDateColumn = 3;
constexpr int kNameMinimum = 120; // what the name column keeps when the others grow

class FileListInLanguage : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || !index.isValid())
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        if (index.column() == kDateColumn)
            return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
        if (index.column() == kSizeColumn && !files->isDir(source))
            return QLocale().formattedDataSize(files->size(source));
        return QIdentityProxyModel::data(index, role);
    }
};

// Qt's dialog keeps widths made for the short names of English: Russian
// "Компьютер" would read "Компью...". As the dialog shows, its side bar of
// places takes the width its longest name needs, the dialog growing by as
// much.
class SideBarFitsItsNames : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show) fit(*static_cast<QFileDialog*>(o));
        return false;
    }

private:
    static void fit(QFileDialog& dialog) {
        auto* places = dialog.findChild<QListView*>("sidebar");
        auto* splitter = dialog.findChild<QSplitter*>("splitter");
        if (!places || !places->model() || !splitter || splitter->count() != 2) return;
        int widest = 0;
        for (int r = 0; r < places->model()->rowCount(); ++r)
            widest =
                std::max(widest, places->sizeHintForIndex(places->model()->index(r, 0)).width());
        const int frame = places->width() - places->viewport()->width();
        const int lacking = widest + frame - places->width();
        if (lacking <= 0) return;
        dialog.resize(dialog.width() + lacking, dialog.height());
        if (dialog.layout()) dialog.layout()->activate();
        const int rest = std::max(0, splitter->width() - splitter->handleWidth() - widest - frame);
        splitter->setSizes({widest + frame, rest});
    }
};

// The list's type and date columns take the width of the longest entry of
// each folder read ("Неизвестно" and Russian dates are longer than the
// columns Qt gives); the name column gives up what the list then lacks.
void fitListColumns(QFileDialog& dialog) {
    auto* list = dialog.findChild<QTreeView*>("treeView");
    auto* files = dialog.findChild<QFileSystemModel*>();
    if (!list || !files) return;
    QObject::connect(files, &QFileSystemModel::directoryLoaded, list, [list] {
        QHeaderView* header = list->header();
        for (const int column : {kTypeColumn, kDateColumn}) {
            const int before = header->sectionSize(column);
            list->resizeColumnToContents(column);
            if (header->sectionSize(column) < before) header->resizeSection(column, before);
        }
        const int lacking = header->length() - list->viewport()->width();
        const int name = header->sectionSize(kNameColumn);
        if (lacking > 0)
            header->resizeSection(kNameColumn,
                                  std::max(name - lacking, std::min(name, kNameMinimum)));
    });
}

QStringList run(QFileDialog& dialog) {
    // The caption is often a menu item's text: a title shows no shortcut marker.
    dialog.setWindowTitle(withoutMnemonic(dialog.windowTitle()));
    wordFileListInLanguage(dialog);
    dialog.installEventFilter(new SideBarFitsItsNames(&dialog));
    fitListColumns(dialog);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles();
}

} // namespace

void wordFileListInLanguage(QFileDialog& dialog) {
    dialog.setProxyModel(new FileListInLanguage(&dialog));
}

QString chooseFileToOpen(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter) {
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QStringList chosen = run(dialog);
    return chosen.isEmpty() ? QString() : chosen.first();
}

QStringList chooseFilesToOpen(QWidget* parent, const QString& caption, const QString& folder,
                              const QString& filter) {
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    return run(dialog);
}

QString chooseFileToSave(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter, const QString& defaultSuffix) {
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix); // asks before overwriting, as save dialogs do
    const QStringList chosen = run(dialog);
    return chosen.isEmpty() ? QString() : chosen.first();
}

} // namespace korvo

#include "file_dialogs.h"

#include "mnemonics.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

namespace korvo {

namespace {

// The columns of Qt's file list: name, size, type, date modified.
constexpr int kSizeColumn = 1, kDateColumn = 3;

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

QStringList run(QFileDialog& dialog) {
    // The caption is often a menu item's text: a title shows no shortcut marker.
    dialog.setWindowTitle(withoutMnemonic(dialog.windowTitle()));
    wordFileListInLanguage(dialog);
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

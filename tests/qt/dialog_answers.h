// Answers to the window's modal dialogs, as a person gives them.
#pragma once

#include <QAbstractItemView>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QString>

namespace cadenzo {

// Types `path` into the file dialog's name box, with nothing chosen in its
// list, and accepts. `selectFile` is not enough: once the name box holds the
// focus it leaves the box empty, and a file the dialog chose in its list
// while listing the folder (the last one opened) wins over the typed name.
inline void chooseFile(QFileDialog* dialog, const QString& path) {
    if (auto* list = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"))) list->selectionModel()->clear();
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (name)
        name->setText(path);
    else
        dialog->selectFile(path);
    static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides its accept()
}

} // namespace cadenzo

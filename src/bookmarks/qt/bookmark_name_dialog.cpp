#include "bookmarks/qt/bookmark_name_dialog.h"

#include <algorithm>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace cadenzo {

TForm4::TForm4(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("BookMark Name"));
    setFixedSize(498, 60);
    move(320, 362);
    Label1 = new QLabel(QStringLiteral("BookMark Name: "), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(8, 8);
    Edit1 = new QLineEdit(QStringLiteral(" "), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    // The edit box starts at 104, or after the label where the desktop's font
    // makes the label wider than that; it ends where it always does.
    const int editLeft = std::max(104, Label1->x() + Label1->sizeHint().width() + 4);
    Edit1->setGeometry(editLeft, 0, 385 - editLeft, 25);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(400, 0, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

// The dialog opens ready for typing: the focus in the edit box, its last text
// selected, so a new name replaces it and Enter takes it.
void TForm4::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Edit1->setFocus();
    Edit1->selectAll();
}

} // namespace cadenzo

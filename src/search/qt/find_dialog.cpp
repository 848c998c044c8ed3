#include "search/qt/find_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace cadenzo {

FindDialog::FindDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FindDialog1"));
    setWindowTitle(QStringLiteral("Find"));
    setModal(false);

    auto* label = new QLabel(QStringLiteral("Fi&nd what:"), this);
    FindText = new QLineEdit(this);
    label->setBuddy(FindText);
    WholeWord = new QCheckBox(QStringLiteral("Match &whole word only"), this);
    MatchCase = new QCheckBox(QStringLiteral("Match &case"), this);
    auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
    Up = new QRadioButton(QStringLiteral("&Up"), direction);
    Down = new QRadioButton(QStringLiteral("&Down"), direction);
    Down->setChecked(true);
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(Up);
    directionLayout->addWidget(Down);
    FindNext = new QPushButton(QStringLiteral("&Find Next"), this);
    FindNext->setDefault(true);
    Cancel = new QPushButton(QStringLiteral("Cancel"), this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(FindText, 0, 1, 1, 2);
    grid->addWidget(FindNext, 0, 3);
    grid->addWidget(WholeWord, 1, 0, 1, 2);
    grid->addWidget(direction, 1, 2, 2, 1);
    grid->addWidget(Cancel, 1, 3);
    grid->addWidget(MatchCase, 2, 0, 1, 2);

    connect(FindNext, &QPushButton::clicked, this, &FindDialog::findNext);
    connect(Cancel, &QPushButton::clicked, this, &QDialog::close);
}

} // namespace cadenzo

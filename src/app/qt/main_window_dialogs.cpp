// The dialogs the reader's handlers run, the bookmark pop-up menu and the
// message boxes. Unattended runs answer every question as a cancelled dialog
// would and write messages to standard error.
#include "app/qt/main_window.h"

#include "app/qt/outer_frame.h"
#include "base/qt/qt_text.h"
#include "bookmarks/qt/bookmark_name_dialog.h"
#include "search/find.h"
#include "search/qt/find_dialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>
#include <QScreen>
#include <QSpacerItem>

#include <cstdio>

namespace cadenzo {

namespace {

// Room a title bar takes beside its text: the window's icon and its buttons.
constexpr int kTitleBarButtonsWidth = 160;

const QScreen* screenOf(const QWidget* widget) {
    const QScreen* screen = widget->screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

// "Name|*.a;*.b" as a file dialog filter: "Name (*.a *.b)".
QString dialogFilter(const std::string& filter) {
    const QString f = QString::fromStdString(filter);
    const qsizetype bar = f.indexOf(QLatin1Char('|'));
    if (bar < 0) return f;
    QString patterns = f.mid(bar + 1);
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    return f.left(bar) + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

// What an unattended run would have shown, on the error output, whole.
void printUnattended(std::string_view kind, const std::string& text) {
    std::fwrite(kind.data(), 1, kind.size(), stderr);
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
}

} // namespace

void TForm1::closeFindDialog() {
    if (findDialog_) findDialog_->close();
}

std::optional<std::string> TForm1::askSaveFileName(const std::string& defaultExt) {
    if (options_.unattended) return std::nullopt;
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(toQString(defaultExt));
    dialog.setOption(QFileDialog::DontConfirmOverwrite); // the page replaces the file without asking
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().front()).toStdString();
}

// (x, y) is where the dialog's frame goes.
void TForm1::showFindDialog(int x, int y) {
    FindDialog* dialog = FindDialog1();
    findFrame_->place(QRect(x, y, 0, 0));
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

// A find dialog not made yet holds no text and searches down, as a new one does.
FindQuery TForm1::findQuery() const {
    if (!findDialog_) return FindQuery{};
    return FindQuery{toBytes(findDialog_->FindText->text()), findDialog_->MatchCase->isChecked(),
                     findDialog_->WholeWord->isChecked()};
}

bool TForm1::findDirectionDown() const { return !findDialog_ || findDialog_->Down->isChecked(); }

std::string TForm1::askBookmarkName() {
    TForm4* dialog = Form4();
    if (!options_.unattended) dialog->exec();
    return toBytes(dialog->Edit1->text());
}

void TForm1::showBookmarkPopup(const std::vector<std::string>& captions, int x, int y) {
    BMPopupMenu->clear();
    for (std::size_t k = 0; k < captions.size(); ++k) {
        // Names are shown as written: "&" is no shortcut marker here.
        QAction* item = BMPopupMenu->addAction(toQString(captions[k]).replace(QLatin1Char('&'), QStringLiteral("&&")));
        const int position = static_cast<int>(k);
        connect(item, &QAction::triggered, this,
                [this, position] { dispatch([this, position] { reader_->BMPopupItemClick(position); }); });
    }
    if (!options_.unattended) BMPopupMenu->popup(QPoint(x, y));
}

void TForm1::setOpenDialogFileName(const std::string& name) { openDialogFileName_ = toQString(name); }

std::optional<std::string> TForm1::askOpenFileName(const FileDialogSetup& setup) {
    if (options_.unattended) return std::nullopt;
    QFileDialog dialog(this, toQString(setup.title));
    dialog.setNameFilter(dialogFilter(setup.filter));
    dialog.setDefaultSuffix(toQString(setup.defaultExt));
    dialog.setFileMode(QFileDialog::AnyFile); // the chosen file need not exist
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (!openDialogFileName_.isEmpty()) dialog.selectFile(openDialogFileName_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    openDialogFileName_ = QDir::toNativeSeparators(dialog.selectedFiles().front());
    return openDialogFileName_.toStdString();
}

bool TForm1::askYesNo(const std::string& text, const std::string& title) {
    if (options_.unattended) return false;
    QMessageBox box(QMessageBox::NoIcon, toQString(title), toQString(text), QMessageBox::Yes | QMessageBox::No, this);
    box.setTextFormat(Qt::PlainText); // a bookmark name, shown as written
    // The question stands in the title bar: the box is made wide enough for
    // the title, in the bold face title bars use, beside the frame's buttons.
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarButtonsWidth;
    const QScreen* screen = screenOf(this);
    const int room = screen ? screen->availableGeometry().width() : titleWidth;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(std::min(titleWidth, room), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    return box.exec() == QMessageBox::Yes;
}

void TForm1::showMessage(const std::string& text) {
    if (options_.unattended) {
        printUnattended("message: ", text);
        return;
    }
    // A lone carriage return ends a line of a message, as on the desktop it was written for.
    QString shown = toQString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(QMessageBox::NoIcon, windowTitle(), shown, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void TForm1::showError(const std::string& text) {
    if (options_.unattended) {
        printUnattended("error: ", text);
        return;
    }
    // Errors name files and books: shown as written, never as markup.
    QMessageBox box(QMessageBox::Critical, windowTitle(), toQString(text), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace cadenzo

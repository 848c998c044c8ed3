// The real main window on the offscreen platform: its outer size, a book named
// on the command line, texts shown as written, assistive technology and the
// screenshot.
#include "qt/main_window_fixture.h"

namespace cadenzo {
namespace {

// The window's rectangle in the settings file is its outer one, frame
// included; the offscreen platform draws a frame of its own.
TEST_F(MainWindow, WindowSizeIsTheOuterSize) {
    const QMargins frame = form->windowHandle()->frameMargins();
    ASSERT_FALSE(frame.isNull());
    RealFileSystem files;
    const std::string iniPath = form->reader().state().IniPath;
    auto ini = files.readLines(iniPath);
    ASSERT_TRUE(ini.has_value());
    auto key = [&](const char* name) { return IniReadInteger(*ini, "how", name, -1); };
    EXPECT_EQ(form->frameGeometry(), QRect(key("tleft"), key("ttop"), key("twidth"), key("theight")));

    form->setWindowRect({20, 30, 100, 100});
    EXPECT_EQ(form->frameGeometry().size(), QSize(400, 450)); // the least outer size

    const int screenWidth = form->screenWidth(), screenHeight = form->screenHeight();
    const struct {
        QRect outer;
        bool saved;
    } cases[] = {
        {QRect(20, 30, 612, 480), true},
        {QRect(0, 0, screenWidth, 480), false},  // as wide as the screen
        {QRect(0, 0, 500, screenHeight), false}, // as high as the screen
        {QRect(0, 0, screenWidth - frame.left() - frame.right(), 480), true},
    };
    for (const auto& c : cases) {
        form->setWindowRect({c.outer.x(), c.outer.y(), c.outer.width(), c.outer.height()});
        QApplication::processEvents();
        EXPECT_EQ(form->frameGeometry(), c.outer);
        ASSERT_TRUE(files.writeLines(iniPath, {"[how]", "twidth=1", "theight=1"}));
        form->reader().SaveSettings();
        ini = files.readLines(iniPath);
        ASSERT_TRUE(ini.has_value());
        EXPECT_EQ(key("twidth"), c.saved ? c.outer.width() : 1) << c.outer.width();
        EXPECT_EQ(key("theight"), c.saved ? c.outer.height() : 1) << c.outer.height();
        EXPECT_EQ(key("tleft"), c.saved ? c.outer.x() : -1);
    }
    form->ResetToStartupDefaultsButton->click();
}

// Adds a bookmark of the shipped book at the front of its section.
void addVestaBookmark(const std::string& bookmarkPath, const std::string& line) {
    RealFileSystem files;
    auto lines = files.readLines(bookmarkPath);
    ASSERT_TRUE(lines.has_value());
    const auto section = std::find(lines->begin(), lines->end(), "<<vesta");
    ASSERT_NE(section, lines->end());
    lines->insert(section + 1, line);
    ASSERT_TRUE(files.writeLines(bookmarkPath, *lines));
}

std::string shippedBookName() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QStringLiteral("/vesta.lit"))
        .toStdString();
}

// A book named on the command line opens on the Reading page behind the About
// page; accepting the resume offer shows the saved page there.
TEST_F(MainWindow, CommandLineBookOpensBehindTheAboutPage) {
    addVestaBookmark(form->reader().state().BookmarkPath, "#300 where I was");
    form->close();
    form.reset();
    bool asked = false;
    QTimer::singleShot(0, [&asked] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        asked = true;
        box->button(QMessageBox::Yes)->click();
    });
    form = std::make_unique<TForm1>(StartOptions{shippedBookName(), false, {}});
    form->show();
    ASSERT_TRUE(QTest::qWaitFor([this] { return form->activated(); }, 5000));
    EXPECT_TRUE(asked);
    EXPECT_EQ(form->reader().state().BookKey, "vesta");
    EXPECT_EQ(form->PageControl1->currentWidget(), form->AboutTabSheet);
    form->PageControl1->setCurrentWidget(form->ReadTabSheet);
    QApplication::processEvents();
    EXPECT_EQ(form->reader().PageStart(), 300);
}

// Texts from files and users are shown as written, never as markup; the
// resume box shows its question, the title, in full.
TEST_F(MainWindow, NamesAreShownAsWritten) {
    const std::string names[] = {"Fish & <i>Chips</i>", "a < b > c"};
    for (const std::string& name : names) {
        addVestaBookmark(form->reader().state().BookmarkPath, "#0 " + name);
        QString shown;
        int boxWidth = 0, titleWidth = 0;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            shown = label && label->textFormat() == Qt::PlainText ? label->text() : QStringLiteral("(markup)");
            QFont bold = box->font();
            bold.setBold(true);
            titleWidth = QFontMetrics(bold).horizontalAdvance(box->windowTitle());
            boxWidth = box->width();
            box->button(QMessageBox::No)->click();
        });
        form->reader().OpenBook(form->reader().state().ProgramDir + "vesta.lit", " ");
        EXPECT_EQ(shown, QString::fromStdString(name));
        // A title bar holds the window's icon and three buttons beside its text.
        EXPECT_GE(boxWidth, titleWidth + 100);
    }

    // Error and message boxes as well.
    for (bool error : {true, false}) {
        Qt::TextFormat format = Qt::RichText;
        QTimer::singleShot(0, [&format] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            format = box->textFormat();
            box->button(QMessageBox::Ok)->click();
        });
        if (error)
            form->showError("Cannot open the book <b>x</b>.lit");
        else
            form->showMessage("<i>Not</i> here yet");
        EXPECT_EQ(format, Qt::PlainText) << error;
    }

    // The Goto pop-up shows "&" as written, not as a shortcut marker.
    addVestaBookmark(form->reader().state().BookmarkPath, "#0 a&b");
    form->BMMenu->popup(QPoint(0, 0));
    form->BMMenu->close();
    form->BMGOItem->trigger();
    ASSERT_FALSE(form->BMPopupMenu->actions().isEmpty());
    EXPECT_EQ(form->BMPopupMenu->actions().front()->iconText(), QStringLiteral("a&b"));
    form->BMPopupMenu->close();
}

// The bookmark-name dialog opens with its last text selected in the edit box:
// typing replaces it, Enter adds it.
TEST_F(MainWindow, BookmarkDialogOpensReadyForTyping) {
    form->reader().OpenBook(form->reader().state().ProgramDir + "title.lit", " ");
    form->Form4()->Edit1->setText(QStringLiteral("old name"));
    QWidget* focus = nullptr;
    QString selected;
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(QTest::qWaitFor([this] { return form->Form4()->isActiveWindow(); }, 2000));
        focus = QApplication::focusWidget();
        selected = form->Form4()->Edit1->selectedText();
        if (focus) {
            QTest::keyClicks(focus, QStringLiteral("new name"));
            QTest::keyClick(focus, Qt::Key_Return);
        }
        if (form->Form4()->isVisible()) form->Form4()->reject(); // never left open
    });
    form->BMMenu->popup(QPoint(0, 0));
    form->BMMenu->close();
    form->BMAddItem->trigger();
    EXPECT_EQ(focus, form->Form4()->Edit1);
    EXPECT_EQ(selected, QStringLiteral("old name"));
    // Its caption stands beside the edit box, not under it, in the desktop's font.
    const QLabel* caption = form->Form4()->Label1;
    EXPECT_LE(caption->x() + caption->sizeHint().width(), form->Form4()->Edit1->x());
    RealFileSystem files;
    const auto lines = files.readLines(form->reader().state().BookmarkPath);
    ASSERT_TRUE(lines.has_value());
    EXPECT_NE(std::find(lines->begin(), lines->end(), "#0 new name"), lines->end());
}

// Assistive technology: the page's description follows every page drawn, the
// position text is readable, and the Index tab is reported as it is shown.
TEST_F(MainWindow, AssistiveTechnologyFollowsThePageThePositionAndTheIndexTab) {
    openSample();
    QAccessibleInterface* pageText = QAccessible::queryAccessibleInterface(form->Image1);
    ASSERT_NE(pageText, nullptr);
    const QString first = pageText->text(QAccessible::Description);
    QTest::keyClick(form->TOCTreeView(), Qt::Key_PageDown);
    ASSERT_NE(pageText->text(QAccessible::Description), first);
    form->dispatch([this] { ReaderPeer::showPageFrom(form->reader(), -40); }); // as Goto "#-40"
    EXPECT_EQ(form->reader().PageStart(), 0);
    EXPECT_EQ(pageText->text(QAccessible::Description), first);

    QAccessibleInterface* position = QAccessible::queryAccessibleInterface(form->PosLabel);
    ASSERT_NE(position, nullptr);
    EXPECT_EQ(position->text(QAccessible::Name), form->PosLabel->text());
    EXPECT_TRUE(form->PosLabel->text().endsWith(QStringLiteral(" panels"))) << form->PosLabel->text().toStdString();

    // Without an index file the Index tab is hidden; with one it is shown.
    QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(form->PageControl2->tabBar());
    ASSERT_NE(panel, nullptr);
    auto indexTab = [panel]() -> QAccessibleInterface* {
        for (int i = 0; i < panel->childCount(); ++i)
            if (QAccessibleInterface* tab = panel->child(i);
                tab && tab->text(QAccessible::Name) == QStringLiteral("Index"))
                return tab;
        return nullptr;
    };
    for (bool shown : {false, true, false}) {
        form->setIndexTabVisible(shown);
        QApplication::processEvents();
        QAccessibleInterface* tab = indexTab();
        if (!shown) {
            EXPECT_TRUE(!tab || tab->state().invisible);
            continue;
        }
        ASSERT_NE(tab, nullptr);
        EXPECT_FALSE(tab->state().invisible);
        EXPECT_FALSE(tab->rect().isEmpty());
        EXPECT_TRUE(panel->rect().contains(tab->rect()));
    }
}

// The reader's text is UTF-8 on its way to the screen, the page's accessible
// text and the Index tree, and text typed into the dialogs reaches it as UTF-8.
TEST_F(MainWindow, Utf8TextOnThePageInTheIndexAndFromTheDialogs) {
    ReaderPeer::setBookLines(form->reader(),
                             {"p000 ", "     \xE2\x80\x9CKeeper\xE2\x80\x99s\xE2\x80\x9D caf|9> \xC3\xA9t\xC3\xA9|4> ",
                              "p001 ", "     na\xC3\xAFve ", "p999", "        END OF FILE", " "});
    form->dispatch([this] { ReaderPeer::showPageFrom(form->reader(), 0); });
    QAccessibleInterface* page = QAccessible::queryAccessibleInterface(form->Image1);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(
        page->text(QAccessible::Description).contains(QString::fromUtf8("\u201CKeeper\u2019s\u201D caf \u00E9t\u00E9")))
        << page->text(QAccessible::Description).toStdString();

    form->setIndexTree(BuildIndexTree(IndexRows({"\xC3\x89t\xC3\xA9|000100001"})));
    const QModelIndex letter = form->indexModel->index(0, 0, form->indexModel->index(0, 0));
    EXPECT_EQ(letter.data().toString(), QStringLiteral("e"));
    EXPECT_EQ(form->indexModel->index(0, 0, letter).data().toString(), QString::fromUtf8("\u00C9t\u00E9"));

    form->FindDialog1()->FindText->setText(QString::fromUtf8("NA\u00CFVE"));
    EXPECT_EQ(form->findQuery().text, "NA\xC3\x8FVE");

    form->reader().OpenBook(form->reader().state().ProgramDir + "title.lit", " ");
    QTimer::singleShot(0, [this] {
        form->Form4()->Edit1->setText(QString::fromUtf8("cl\u00F4ture d\u2019\u00E9t\u00E9"));
        QTest::mouseClick(form->Form4()->Button1, Qt::LeftButton);
    });
    form->BMMenu->popup(QPoint(0, 0));
    form->BMMenu->close();
    form->BMAddItem->trigger();
    RealFileSystem files;
    const auto lines = files.readLines(form->reader().state().BookmarkPath);
    ASSERT_TRUE(lines.has_value());
    EXPECT_NE(std::find(lines->begin(), lines->end(), "#0 cl\xC3\xB4ture d\xE2\x80\x99\xC3\xA9t\xC3\xA9"),
              lines->end());
}

TEST_F(MainWindow, ScreenshotShowsThePage) {
    openSample();
    const QImage shot = form->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    const QString path = QDir::temp().filePath(QStringLiteral("cadenzo-window-test.png"));
    EXPECT_TRUE(shot.save(path));
    // The light scheme's two shades both appear on the page.
    const QImage p = page();
    bool shadeA = false, shadeB = false;
    for (int y = 0; y < p.height(); y += 3) {
        const QRgb c = p.pixel(p.width() - 2, y) & 0xFFFFFF;
        shadeA |= c == 0xE3BC9F;
        shadeB |= c == 0xDDC2A6;
    }
    EXPECT_TRUE(shadeA);
    EXPECT_TRUE(shadeB);
}

} // namespace
} // namespace cadenzo

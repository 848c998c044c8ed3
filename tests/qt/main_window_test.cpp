// The real main window on the offscreen platform: keys, options, resize,
// the control panel, the catalogue tree, bookmarks, find, the index and saving.
#include "display/qt/about_picture.h"
#include "qt/dialog_answers.h"
#include "qt/main_window_fixture.h"

namespace cadenzo {
namespace {

TEST_F(MainWindow, StartsOnTheAboutPageWithTheWelcomePageDrawn) {
    EXPECT_EQ(form->PageControl1->currentWidget(), form->AboutTabSheet);
    EXPECT_EQ(form->PageControl2->currentWidget(), form->ControlsTabSheet);
    EXPECT_EQ(form->reader().state().BookLines.size(), 19u);
    EXPECT_FALSE(form->PrevButton->isEnabled());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Cadenzo"));
    EXPECT_GE(form->width(), 400);
    EXPECT_GE(form->height(), 450);

    // The About picture fills its control at any size: the sheet in the
    // middle, the evening sky at its corner and right edge; and it is a graphic
    // to assistive technology.
    for (const QSize size : {form->ProgramIcon->size(), QSize(120, 80)}) {
        form->ProgramIcon->resize(size);
        const QImage picture = form->ProgramIcon->grab().toImage();
        ASSERT_EQ(picture.size(), size);
        EXPECT_GE(QColor(picture.pixel(size.width() / 2, size.height() / 2)).red(), 0xD0);
        EXPECT_LT(QColor(picture.pixel(2, 2)).lightness(), 80);
        EXPECT_LT(QColor(picture.pixel(size.width() - 3, size.height() / 3)).lightness(), 80);
    }
    QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(form->ProgramIcon);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->role(), QAccessible::Graphic);
    EXPECT_EQ(picture->text(QAccessible::Name), QStringLiteral("About picture"));
}

TEST_F(MainWindow, PageKeysTurnPagesWhereverTheFocusIs) {
    openSample();
    form->TOCTreeView()->setFocus();
    const QImage first = page();
    const int next = form->reader().state().NextPageStart;
    QTest::keyClick(form->TOCTreeView(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(form->reader().PageStart(), next);
    EXPECT_TRUE(form->PrevButton->isEnabled());
    EXPECT_NE(page(), first);
    // Other keys page nowhere, whatever their Qt codes (Ctrl's and "!"'s end in 0x21).
    ReaderPeer::setPageTurned(form->reader(), false);
    for (Qt::Key key : {Qt::Key_Control, Qt::Key_Meta, Qt::Key_Exclam, Qt::Key_QuoteDbl, Qt::Key_Down})
        QTest::keyClick(form->TOCTreeView(), key);
    EXPECT_EQ(form->reader().PageStart(), next);
    EXPECT_FALSE(form->reader().state().PageTurned);
    QTest::keyClick(form->TOCTreeView(), Qt::Key_PageUp);
    EXPECT_EQ(form->reader().PageStart(), 0);
}

TEST_F(MainWindow, PagesDrawnBehindAnotherTabHaveTheReadingPagesSize) {
    openSample();
    const QSize reading = form->Image1->size();
    form->PageControl1->setCurrentWidget(form->TOCTabSheet);
    form->resize(form->width() + 60, form->height() + 40);
    QApplication::processEvents();
    const QSize grown = form->TOCTabSheet->size();
    ASSERT_NE(grown, reading);
    EXPECT_EQ(QSize(form->pageWidth(), form->pageHeight()), grown);
    // A page turned from the catalogue is a whole page, and showing the
    // Reading tab then does not draw it again.
    const int start = form->reader().PageStart();
    QTest::keyClick(form->TOCTreeView(), Qt::Key_PageDown);
    const int turned = form->reader().PageStart();
    EXPECT_GT(turned - start, 10);
    const QImage drawn = form->pageSurfaceImage();
    form->PageControl1->setCurrentWidget(form->ReadTabSheet);
    QApplication::processEvents();
    EXPECT_EQ(form->Image1->size(), grown);
    EXPECT_EQ(form->pageSurfaceImage(), drawn);
}

// Actions that change nothing for the reader draw and switch nothing.
TEST_F(MainWindow, FocusComingBackAClickOnThePageOrOnTheChosenSchemeChangeNothing) {
    openSample();
    // Focus leaves the window and comes back to the Next button: no tab is entered.
    form->NextButton->setFocus();
    form->PageControl1->setCurrentWidget(form->TOCTabSheet);
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_EQ(QApplication::focusWidget(), form->NextButton);
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TOCTabSheet);

    // A click on the page leaves the control panel's tab as it is.
    form->PageControl1->setCurrentWidget(form->ReadTabSheet);
    form->PageControl2->setCurrentWidget(form->OptionsTabSheet);
    QTest::mouseClick(form->Image1, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(form->PageControl2->currentWidget(), form->OptionsTabSheet);

    // Clicking the scheme already chosen keeps one shade.
    form->SingleShadeBgCheckBox->click();
    ASSERT_EQ(form->reader().state().ColorSets[0], form->reader().state().ColorSets[1]);
    form->BGColorRadioGroup->checkedButton()->click();
    EXPECT_EQ(form->reader().state().ColorSets[0], form->reader().state().ColorSets[1]);
    form->ResetToStartupDefaultsButton->click(); // the settings file as the other tests expect it
}

TEST_F(MainWindow, OptionsRedrawThePage) {
    openSample();
    QImage before = page();
    form->BGColorRadioGroup->button(1)->click();
    EXPECT_NE(page(), before);
    before = page();
    form->TwoColCheckBox->click();
    EXPECT_TRUE(form->TwoColCheckBox->isChecked());
    EXPECT_NE(page(), before);
    form->FontSizeUpDown->setValue(20);
    EXPECT_EQ(form->FontSizeTrackBar->value(), 20);
    EXPECT_EQ(form->reader().state().PageFontSize, 20);
    form->FontSizeTrackBar->setValue(12);
    EXPECT_EQ(form->FontSizeUpDown->value(), 12);
    EXPECT_EQ(form->TOCTreeView()->font().pointSize(), 12);
}

TEST_F(MainWindow, NextButtonBringsTheReadingPageToTheFront) {
    openSample();
    form->PageControl1->setCurrentWidget(form->TOCTabSheet);
    QTest::mouseClick(form->NextButton, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(form->PageControl1->currentWidget(), form->ReadTabSheet);
    EXPECT_GT(form->reader().PageStart(), 0);
}

TEST_F(MainWindow, HidingThePanelGivesThePageTheWholeWidth) {
    form->resize(800, 600);
    QApplication::processEvents();
    EXPECT_EQ(form->PageControl2->width(), 200);
    EXPECT_EQ(form->PageControl1->width(), form->centralWidget()->width() - 200);
    form->HideControlPanelItem->trigger();
    QApplication::processEvents();
    EXPECT_EQ(form->PageControl1->width(), form->centralWidget()->width());
    EXPECT_FALSE(form->HideControlPanelItem->isVisible());
    EXPECT_TRUE(form->ShowControlPanelItem->isVisible());
    form->ShowControlPanelItem->trigger();
    EXPECT_EQ(form->PageControl2->width(), 200);
}

TEST_F(MainWindow, ClosingSavesGeometryAndOptions) {
    form->setWindowRect({30, 40, 640, 520}); // the outer rectangle
    form->BGColorRadioGroup->button(2)->click();
    form->SingleShadeBgCheckBox->click();
    form->FontSizeTrackBar->setValue(18);
    QApplication::processEvents();
    const std::string iniPath = form->reader().state().IniPath;
    form->close();
    form.reset();
    RealFileSystem files;
    const auto ini = files.readLines(iniPath);
    ASSERT_TRUE(ini.has_value());
    EXPECT_EQ(IniReadInteger(*ini, "how", "background", -1), 2);
    EXPECT_EQ(IniReadInteger(*ini, "how", "plainbkg", -1), 1);
    EXPECT_EQ(IniReadInteger(*ini, "how", "fontsize", -1), 18);
    EXPECT_EQ(IniReadInteger(*ini, "how", "twidth", -1), 640);
    EXPECT_EQ(IniReadInteger(*ini, "how", "theight", -1), 520);

    // The next start reads them back.
    form = std::make_unique<TForm1>(StartOptions{});
    EXPECT_EQ(form->BGColorRadioGroup->checkedId(), 2);
    EXPECT_TRUE(form->SingleShadeBgCheckBox->isChecked());
    EXPECT_EQ(form->FontSizeTrackBar->value(), 18);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    EXPECT_EQ(form->frameGeometry(), QRect(30, 40, 640, 520));
    // Back to the defaults for the other tests.
    form->ResetToStartupDefaultsButton->click();
    EXPECT_EQ(form->BGColorRadioGroup->checkedId(), 0);
}

TEST_F(MainWindow, CatalogueTextClicksOpenAndExpandBoxClicksOnlyToggle) {
    form->PageControl1->setCurrentWidget(form->TOCTabSheet);
    QTreeWidget* tree = form->TOCTreeView();
    QTreeWidgetItem* byTitle = tree->topLevelItem(0)->child(0);
    QTreeWidgetItem* byAuthor = tree->topLevelItem(0)->child(1);
    ASSERT_TRUE(byAuthor->isExpanded()); // the first view
    ASSERT_FALSE(byTitle->isExpanded());
    auto textPoint = [&](QTreeWidgetItem* item) { return tree->visualItemRect(item).center(); };
    auto boxPoint = [&](QTreeWidgetItem* item) {
        const QRect r = tree->visualItemRect(item);
        return QPoint(r.left() - tree->indentation() / 2, r.center().y());
    };

    // The very first click opens what it hits.
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, textPoint(byAuthor->child(0)));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Cadenzo -- Penwright"));
    EXPECT_EQ(form->reader().state().BookKey, "aut");
    EXPECT_EQ(form->PageControl1->currentWidget(), form->ReadTabSheet);

    form->PageControl1->setCurrentWidget(form->TOCTabSheet);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, boxPoint(byTitle));
    EXPECT_TRUE(byTitle->isExpanded());
    EXPECT_EQ(form->reader().state().BookKey, "aut"); // only toggled
    EXPECT_EQ(form->reader().state().TOCToggled, 0);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, textPoint(byTitle));
    EXPECT_EQ(form->reader().state().BookKey, "title");
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Cadenzo -- Listed by Title"));

    form->PageControl1->setCurrentWidget(form->TOCTabSheet);
    // A double-click, as the desktop delivers it: a click, then the double-click.
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, textPoint(byAuthor));
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, textPoint(byAuthor));
    EXPECT_EQ(form->reader().state().BookKey, "author");
    EXPECT_FALSE(byAuthor->isExpanded()); // the double-click toggled the branch
    EXPECT_EQ(form->reader().state().TOCToggled, 0);

    // A click in the indentation left of a node's expand box opens it once:
    // one resume question, not two.
    QTreeWidgetItem* title = showChapters();
    clickText(title->child(1));
    ASSERT_EQ(form->reader().state().BookKey, "vesta");
    QTest::keyClick(tree, Qt::Key_PageDown);
    form->PageControl1->setCurrentWidget(form->TOCTabSheet);
    clickText(byAuthor); // leaving Vestaria after paging writes its closing bookmark
    form->PageControl1->setCurrentWidget(form->TOCTabSheet);
    int questions = 0;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&questions] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++questions;
            box->button(QMessageBox::No)->click();
        }
    });
    answer.start(10);
    const QRect r = tree->visualItemRect(title);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(r.left() - tree->indentation() - 4, r.center().y()));
    answer.stop();
    EXPECT_EQ(form->reader().state().BookKey, "vesta");
    EXPECT_EQ(questions, 1);
}

TEST_F(MainWindow, BookmarkDialogAddsANamedBookmark) {
    form->reader().OpenBook(form->reader().state().ProgramDir + "title.lit", " ");
    QTimer::singleShot(0, [this] {
        form->Form4()->Edit1->setText(QStringLiteral("by the window"));
        QTest::mouseClick(form->Form4()->Button1, Qt::LeftButton);
    });
    form->BMMenu->popup(QPoint(0, 0)); // opening the menu refreshes the section
    form->BMMenu->close();
    form->BMAddItem->trigger();
    EXPECT_EQ(form->Form4()->windowTitle(), QStringLiteral("BookMark Name"));
    EXPECT_EQ(form->Form4()->size(), QSize(498, 60));
    RealFileSystem files;
    const auto lines = files.readLines(form->reader().state().BookmarkPath);
    ASSERT_TRUE(lines.has_value());
    EXPECT_NE(std::find(lines->begin(), lines->end(), "#0 by the window"), lines->end());
}

TEST_F(MainWindow, AssistiveTechnologySeesCaptionsAndThePageText) {
    openSample();
    QAccessibleInterface* page = QAccessible::queryAccessibleInterface(form->Image1);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->text(QAccessible::Name), QStringLiteral("Page"));
    const QString text = page->text(QAccessible::Description);
    EXPECT_TRUE(text.startsWith(QStringLiteral("     The tide came early that evening,\n"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QLatin1Char('|')));
    QTest::keyClick(form->TOCTreeView(), Qt::Key_PageDown);
    EXPECT_NE(page->text(QAccessible::Description), text); // follows every page drawn

    const std::pair<QWidget*, QString> controls[] = {
        {form->NextButton, QStringLiteral("Next")},
        {form->SingleShadeBgCheckBox, QStringLiteral("1 Color Background ")},
        {form->FontSizeTrackBar, QStringLiteral("Font Size")},
        {form->TOCTreeView(), QStringLiteral("Table Of Contents")},
        {form->ResetToStartupDefaultsButton, QStringLiteral("Reset To Startup Defaults")},
    };
    for (const auto& [widget, name] : controls) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(QAccessible::Name), name);
    }
}

// A user's evening with the shipped book: a chapter, a few pages, a named
// bookmark, closing, and the offer to resume at the next start.
TEST_F(MainWindow, ChapterBookmarkCloseAndResume) {
    clickText(showChapters()->child(2));
    ASSERT_EQ(form->reader().state().BookKey, "vesta");
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Cadenzo -- Vestaria, by Penwright"));
    EXPECT_EQ(form->reader().state().BookLines[static_cast<std::size_t>(form->reader().PageStart() - 1)],
              "|refpt003> ");
    QTest::keyClick(form->TOCTreeView(), Qt::Key_PageDown);
    QTest::keyClick(form->TOCTreeView(), Qt::Key_PageDown);
    const int marked = form->reader().PageStart();

    QTimer::singleShot(0, [this] {
        form->Form4()->Edit1->setText(QStringLiteral("where Tobias shows the books"));
        QTest::mouseClick(form->Form4()->Button1, Qt::LeftButton);
    });
    form->BMMenu->popup(QPoint(0, 0));
    form->BMMenu->close();
    form->BMAddItem->trigger();
    form->close();
    form.reset();

    form = std::make_unique<TForm1>(StartOptions{});
    form->show();
    ASSERT_TRUE(QTest::qWaitFor([this] { return form->activated(); }, 5000));
    QString question;
    QTimer::singleShot(0, [&question] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        question = box->windowTitle() + QLatin1Char('|') + box->text();
        box->button(QMessageBox::Yes)->click();
    });
    clickText(showChapters());
    EXPECT_EQ(
        question,
        QStringLiteral("Do you want to start reading where you last closed the file?|where Tobias shows the books"));
    EXPECT_EQ(form->reader().PageStart(), marked);
}

// Find a word, load the shipped index and go to a reference, save the page.
TEST_F(MainWindow, FindIndexAndSave) {
    // The shipped index stands beside the program, as the build places it.
    const QString lix = QCoreApplication::applicationDirPath() + QStringLiteral("/vesta.lix");
    QFile::remove(lix);
    ASSERT_TRUE(QFile::copy(QStringLiteral(CADENZO_VESTA_LIX), lix));
    form->close();
    form = std::make_unique<TForm1>(StartOptions{});
    form->show();
    ASSERT_TRUE(QTest::qWaitFor([this] { return form->activated(); }, 5000));
    clickText(showChapters()->child(0));
    ASSERT_TRUE(form->PageControl2->isTabVisible(form->PageControl2->indexOf(form->IndexTabSheet)));

    form->FindItem->trigger();
    ASSERT_TRUE(form->FindDialog1()->isVisible());
    EXPECT_EQ(form->FindDialog1()->pos(), form->pos() + QPoint(50, 50));
    form->FindDialog1()->FindText->setText(QStringLiteral("Tobias"));
    const int before = form->reader().PageStart();
    QTest::mouseClick(form->FindDialog1()->FindNext, Qt::LeftButton);
    EXPECT_GT(form->reader().PageStart(), before);
    EXPECT_NE(
        form->reader().state().BookLines[static_cast<std::size_t>(form->reader().state().FindHitLine)].find("Tobias"),
        std::string::npos);

    form->PageControl2->setCurrentWidget(form->IndexTabSheet);
    QTest::mouseClick(form->IndexLoadButton, Qt::LeftButton);
    ASSERT_TRUE(form->InxTreeView()->isVisibleTo(form.get()));
    EXPECT_EQ(form->InxTreeView()->currentIndex().data().toString(), QStringLiteral("a"));
    // The first reference of the first word.
    const QModelIndex word = form->indexModel->index(0, 0, form->InxTreeView()->currentIndex());
    const QModelIndex reference = form->indexModel->index(0, 0, word);
    form->InxTreeView()->expand(form->InxTreeView()->currentIndex());
    form->InxTreeView()->expand(word);
    const int found = form->reader().PageStart();
    QTest::mouseClick(form->InxTreeView()->viewport(), Qt::RightButton, {},
                      form->InxTreeView()->visualRect(reference).center());
    EXPECT_EQ(form->reader().PageStart(), found); // only a left click goes there
    QTest::mouseClick(form->InxTreeView()->viewport(), Qt::LeftButton, {},
                      form->InxTreeView()->visualRect(reference).center());
    const int line = reference.data().toString().trimmed().toInt();
    EXPECT_EQ(form->reader().PageStart(), std::max(0, line - 5));

    const QString saved = data.filePath(QStringLiteral("saved-page.txt"));
    QTimer::singleShot(0, [&saved] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        chooseFile(dialog, saved);
    });
    form->SaveScreenItem->trigger();
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("\r\n"));
    EXPECT_FALSE(text.contains('|'));
    QFile::remove(lix);
}

} // namespace
} // namespace cadenzo

// The real window reading books from outside the catalogue: a UTF-8 plain-text
// book from "Open File" and an EPUB dropped on the window, paged, searched,
// indexed, bookmarked, closed and resumed.
#include "app/qt/background_work.h"
#include "app/qt/main_window.h"
#include "app/qt/page_view.h"
#include "base/errors.h"
#include "book_file.h"
#include "bookmarks/qt/bookmark_name_dialog.h"
#include "qt/dialog_answers.h"
#include "search/qt/find_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QUrl>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#ifdef CADENZO_TEST_EPUB
#include <zip.h>
#endif

namespace cadenzo {
namespace {

// A UTF-8 book of two chapters with accented letters and typographic quotes,
// long enough to page through.
QByteArray cafeBook() {
    QByteArray text = "THE CAFÉ AT THE QUAY\n\nby Héloïse Marchand\n\n\n";
    for (int chapter = 1; chapter <= 2; ++chapter) {
        text += chapter == 1 ? "CHAPTER I.\nThe Storm\n\n" : "\n\nCHAPTER II.\nLow Water\n\n";
        for (int p = 0; p < 30; ++p)
            text +=
                "“It’s late,” said the clerk — and it was. Noël counted the boats twice, then walked "
                "down to the causeway in the grey hour before dawn. The façade of the old hôtel stood "
                "dark.\n\n";
        if (chapter == 2) text += "Émile kept the café open until midnight.\n";
    }
    return text;
}

// Answers the next modal box or dialog with `act`, once it shows. The watch
// belongs to `test`, so one left unanswered ends with its test and cannot
// answer a box of the next one.
template <typename Box, typename Act> void whenShown(QObject* test, Act act) {
    auto* timer = new QTimer(test);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* box = qobject_cast<Box*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(box);
        }
    });
    timer->start(10);
}

class OutsideBookWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(data.isValid());
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        cafe = data.filePath(QStringLiteral("café.txt"));
        QFile file(cafe);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(cafeBook());
    }
    void start(const QString& book = {}) {
        form = std::make_unique<TForm1>(StartOptions{book.toStdString(), false, {}});
        form->show();
        ASSERT_TRUE(QTest::qWaitFor([this] { return form->activated(); }, 5000));
        QApplication::processEvents();
    }
    void TearDown() override {
        if (form) form->close();
    }
    QString bookmarks() {
        QFile file(QString::fromStdString(form->reader().state().BookmarkPath));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    QTreeWidgetItem* lastTopLevel() {
        QTreeWidget* tree = form->TOCTreeView();
        return tree->topLevelItem(tree->topLevelItemCount() - 1);
    }

    QObject answers; // the dialog watches of the running test
    QTemporaryDir data;
    QString cafe;
    std::unique_ptr<TForm1> form;
};

TEST_F(OutsideBookWindow, PlainTextFromOpenFileIsReadLikeAnyBook) {
    start();
    const int topLevel = form->TOCTreeView()->topLevelItemCount();
    QString filter, title;
    whenShown<QFileDialog>(&answers, [&](QFileDialog* dialog) {
        filter = dialog->nameFilters().join(QLatin1Char(';'));
        title = dialog->windowTitle();
        chooseFile(dialog, cafe);
    });
    form->OpenLITItem->trigger();
    EXPECT_EQ(filter, QStringLiteral("Books (*.lit *.txt *.epub)"));
    EXPECT_EQ(title, QStringLiteral("Open TidalType(tm) Document"));
    ASSERT_EQ(form->reader().state().BookFileName, cafe.toStdString());
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8("Cadenzo -- THE CAFÉ AT THE QUAY"));
    EXPECT_EQ(form->PageControl1->currentWidget(), form->ReadTabSheet);
    EXPECT_TRUE(form->Image1->accessibleDescription().contains(QString::fromUtf8("“It’s late,”")));
    if (const QByteArray shots = qgetenv("CADENZO_TEST_SHOTS"); !shots.isEmpty())
        form->grab().save(QString::fromUtf8(shots) + QStringLiteral("/plain-text-page.png"));

    // Its node, with its chapters, after the catalogue's.
    ASSERT_EQ(form->TOCTreeView()->topLevelItemCount(), topLevel + 1);
    EXPECT_EQ(lastTopLevel()->text(0), QString::fromUtf8("THE CAFÉ AT THE QUAY"));
    EXPECT_EQ(lastTopLevel()->childCount(), 2);

    // Paging and Find, letter case folded beyond ASCII.
    QTest::mouseClick(form->NextButton, Qt::LeftButton);
    const int paged = form->reader().PageStart();
    EXPECT_GT(paged, 0);
    form->FindItem->trigger();
    form->FindDialog1()->FindText->setText(QString::fromUtf8("ÉMILE"));
    QTest::mouseClick(form->FindDialog1()->FindNext, Qt::LeftButton);
    EXPECT_GT(form->reader().PageStart(), paged);
    EXPECT_NE(
        form->reader().state().BookLines[static_cast<std::size_t>(form->reader().state().FindHitLine)].find("Émile"),
        std::string::npos);

    // The index, built in memory.
    ASSERT_GE(form->PageControl2->indexOf(form->IndexTabSheet), 0);
    form->PageControl2->setCurrentWidget(form->IndexTabSheet);
    QTest::mouseClick(form->IndexLoadButton, Qt::LeftButton);
    EXPECT_TRUE(form->InxTreeView()->isVisibleTo(form.get()));
    EXPECT_GT(form->InxTreeView()->model()->rowCount(form->InxTreeView()->currentIndex()), 0);
    EXPECT_EQ(QDir(data.path()).entryList(QDir::Files), QStringList{QStringLiteral("café.txt")});

    // A bookmark under its key.
    whenShown<TForm4>(&answers, [](TForm4* dialog) {
        dialog->Edit1->setText(QString::fromUtf8("at the café"));
        QTest::mouseClick(dialog->Button1, Qt::LeftButton);
    });
    ASSERT_TRUE(form->BMMenu->menuAction()->isVisible());
    form->BMMenu->popup(QPoint(0, 0));
    form->BMMenu->close();
    form->BMAddItem->trigger();
    const int marked = form->reader().PageStart();
    EXPECT_TRUE(bookmarks().contains(QString::fromUtf8("<<café\r\n#%1 at the café\r\n").arg(marked)));

    // Closed after paging, and resumed at the next start from the command line.
    QTest::mouseClick(form->NextButton, Qt::LeftButton);
    const int closedAt = form->reader().PageStart();
    form->close();
    EXPECT_TRUE(bookmarks().contains(QString::fromUtf8("<<café\r\n#%1 Closed book at ").arg(closedAt)));
    form.reset();
    QString question;
    whenShown<QMessageBox>(&answers, [&question](QMessageBox* box) {
        question = box->windowTitle();
        box->button(QMessageBox::Yes)->click();
    });
    start(cafe);
    EXPECT_EQ(question, QStringLiteral("Do you want to start reading where you last closed the file?"));
    EXPECT_EQ(form->reader().PageStart(), closedAt);
    EXPECT_EQ(lastTopLevel()->text(0), QString::fromUtf8("THE CAFÉ AT THE QUAY"));
}

TEST_F(OutsideBookWindow, FileThatCannotBeLaidOutIsReportedAndTheBookStays) {
    start(cafe);
    const auto lines = form->reader().state().BookLines;
    const QString empty = data.filePath(QStringLiteral("empty.txt"));
    QFile(empty).open(QIODevice::WriteOnly);
    QString shown;
    whenShown<QMessageBox>(&answers, [&shown](QMessageBox* box) {
        shown = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    whenShown<QFileDialog>(&answers, [&](QFileDialog* dialog) { chooseFile(dialog, empty); });
    form->OpenLITItem->trigger();
    EXPECT_EQ(shown, QStringLiteral("Cannot open the book %1: the input is empty").arg(empty));
    EXPECT_EQ(form->reader().state().BookFileName, cafe.toStdString());
    EXPECT_EQ(form->reader().state().BookLines, lines);
}

// The trees are made when first needed: the catalogue tree when its page
// first comes to the front, with what the reader set before (its nodes, the
// outside book's, the node expanded and chosen, the type size); the index tree
// when an index is shown.
TEST_F(OutsideBookWindow, TreesAreMadeWhenFirstShownWithWhatWasSetBefore) {
    start(cafe);
    EXPECT_EQ(form->findChild<QTreeWidget*>(QStringLiteral("TOCTreeView")), nullptr);
    EXPECT_EQ(form->findChild<QTreeView*>(QStringLiteral("InxTreeView")), nullptr);
    form->PageControl1->setCurrentWidget(form->TOCTabSheet);
    QTreeWidget* tree = form->findChild<QTreeWidget*>(QStringLiteral("TOCTreeView"));
    ASSERT_NE(tree, nullptr);
    EXPECT_TRUE(tree->isVisible());
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_TRUE(tree->topLevelItem(0)->isExpanded());
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0));
    EXPECT_EQ(lastTopLevel()->text(0), QString::fromUtf8("THE CAFÉ AT THE QUAY"));
    EXPECT_EQ(lastTopLevel()->childCount(), 2);
    EXPECT_EQ(tree->font().pointSize(), 15);
    EXPECT_EQ(tree->accessibleName(), QStringLiteral("Table Of Contents"));
    form->IndexLoadButton->click();
    QTreeView* index = form->findChild<QTreeView*>(QStringLiteral("InxTreeView"));
    ASSERT_NE(index, nullptr);
    EXPECT_EQ(index->accessibleName(), QStringLiteral("Index"));
    EXPECT_GT(index->model()->rowCount(), 0);
}

// A long book opens at its first part; the rest joins it once laid out, and
// closing the window while the rest is laid out abandons it.
TEST_F(OutsideBookWindow, LongBookOpensAtItsFirstPartAndTheRestJoinsIt) {
    QByteArray text = "THE LONG SHORE\n\n";
    for (std::size_t p = 0; p < format::kFirstPartFromSentences + 100; ++p)
        text += "The tide came in at " + QByteArray::number(static_cast<qulonglong>(p)) + " past the hour.\n\n";
    const QString path = data.filePath(QStringLiteral("long.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    const BookLineList whole = PrepareBookLines(format::layOutBook(text.toStdString(), "long.txt").lines);

    start(path);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !form->reader().state().PendingBook; }, 10000));
    const BookLineList& lines = form->reader().state().BookLines;
    ASSERT_GE(lines.size(), whole.size());
    EXPECT_TRUE(std::equal(whole.begin(), whole.end(), lines.begin()));
    EXPECT_EQ(form->PosLabel->text(), QStringLiteral("0 of %1 panels").arg(lines.size() / 100));

    form->close();
    form = std::make_unique<TForm1>(StartOptions{path.toStdString(), false, {}});
    const auto closing = std::chrono::steady_clock::now();
    form.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - closing, std::chrono::seconds(2));
}

// Long layouts run beside the window's thread: the window goes on handling
// its events, shows a notice while the work lasts, and gets the result or the
// error back.
TEST_F(OutsideBookWindow, LongWorkKeepsTheWindowPaintingAndShowsANotice) {
    start();
    int ticks = 0;
    bool noticeSeen = false;
    int barShown = -1;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        ++ticks;
        auto* notice = form->findChild<QProgressDialog*>(QStringLiteral("BackgroundWorkNotice"));
        if (!notice || !notice->isVisible()) return;
        noticeSeen = noticeSeen || notice->labelText().contains(QStringLiteral("slow"));
        if (auto* bar = notice->findChild<QProgressBar*>()) barShown = std::max(barShown, bar->value());
    });
    tick.start(10);
    std::atomic<int> percent{0};
    const std::vector<std::string> laidOut = RunInBackground(
        form.get(), QStringLiteral("a slow book"),
        [&percent] {
            percent = 40; // how far the work says it has come
            std::this_thread::sleep_for(std::chrono::milliseconds(kBackgroundNoticeDelayMs + 300));
            return std::vector<std::string>{"banner", "l00text"};
        },
        &percent);
    tick.stop();
    EXPECT_EQ(laidOut.size(), 2u);
    EXPECT_GE(ticks, 5); // the window's thread went on with its events
    EXPECT_TRUE(noticeSeen);
    EXPECT_EQ(barShown, 40);
    EXPECT_THROW(RunInBackground(form.get(), QStringLiteral("a broken book"),
                                 []() -> std::vector<std::string> {
                                     std::this_thread::sleep_for(std::chrono::milliseconds(200));
                                     throw ReaderError("the input is empty");
                                 }),
                 ReaderError);
    // Quick work shows no notice.
    const auto quick =
        RunInBackground(form.get(), QStringLiteral("quick"), [] { return std::vector<std::string>{"word|00000001"}; });
    EXPECT_EQ(quick.size(), 1u);
}

#ifdef CADENZO_TEST_EPUB
// A small EPUB 3 book: two chapters named by its navigation document.
void writeEpub(const QString& path) {
    const std::string container =
        R"(<?xml version="1.0"?><container version="1.0" xmlns="urn:oasis:names:tc:opendocument:xmlns:container">)"
        R"(<rootfiles><rootfile full-path="OEBPS/content.opf" media-type="application/oebps-package+xml"/>)"
        R"(</rootfiles></container>)";
    const std::string package =
        R"(<?xml version="1.0" encoding="UTF-8"?><package xmlns="http://www.idpf.org/2007/opf" version="3.0">)"
        R"(<metadata xmlns:dc="http://purl.org/dc/elements/1.1/"><dc:title>The Salt Road</dc:title>)"
        R"(<dc:creator>Anna Vell</dc:creator></metadata><manifest>)"
        R"(<item id="nav" href="nav.xhtml" media-type="application/xhtml+xml" properties="nav"/>)"
        R"(<item id="c1" href="c1.xhtml" media-type="application/xhtml+xml"/>)"
        R"(<item id="c2" href="c2.xhtml" media-type="application/xhtml+xml"/></manifest>)"
        R"(<spine><itemref idref="c1"/><itemref idref="c2"/></spine></package>)";
    auto page = [](const std::string& body) {
        return R"(<?xml version="1.0" encoding="UTF-8"?><html xmlns="http://www.w3.org/1999/xhtml" )"
               R"(xmlns:epub="http://www.idpf.org/2007/ops"><head><title>x</title></head><body>)" +
               body + "</body></html>";
    };
    std::string storm = "<h1>The Storm</h1>";
    for (int i = 0; i < 20; ++i) storm += "<p>The wind rose before dawn and the sea turned grey.</p>";
    const std::vector<std::pair<std::string, std::string>> entries = {
        {"mimetype", "application/epub+zip"},
        {"META-INF/container.xml", container},
        {"OEBPS/content.opf", package},
        {"OEBPS/nav.xhtml", page(R"(<nav epub:type="toc"><ol><li><a href="c1.xhtml">The Storm</a></li>)"
                                 R"(<li><a href="c2.xhtml">The Calm</a></li></ol></nav>)")},
        {"OEBPS/c1.xhtml", page(storm)},
        {"OEBPS/c2.xhtml", page("<h1>The Calm</h1><p>By noon Mara’s boats were in.</p>")}};
    int error = 0;
    zip_t* archive = zip_open(path.toUtf8().constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const auto& [name, bytes] : entries) {
        zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        ASSERT_NE(source, nullptr);
        ASSERT_GE(zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE), 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

TEST_F(OutsideBookWindow, EpubDroppedOnTheWindowOpensAtItsChapters) {
    start();
    const QString epub = data.filePath(QStringLiteral("salt road.epub"));
    writeEpub(epub);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(epub)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &drop);
    ASSERT_EQ(form->reader().state().BookFileName, epub.toStdString());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Cadenzo -- The Salt Road"));
    QTreeWidgetItem* book = lastTopLevel();
    ASSERT_EQ(book->childCount(), 2);
    EXPECT_EQ(book->child(1)->text(0), QStringLiteral("The Calm"));

    // Its second chapter's node opens the page after that chapter's anchor.
    form->PageControl1->setCurrentWidget(form->TOCTabSheet);
    const QRect bookRect = form->TOCTreeView()->visualItemRect(book); // its expand box, clicked
    QTest::mouseClick(form->TOCTreeView()->viewport(), Qt::LeftButton, {},
                      QPoint(bookRect.left() - form->TOCTreeView()->indentation() / 2, bookRect.center().y()));
    ASSERT_TRUE(book->isExpanded());
    QTest::mouseClick(form->TOCTreeView()->viewport(), Qt::LeftButton, {},
                      form->TOCTreeView()->visualItemRect(book->child(1)).center());
    const int start = form->reader().PageStart();
    ASSERT_GT(start, 0);
    EXPECT_NE(form->reader().state().BookLines[static_cast<std::size_t>(start - 1)].find("|refpt002>"),
              std::string::npos);
    EXPECT_EQ(form->PageControl1->currentWidget(), form->ReadTabSheet);

    // Files of other kinds are not taken.
    QMimeData other;
    other.setUrls({QUrl::fromLocalFile(data.filePath(QStringLiteral("picture.png")))});
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &other, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &refused);
    EXPECT_FALSE(refused.isAccepted());
}
#endif

} // namespace
} // namespace cadenzo

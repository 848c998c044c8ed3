// The real main window on the offscreen platform, started for each test in a
// data folder of its own.
#pragma once

#include "app/ini_file.h"
#include "app/qt/main_window.h"
#include "app/qt/page_view.h"
#include "bookmarks/qt/bookmark_name_dialog.h"
#include "search/find.h"
#include "search/qt/find_dialog.h"
#include "search/qt/index_model.h"
#include "support/reader_peer.h"

#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>

namespace cadenzo {

inline BookLineList sampleBook() {
    BookLineList lines;
    for (int s = 0; s < 120; ++s) {
        lines.push_back(s % 3 == 0 ? "p" + std::to_string(100 + s) + " " : std::string("s000 "));
        lines.push_back("     The tide came|9> early|4> that evening,");
        lines.push_back("          and the bell rang " + std::to_string(s));
        lines.push_back("             over the|7> causeway|4>. ");
    }
    for (const char* end : {"p999", "        END OF FILE", " "}) lines.push_back(end);
    return lines;
}

class MainWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        // Each test starts from a data folder of its own: no settings or
        // bookmarks left by another test.
        ASSERT_TRUE(data.isValid());
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        form = std::make_unique<TForm1>(StartOptions{});
        form->show();
        ASSERT_TRUE(QTest::qWaitFor([this] { return form->activated(); }, 5000));
        QApplication::processEvents();
    }
    void TearDown() override {
        if (form) form->close();
    }
    void openSample() {
        ReaderPeer::setBookLines(form->reader(), sampleBook());
        form->dispatch([this] { ReaderPeer::showPageFrom(form->reader(), 0); });
        form->PageControl1->setCurrentWidget(form->ReadTabSheet);
        QApplication::processEvents();
    }
    QImage page() { return form->Image1->grab().toImage(); }
    // Opens the tree down to Vestaria's chapters under "Listed by Title", by
    // clicking the expand boxes as a user does, and returns the title's node.
    QTreeWidgetItem* showChapters() {
        form->PageControl1->setCurrentWidget(form->TOCTabSheet);
        QTreeWidget* tree = form->TOCTreeView();
        QTreeWidgetItem* byTitle = tree->topLevelItem(0)->child(0);
        for (QTreeWidgetItem* item : {byTitle, byTitle->child(0)}) {
            const QRect r = tree->visualItemRect(item);
            if (!item->isExpanded())
                QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                                  QPoint(r.left() - tree->indentation() / 2, r.center().y()));
        }
        return byTitle->child(0);
    }
    void clickText(QTreeWidgetItem* item) {
        QTest::mouseClick(form->TOCTreeView()->viewport(), Qt::LeftButton, {},
                          form->TOCTreeView()->visualItemRect(item).center());
    }

    QTemporaryDir data;
    std::unique_ptr<TForm1> form;
};

} // namespace cadenzo

// The word index's item model, checked by Qt's own model tester: every index,
// parent and row count it reports must agree, through resets too.
#include "search/qt/index_model.h"

#include <QAbstractItemModelTester>
#include <QStringList>

#include <gtest/gtest.h>

namespace cadenzo {
namespace {

QStringList modelTestMessages;

void collectModelTestMessages(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (context.category && QByteArray(context.category).startsWith("qt.modeltest")) modelTestMessages << message;
}

TEST(IndexModel, KeepsQtsModelRulesThroughResetsAndMapsNodesBothWays) {
    modelTestMessages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectModelTestMessages);
    IndexModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);

    model.setTree(BuildIndexTree(IndexRows(
        {" the|xxxx00001", "Apple|abcd00012", "apricot|abcd00340|abcd001234", "Bear|abcd00007", "I|xxxx00020"})));
    const IndexTree& tree = model.tree();
    ASSERT_GT(tree.size(), 8);
    EXPECT_EQ(model.rowCount(), static_cast<int>(tree.topLevel.size()));
    EXPECT_EQ(model.data(model.index(0, 0), Qt::DisplayRole).toString(), "Index");
    for (int n = 0; n < tree.size(); ++n) {
        const QModelIndex index = model.indexOfNode(n);
        ASSERT_TRUE(index.isValid()) << n;
        EXPECT_EQ(model.nodeOf(index), n);
        EXPECT_EQ(model.index(index.row(), 0, model.parent(index)), index) << n;
        EXPECT_EQ(model.nodeOf(model.parent(index)), tree.parent[static_cast<std::size_t>(n)]) << n;
    }
    // Positions that name no node give no index and no data.
    EXPECT_FALSE(model.indexOfNode(tree.size()).isValid());
    EXPECT_FALSE(model.indexOfNode(-1).isValid());
    EXPECT_FALSE(model.index(model.rowCount(), 0).isValid());
    EXPECT_FALSE(model.index(0, 1).isValid());

    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
    model.setTree(BuildIndexTree(IndexRows({"Bear|abcd00007"})));
    EXPECT_EQ(model.rowCount(), 1);

    qInstallMessageHandler(previous);
    EXPECT_TRUE(modelTestMessages.isEmpty()) << modelTestMessages.join('\n').toStdString();
}

} // namespace
} // namespace cadenzo

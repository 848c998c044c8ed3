// The loaded word index as an item model for InxTreeView: the core's tree,
// shown without copying a row per node.
#pragma once

#include "search/word_index.h"

#include <QAbstractItemModel>

namespace cadenzo {

class IndexModel : public QAbstractItemModel {
    Q_OBJECT
  public:
    using QAbstractItemModel::QAbstractItemModel;

    void setTree(IndexTree tree);
    void clear() { setTree(IndexTree{}); }
    const IndexTree& tree() const { return tree_; }
    QModelIndex indexOfNode(int node) const;
    int nodeOf(const QModelIndex& index) const { return index.isValid() ? static_cast<int>(index.internalId()) : -1; }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    IndexTree tree_;
};

} // namespace cadenzo

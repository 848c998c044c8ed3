#include "search/qt/index_model.h"

#include "base/qt/qt_text.h"

namespace cadenzo {

void IndexModel::setTree(IndexTree tree) {
    beginResetModel();
    tree_ = std::move(tree);
    endResetModel();
}

QModelIndex IndexModel::indexOfNode(int node) const {
    if (node < 0 || node >= tree_.size()) return {};
    return createIndex(tree_.row[static_cast<std::size_t>(node)], 0, static_cast<quintptr>(node));
}

QModelIndex IndexModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return {};
    if (!parent.isValid()) {
        if (row >= static_cast<int>(tree_.topLevel.size())) return {};
        return createIndex(row, 0, static_cast<quintptr>(tree_.topLevel[static_cast<std::size_t>(row)]));
    }
    const int p = nodeOf(parent);
    if (p < 0 || p >= tree_.size() || row >= tree_.childCount[static_cast<std::size_t>(p)]) return {};
    return createIndex(row, 0, static_cast<quintptr>(tree_.child(p, row)));
}

QModelIndex IndexModel::parent(const QModelIndex& child) const {
    const int n = nodeOf(child);
    if (n < 0 || n >= tree_.size()) return {};
    return indexOfNode(tree_.parent[static_cast<std::size_t>(n)]);
}

int IndexModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return static_cast<int>(tree_.topLevel.size());
    const int n = nodeOf(parent);
    return n >= 0 && n < tree_.size() ? tree_.childCount[static_cast<std::size_t>(n)] : 0;
}

int IndexModel::columnCount(const QModelIndex&) const { return 1; }

QVariant IndexModel::data(const QModelIndex& index, int role) const {
    const int n = nodeOf(index);
    if (role != Qt::DisplayRole || n < 0 || n >= tree_.size()) return {};
    const std::string& text = tree_.text[static_cast<std::size_t>(n)];
    return toQString(text);
}

} // namespace cadenzo

// Checked list access for positions that come from data (book lines, bookmark
// and index files, tree rows): a position outside the list raises
// "List index out of bounds (%d)" instead of reading past it.
#pragma once

#include "base/errors.h"

#include <concepts>
#include <cstddef>

namespace cadenzo {

template <typename List, std::integral Index> decltype(auto) checkedAt(List& list, Index index) {
    bool inside = static_cast<unsigned long long>(index) < static_cast<unsigned long long>(list.size());
    if constexpr (std::signed_integral<Index>) inside = inside && index >= 0;
    if (!inside) throw ListIndexError(static_cast<long long>(index));
    return list[static_cast<std::size_t>(index)];
}

} // namespace cadenzo

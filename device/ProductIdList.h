// Fixed-capacity lists of product ids for the per-model tables of the device
// layer. A list ends at its first zero entry (no product has id 0).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

template <std::size_t N>
using ProductIdList = std::array<uint16_t, N>;

template <std::size_t N>
constexpr bool ListHasProduct(const ProductIdList<N>& ids, int productId)
{
    for (uint16_t id : ids) {
        if (id == 0)
            break;
        if (id == productId)
            return true;
    }
    return false;
}

// The first row whose id list holds the product, or null.
template <typename Row, std::size_t Count>
const Row* FindProductRow(const Row (&rows)[Count], int productId)
{
    for (const Row& row : rows) {
        if (ListHasProduct(row.Ids, productId))
            return &row;
    }
    return nullptr;
}

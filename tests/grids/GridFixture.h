#pragma once

#include "data/LwDataSet.h"

#include <QString>
#include <memory>

namespace GridFixture {

// Fields A, B, C (integers) with the given rows; labels "甲", "乙", "丙".
std::unique_ptr<TLwDataSet> MakeAbc(const QList<QList<int>>& rows);

// The export sample: 编号 Code, 名称 Name, 价格 Price, 数量 Qty, 日期 Adddate, and a hidden Id,
// three rows holding Chinese text, quotes, a comma, < > &, a tab, a line break and nulls.
std::unique_ptr<TLwDataSet> MakeSample();

// `rows` books: Id, Code "B000001"..., Title, Price (floats), Qty (ints), in a fixed pseudo-random
// order of prices.
std::unique_ptr<TLwDataSet> MakeBooks(int rows);

} // namespace GridFixture

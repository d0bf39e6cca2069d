#pragma once

#include <QVariant>

// How the program's own tables show a cell besides its text: figures on the right, words on the left, and the
// rows or columns that stand out (totals, the cheapest offer) in bold.
namespace TableRoles {

// The cell's alignment for Qt::TextAlignmentRole and its font for Qt::FontRole (bold, or the view's own);
// nothing for any other role.
QVariant styleOf(int role, bool alignedRight, bool bold);

} // namespace TableRoles

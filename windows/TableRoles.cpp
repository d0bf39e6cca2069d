#include "windows/TableRoles.h"

#include <QFont>

namespace TableRoles {

QVariant styleOf(int role, bool alignedRight, bool bold) {
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignVCenter | (alignedRight ? Qt::AlignRight : Qt::AlignLeft));
    if (role == Qt::FontRole && bold) {
        QFont font;
        font.setBold(true);
        return font;
    }
    return {};
}

} // namespace TableRoles

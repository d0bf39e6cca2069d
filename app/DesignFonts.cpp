#include "app/DesignFonts.h"

#include <QStringList>

namespace {
const QString kDesignFamily = QStringLiteral("MS Sans Serif");
} // namespace

QFont DesignFonts::sansSerif(int points) {
    static const bool substituted = [] {
        QFont::insertSubstitutions(kDesignFamily, {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                                                   QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
        return true;
    }();
    Q_UNUSED(substituted);
    QFont font(kDesignFamily, points, QFont::Normal, false);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

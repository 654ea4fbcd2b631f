#include "import/import_icons.h"

#include "import/import_kinds.h"

#include <QPainter>
#include <QPixmap>

namespace abif {

namespace {

constexpr int kSize = 16;

void drawFax(QPainter &p) {
    p.drawRect(2, 7, 12, 7);      // body
    p.drawRect(5, 2, 6, 5);       // paper
    p.drawLine(6, 4, 10, 4);
    p.drawLine(4, 10, 7, 10);     // keys
}

void drawEnvelope(QPainter &p) {
    p.drawRect(1, 4, 14, 9);
    p.drawLine(1, 4, 8, 9);
    p.drawLine(15, 4, 8, 9);
}

void drawBook(QPainter &p) {
    p.drawRect(3, 1, 11, 14);
    p.drawLine(5, 1, 5, 15);      // spine
    p.drawLine(7, 5, 12, 5);
    p.drawLine(7, 8, 12, 8);
}

QIcon drawn(void (*draw)(QPainter &)) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(QColor(40, 60, 110), 1));
    painter.setBrush(QColor(235, 240, 250));
    draw(painter);
    return QIcon(pixmap);
}

}  // namespace

QIcon importKindIcon(int32_t destination) {
    switch (normalisedDestination(destination)) {
    case DestinationEmail: return QIcon::fromTheme(QStringLiteral("mail-message"), drawn(drawEnvelope));
    case DestinationPcFax: return QIcon::fromTheme(QStringLiteral("x-office-address-book"), drawn(drawBook));
    default: return QIcon::fromTheme(QStringLiteral("printer"), drawn(drawFax));
    }
}

}  // namespace abif

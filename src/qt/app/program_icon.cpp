#include "qt/app/program_icon.h"

#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <array>

namespace {

constexpr std::array<int, 4> kSizes = {16, 32, 48, 256};

class ProgramIconEngine : public QIconEngine {
  public:
    QIconEngine* clone() const override { return new ProgramIconEngine(*this); }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int size : kSizes) sizes << QSize(size, size);
        return sizes;
    }

    QSize actualSize(const QSize& wanted, QIcon::Mode, QIcon::State) override {
        // Never blown up beyond the largest drawing, as with any icon made of pictures.
        const int side = sourceFor(wanted);
        const QSize source(side, side);
        return source.width() <= wanted.width() && source.height() <= wanted.height()
                   ? source
                   : source.scaled(wanted, Qt::KeepAspectRatio);
    }

    QPixmap pixmap(const QSize& wanted, QIcon::Mode mode, QIcon::State state) override {
        if (wanted.isEmpty()) return {};
        const QPixmap source = picture(sourceFor(wanted));
        const QSize size = actualSize(wanted, mode, state);
        const QPixmap pixmap = source.size() == size ? source
                                                     : source.scaled(size, Qt::KeepAspectRatio,
                                                                     Qt::SmoothTransformation);
        if (mode == QIcon::Disabled) {
            QPixmap faded(pixmap.size());
            faded.fill(Qt::transparent);
            QPainter painter(&faded);
            painter.setOpacity(0.4);
            painter.drawPixmap(0, 0, pixmap);
            return faded;
        }
        return pixmap;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal density = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap drawn = pixmap(rect.size() * density, mode, state);
        drawn.setDevicePixelRatio(density);
        painter->drawPixmap(rect, drawn);
    }

    QString key() const override { return QStringLiteral("ventakar"); }

  private:
    // The smallest drawing at least as large as wanted, else the largest.
    static int sourceFor(const QSize& wanted) {
        const int side = std::max(wanted.width(), wanted.height());
        for (int size : kSizes)
            if (size >= side) return size;
        return kSizes.back();
    }

    QPixmap picture(int size) {
        QPixmap& cached = pictures_[size];
        if (cached.isNull()) cached.load(QString(":/icons/ventakar-%1.png").arg(size), "PNG");
        return cached;
    }

    QHash<int, QPixmap> pictures_;  // by size, decoded when first asked for
};

}  // namespace

QIcon programIcon() {
    return QIcon(new ProgramIconEngine);
}

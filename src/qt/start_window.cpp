#include "qt/start_window.h"

#include <QDir>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include "qt/design_fonts.h"
#include "window/twips.h"

namespace {

QRect twips(int left, int top, int width, int height) {
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

}  // namespace

StartWindow::StartWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("Démarrage");
    setWindowTitle(QString());
    setModal(true);
    setFixedSize(toPixels(4500), toPixels(3330));
    setFont(designFont());

    auto* frame = new QFrame(this);
    frame->setObjectName("Frame1");
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setGeometry(twips(120, 0, 4275, 3195));

    auto* image = new QLabel(frame);
    image->setObjectName("Image2");
    image->setGeometry(twips(360, 240, 1935, 1215));
    image->setPixmap(QPixmap(":/design/Image12.jpg"));
    image->setScaledContents(true);

    struct LabelSpec {
        const char* name;
        int left, top, width, height;
        const char* text;
        const char* family;
        qreal points;
        bool bold;
    };
    const LabelSpec labels[] = {
        {"lblVersion", 2385, 480, 1530, 345, "  Version 1.0 ", "Arial", 12, true},
        {"lblCompany", 240, 1560, 3855, 375, "Conçu par l'équipe VENTAKAR", "Arial", 9.75, true},
        {"Label1", 240, 1800, 3855, 255, "Atelier de technologie VENTAKAR", "Arial", 9.75, true},
        {"Label2", 240, 2160, 3855, 255, VENTAKAR_HOMEPAGE, "Arial", 9.75, true},
        {"Label4", 840, 2520, 2295, 255, "Contact : " VENTAKAR_CONTACT, nullptr, 0, false},
        {"Label3", 960, 2880, 2415, 255, "Cliquer pour continuer", "MS Sans Serif", 8.25, true},
    };
    for (const LabelSpec& entry : labels) {
        auto* label = new QLabel(QString::fromUtf8(entry.text), frame);
        label->setObjectName(entry.name);
        label->setGeometry(twips(entry.left, entry.top, entry.width, entry.height));
        label->setAlignment(Qt::AlignCenter);
        if (entry.family) {
            QFont font(entry.family);
            font.setPointSizeF(entry.points);
            font.setBold(entry.bold);
            label->setFont(font);
        }
        label->installEventFilter(this);
    }
    auto* version = findChild<QLabel*>("lblVersion");
    version->setAutoFillBackground(true);
    QPalette palette = version->palette();
    palette.setColor(QPalette::Window, QColor(128, 128, 255));
    palette.setColor(QPalette::WindowText, Qt::white);
    version->setPalette(palette);
    auto* hint = findChild<QLabel*>("Label3");
    // Heard as what it is and with its key: a screen reader's user has no mouse to click.
    setAccessibleName("VENTAKAR, démarrage");
    hint->setAccessibleName("Appuyez sur Espace ou cliquez pour continuer");
    palette = hint->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 192));
    hint->setPalette(palette);

    frame->installEventFilter(this);
    image->installEventFilter(this);
    // Which catalogues this copy reads, for the teacher who asks « À propos » (the window's
    // drawing stays as it is: said in its tooltip and to a screen reader).
    const QString data = QDir(QStringLiteral("Data")).absolutePath();
    const QString where = "Catalogues : " + QDir::toNativeSeparators(data);
    frame->setToolTip(where);
    setAccessibleDescription(where);
}

bool StartWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && watched != this) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void StartWindow::keyPressEvent(QKeyEvent* event) {
    // Only keys that type a character close it; arrows, function keys and modifiers do nothing.
    if (!event->text().isEmpty()) {
        accept();
        return;
    }
    event->accept();
}

void StartWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QBuffer>
#include <QComboBox>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>

#include "modal_helper.h"
#include "qt/design/caption_fit.h"
#include "qt/design/wrapping_button.h"
#include "qt/image_errors.h"
#include "qt/picture_probe.h"
#include "window_driver.h"

namespace {

// Pixels of ink that fall outside room when text is painted in it, word-wrapped with flags and
// not clipped: what the pupil would lose, measured on the painted glyphs themselves.
int inkOutside(const QFont& font, const QRect& room, int flags, const QString& text) {
    const int margin = 60;
    QImage canvas(room.width() + 2 * margin, room.height() + 2 * margin, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRect(QPoint(margin, margin), room.size()), flags | Qt::TextWordWrap,
                         text);
    }
    const QRect inside = QRect(QPoint(margin, margin), room.size()).adjusted(-1, -1, 1, 1);
    int outside = 0;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (!inside.contains(x, y) && qGray(canvas.pixel(x, y)) < 128) ++outside;
    return outside;
}

TEST(ReadableWindow, EveryCaptionStandsWholeInItsBox) {
    closeStartWindowSoon();
    DesignWindow w;
    ASSERT_TRUE(w.isLoaded());
    w.show();
    // At real size and at the scale a 1366 x 768 screen fits the design to.
    for (const double scale : {1.0, 0.85}) {
        SCOPED_TRACE(scale);
        w.setScale(scale);
        int measured = 0;
        for (const Control& control : w.session().record().controls()) {
            QWidget* widget = w.findChild<QWidget*>(QString::fromStdString(control.name));
            ASSERT_NE(widget, nullptr) << control.name;
            QRect room;
            int flags = 0;
            QString text;
            if (auto* label = qobject_cast<QLabel*>(widget);
                label && control.kind == ControlKind::Label) {
                room = label->contentsRect();
                flags = int(label->alignment());
                text = label->text();
            } else if (control.kind == ControlKind::OptionButton) {
                auto* option = static_cast<WrappingRadioButton*>(widget);
                room = option->captionRect();
                flags = WrappingRadioButton::kCaptionFlags;
                text = option->text();
            } else if (control.kind == ControlKind::CheckBox) {
                auto* check = static_cast<WrappingCheckBox*>(widget);
                room = check->captionRect();
                flags = WrappingCheckBox::kCaptionFlags;
                text = check->text();
            } else {
                continue;
            }
            ++measured;
            EXPECT_EQ(text.toStdString(), control.text);
            EXPECT_TRUE(captionFits(widget->font(), room, flags, text))
                << control.name << " « " << control.text << " » in " << room.width() << "x"
                << room.height() << " at " << widget->font().pointSizeF() << " pt";
            // Set no smaller than it needs, whatever the fonts of the machine: a quarter point
            // larger it would not stand whole, unless it is at the design's own size.
            const QFont design = w.findChild<QWidget*>("Sélection")->font();
            QFont larger = widget->font();
            larger.setPointSizeF(larger.pointSizeF() + 0.25);
            EXPECT_TRUE(widget->font().pointSizeF() >= design.pointSizeF() ||
                        !captionFits(larger, room, flags, text))
                << control.name << " set smaller than it needs, at " << widget->font().pointSizeF()
                << " pt";
            EXPECT_GE(widget->font().pointSizeF(), 4.75 * scale)
                << control.name << " stays readable";
            // Measured on what is painted, in height as in width, not by the same reckoning.
            EXPECT_EQ(inkOutside(widget->font(), room, flags, text), 0)
                << control.name << " « " << control.text << " » is cut when painted";
        }
        EXPECT_GT(measured, 60);
    }
}

// A caption set smaller until it stands whole: judged on the painted glyphs, in boxes that are
// tight in height as well as in width.
TEST(ReadableWindow, ACaptionSetSmallerStandsWholeWhenPainted) {
    const struct {
        const char* text;
        QSize box;
    } captions[] = {
        {"Prendre en compte le coût des batteries", {150, 14}},
        {"Prendre en compte le coût des batteries", {90, 28}},
        {"Châssis au dessus des roues avant", {70, 26}},
        {"Nombre de batteries", {60, 12}},
        {"Arrière", {30, 12}},
    };
    QFont design("Liberation Sans");
    design.setPointSizeF(8.25);
    for (const auto& c : captions) {
        QLabel label;
        const QRect room(QPoint(0, 0), c.box);
        const int flags = Qt::AlignLeft | Qt::AlignVCenter;
        fitCaption(&label, design, room, flags, QString::fromUtf8(c.text));
        EXPECT_LT(label.font().pointSizeF(), design.pointSizeF()) << c.text << " needed no fitting";
        EXPECT_EQ(inkOutside(label.font(), room, flags, QString::fromUtf8(c.text)), 0)
            << c.text << " in " << c.box.width() << "x" << c.box.height() << " at "
            << label.font().pointSizeF() << " pt";
    }
}

TEST(ReadableWindow, ListsOpenWideEnoughForTheirLongestItem) {
    driver::PassingDesign d;
    ASSERT_TRUE(d.w.isLoaded());
    for (const char* name : {"Combo1", "Combo4", "Combo8", "Combo11"}) {
        auto* list = d.w.findChild<QComboBox*>(name);
        list->showPopup();
        const QFontMetrics metrics(list->view()->font());
        int longest = 0;
        for (int i = 0; i < list->count(); ++i)
            longest = std::max(longest, metrics.horizontalAdvance(list->itemText(i)));
        EXPECT_GE(list->view()->viewport()->width(), longest) << name;
        list->hidePopup();
    }
}

TEST(ReadableWindow, TooltipsShowWhatTheBoxCuts) {
    driver::PassingDesign d;
    ASSERT_TRUE(d.w.isLoaded());
    auto* propeller = d.w.findChild<QComboBox*>("Combo1");
    EXPECT_EQ(propeller->toolTip(),
              propeller->currentText() + "\nChoisir une hélice dans le menu déroulant");
    // A supplier longer than its field shows whole in the tooltip; a short value has none.
    auto* supplier = d.w.findChild<QLineEdit*>("Text4");
    ASSERT_GT(QFontMetrics(supplier->font()).horizontalAdvance(supplier->text()),
              supplier->width() - 6);
    EXPECT_EQ(supplier->toolTip(), supplier->text());
    EXPECT_EQ(d.w.findChild<QLineEdit*>("Text3")->toolTip(), "");
}

}  // namespace

namespace {

TEST(FrenchWording, PicturesThatCannotBeDecodedAreExplainedInFrench) {
    QTemporaryDir dir;
    // A real JPEG whose header claims 40000 x 40000 pixels: over the decoder's limit.
    QByteArray huge;
    {
        QBuffer buffer(&huge);
        buffer.open(QIODevice::WriteOnly);
        QImage(16, 16, QImage::Format_RGB32).save(&buffer, "JPEG");
        const int sof = huge.indexOf(QByteArray("\xFF\xC0", 2));
        ASSERT_GT(sof, 0);
        for (int at : {sof + 5, sof + 7}) {
            huge[at] = char(40000 >> 8);
            huge[at + 1] = char(40000 & 0xFF);
        }
    }
    const struct {
        const char* name;
        QByteArray bytes;
        const char* why = "";
    } pictures[] = {
        {"texte.jpg", "ceci n'est pas une image"},
        {"coupee.jpg", QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10)},
        {"vide.gif", ""},
        {"immense.jpg", huge, "trop grande pour être affichée : 40000 × 40000 pixels"},
    };
    // What reaches the terminal meanwhile: never the toolkit's English on the huge picture.
    static QStringList printed;
    printed.clear();
    const QtMessageHandler before = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& m) { printed << m; });
    quietImageDecoderWarnings();
    for (const auto& p : pictures) {
        QFile file(dir.filePath(p.name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(p.bytes);
        file.close();
        const std::string why = probePicture(QFile::encodeName(file.fileName()).toStdString());
        EXPECT_EQ(why.rfind("l'image ne peut pas être décodée (", 0), 0u) << why;
        EXPECT_NE(why.find(p.why), std::string::npos) << why;
        if (!*p.why) {
            EXPECT_EQ(why.find("trop grande"), std::string::npos) << why;
        }
        for (const char* english : {"Unable", "Unsupported", "image format", "data"})
            EXPECT_EQ(why.find(english), std::string::npos) << why;
    }
    EXPECT_EQ(probePicture("/nulle/part.jpg"), "l'image est introuvable");
    qInstallMessageHandler(before);
    for (const QString& m : printed) EXPECT_FALSE(m.contains("Rejecting image")) << m.toStdString();
}

}  // namespace

#include "qt/app/catalogue_check_run.h"

#include <new>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

#include "check/catalogue_check.h"
#include "qt/path_text.h"
#include "qt/picture_probe.h"

QStringList catalogueCheckLines(const QString& folder, bool* hasErrors) {
    const CheckReport report = checkDataFolder(pathBytes(folder), probePicture);
    if (hasErrors) *hasErrors = report.errors() > 0;
    QStringList lines;
    for (const std::string& line : reportLines(report)) lines << QString::fromStdString(line);
    return lines;
}

int runCatalogueCheck(const QString& folder) {
    if (!QFileInfo(folder).isDir()) {
        std::fprintf(stderr, "VENTAKAR : le dossier « %s » n'existe pas.\n",
                     folder.toUtf8().constData());
        return 1;
    }
    bool errors = false;
    try {
        const QStringList lines = catalogueCheckLines(folder, &errors);
        std::fputs((lines.join('\n') + '\n').toUtf8().constData(), stdout);
    } catch (const std::bad_alloc&) {
        // Said without allocating: the memory that ran out is not needed for it.
        std::fputs(
            "VENTAKAR : la vérification s'est arrêtée : la mémoire de l'ordinateur ne suffit pas "
            "pour ces catalogues.\n",
            stderr);
        return 1;
    }
    return errors ? 1 : 0;
}

void showCatalogueCheck(const QString& folder, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName("catalogueCheck");
    dialog.setWindowTitle("Vérification des catalogues");
    auto* text = new QPlainTextEdit(&dialog);
    text->setObjectName("checkReport");
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    try {
        text->setPlainText(catalogueCheckLines(folder).join('\n'));
    } catch (const std::bad_alloc&) {
        text->setPlainText(
            "La vérification s'est arrêtée : la mémoire de l'ordinateur ne suffit pas pour ces "
            "catalogues.");
    }
    text->setAccessibleName("Rapport de vérification des catalogues");
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* copy = buttons->addButton("Copier", QDialogButtonBox::ActionRole);
    copy->setObjectName("copyReport");
    QPushButton* close = buttons->addButton("Fermer", QDialogButtonBox::RejectRole);
    close->setDefault(true);
    QObject::connect(copy, &QPushButton::clicked, text,
                     [text] { QApplication::clipboard()->setText(text->toPlainText()); });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    dialog.resize(900, 480);
    dialog.exec();
}

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <csignal>

#include "modal_helper.h"
#include "window_driver.h"

namespace {

// A real print queue, brought by tests/system/print_queue.sh (a cupsd of its own with a cups-pdf
// queue): VENTAKAR_TEST_QUEUE_CASE says what the queue does, the script checks what it printed.
TEST(PrintQueue, WhatThePupilIsToldIsWhatTheServerDid) {
    const QByteArray which = qgetenv("VENTAKAR_TEST_QUEUE_CASE");
    if (which.isEmpty()) GTEST_SKIP() << "run by tests/system/print_queue.sh, with its print queue";
#ifdef _WIN32
    GTEST_SKIP() << "a CUPS print server is POSIX's";
#else
    driver::PassingDesign design;
    ASSERT_TRUE(design.w.isLoaded());
    design.w.printer().setJobTitle("Tom Durand — 5e B — voiture");
    QString message;
    QString printer;
    whenModalAppears([&](QWidget* dialog) {
        auto* print = qobject_cast<QPrintDialog*>(dialog);
        ASSERT_NE(print, nullptr);
        printer = print->printer()->printerName();
        // The server stopped between the dialog and « Imprimer ».
        if (which == "stopped")
            ::kill(qEnvironmentVariableIntValue("VENTAKAR_TEST_CUPSD_PID"), SIGTERM);
        whenModalAppears([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                message = box->text();
                box->accept();
            }
        });
        print->accept();
    });
    auto* imprimer = design.w.findChild<QPushButton*>("Command1");
    imprimer->click();
    EXPECT_EQ(printer, "salle12") << "the queue the server makes the default";
    std::printf("message: %s\n", message.toUtf8().constData());
    if (which == "accepted") {
        EXPECT_EQ(message, "Impression terminée");
    } else if (which == "rejecting") {
        EXPECT_EQ(message,
                  "Impression impossible : l'imprimante « salle12 » refuse les travaux pour "
                  "le moment.");
    } else {
        EXPECT_TRUE(
            message.startsWith("Impression impossible : le serveur d'impression ne répond "
                               "pas"))
            << message.toStdString();
    }
    EXPECT_TRUE(imprimer->isEnabled()) << "nothing else changed";
#endif
}

}  // namespace

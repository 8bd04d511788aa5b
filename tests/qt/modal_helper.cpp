#include "modal_helper.h"

#include <QDialog>
#include <QTest>

void closeStartWindowSoon() {
    whenModalAppears([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Space); });
}

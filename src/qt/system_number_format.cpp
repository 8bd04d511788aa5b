#include "qt/system_number_format.h"

#include <QLocale>

std::string systemDecimalSeparator() {
    return QLocale::system().decimalPoint().toStdString();
}

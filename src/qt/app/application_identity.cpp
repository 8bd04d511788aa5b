#include "qt/app/application_identity.h"

#include <QCoreApplication>

void setApplicationIdentity() {
    QCoreApplication::setOrganizationName("VENTAKAR");
    QCoreApplication::setApplicationName("ventakar");
    QCoreApplication::setApplicationVersion(VENTAKAR_VERSION);
}

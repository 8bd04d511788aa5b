#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "modal_helper.h"
#include "qt/app/application_identity.h"
#include "qt/app/translations.h"
#include "qt/qt_platform.h"

namespace {

// No watcher of one test may answer a box of the next.
class WatcherCleanup : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override {
        cancelModalWatchers();
        resetAfterProgramEnd();
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM",
                "offscreen:configfile=" VENTAKAR_SOURCE_DIR "/tests/qt/offscreen_screen.json");
    }
    // Settings, recent files and the recovery file of a test run are its own, never the user's.
    QTemporaryDir home;
    if (qEnvironmentVariableIsEmpty("VENTAKAR_KEEP_XDG")) {
        qputenv("XDG_CONFIG_HOME", home.filePath("config").toLocal8Bit());
        qputenv("XDG_DATA_HOME", home.filePath("data").toLocal8Bit());
        qputenv("VENTAKAR_KEEP_XDG", "1");  // child processes share their parent's folders
    }
    // No test prints on the machine's printers: the print server is one that does not exist,
    // unless a test brings its own (VENTAKAR_TEST_CUPS_SERVER, the print queue system test).
    const QByteArray ownServer = qgetenv("VENTAKAR_TEST_CUPS_SERVER");
    qputenv("CUPS_SERVER", ownServer.isEmpty()
                               ? QByteArray(VENTAKAR_BINARY_DIR "/aucun-serveur-d-impression")
                               : ownServer);
    QApplication app(argc, argv);
    setApplicationIdentity();  // as main() does: the settings and data folders depend on it
    installToolkitTranslations();
    installPictureCheck();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new WatcherCleanup);
    startModalWatchdog();
    return RUN_ALL_TESTS();
}

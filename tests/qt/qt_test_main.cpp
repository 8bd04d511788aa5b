#include <gtest/gtest.h>

#include <QApplication>

#include "modal_helper.h"

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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new WatcherCleanup);
    startModalWatchdog();
    return RUN_ALL_TESTS();
}

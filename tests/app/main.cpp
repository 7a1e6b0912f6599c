#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char* argv[])
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    // Settings go to a throw-away test location, never the person's own.
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setOrganizationName("Brightmoor");
    QApplication::setApplicationName("Volantor");
    return RUN_ALL_TESTS();
}

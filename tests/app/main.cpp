// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char* argv[])
{
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests happens without a display too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    // Settings go to a throw-away test location, never the person's own.
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setOrganizationName("Brightmoor");
    QApplication::setApplicationName("Volantor");
    return RUN_ALL_TESTS();
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Qt draws text only once an application object exists.

#include "view/qt/PathViewImage.h"

#include <gtest/gtest.h>

namespace {

class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override { EnsureGuiApplication(); }
};

const auto* const kGuiEnvironment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/PathSample.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

// The members a document file keeps of a sample are the same, floats bit for
// bit so that -0 differs from 0.
inline void ExpectSameSavedSample(const PathSample& loaded, const PathSample& saved)
{
    const auto bits = [](float value) { return std::bit_cast<std::uint32_t>(value); };
    EXPECT_EQ(bits(loaded.m_fField1), bits(saved.m_fField1));
    EXPECT_EQ(bits(loaded.m_fLat), bits(saved.m_fLat));
    EXPECT_EQ(bits(loaded.m_fLon), bits(saved.m_fLon));
    EXPECT_EQ(bits(loaded.m_fAlt), bits(saved.m_fAlt));
    EXPECT_EQ(bits(loaded.m_fPitch), bits(saved.m_fPitch));
    EXPECT_EQ(bits(loaded.m_fBank), bits(saved.m_fBank));
    EXPECT_EQ(bits(loaded.m_fHeading), bits(saved.m_fHeading));
    EXPECT_EQ(loaded.m_cGear, saved.m_cGear);
    EXPECT_EQ(loaded.m_cField16, saved.m_cField16);
    EXPECT_EQ(loaded.m_cField17, saved.m_cField17);
}

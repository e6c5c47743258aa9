// The regional settings are process-wide: a test that relies on particular
// separators pins them with a RegionalGuard (or derives its fixture from
// RegionalFixture), and the machine's record comes back when it ends, so the
// tests pass under any locale and leave nothing behind.
#pragma once

#include "brix/classes/formatsettings.h"

#include <gtest/gtest.h>

#include <optional>

namespace BrixTest {

// Sets the regional decimal and thousands separators ("." and "," unless
// given) and restores the whole record on destruction.
class RegionalGuard
{
public:
    explicit RegionalGuard(QChar Decimal = u'.', QChar Thousand = u',')
        : FSaved(Brix::RegionalSettings())
    {
        Brix::RegionalSettings().DecimalSeparator = Decimal;
        Brix::RegionalSettings().ThousandSeparator = Thousand;
    }
    // Replaces the whole record with Settings.
    explicit RegionalGuard(const Brix::TFormatSettings &Settings) : FSaved(Brix::RegionalSettings())
    {
        Brix::RegionalSettings() = Settings;
    }
    ~RegionalGuard() { Brix::RegionalSettings() = FSaved; }
    RegionalGuard(const RegionalGuard &) = delete;
    RegionalGuard &operator=(const RegionalGuard &) = delete;

private:
    Brix::TFormatSettings FSaved;
};

// A fixture whose tests run with "." and "," as the regional separators.
class RegionalFixture : public ::testing::Test
{
protected:
    void SetUp() override { FGuard.emplace(); }
    void TearDown() override { FGuard.reset(); }

private:
    std::optional<RegionalGuard> FGuard;
};

} // namespace BrixTest

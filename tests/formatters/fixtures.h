// Shared helpers of the formatter tests: a fixture that pins the regional
// separators the expected texts rely on (and restores the user's record),
// and clients that count the notifications they receive.
#pragma once

#include "brix/classes/classes.h"
#include "brix/classes/formatsettings.h"

#include <gtest/gtest.h>

namespace BrixTest {

class RegionalFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Saved = Brix::RegionalSettings();
        Brix::RegionalSettings().DecimalSeparator = u'.';
        Brix::RegionalSettings().ThousandSeparator = u',';
    }
    void TearDown() override { Brix::RegionalSettings() = Saved; }

    Brix::TFormatSettings Saved;
};

// A plain library object registered with a formatter.
class TCountingClient : public Brix::TBrixBaseClass
{
public:
    void LinkChanged(Brix::TBrixBaseClass *) override { ++Changed; }
    void LinkFreed(Brix::TBrixBaseClass *) override { ++Freed; }

    int Changed = 0;
    int Freed = 0;

protected:
    ~TCountingClient() override = default;
};

} // namespace BrixTest

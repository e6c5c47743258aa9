// Shared helpers of the formatter tests: clients that count the
// notifications they receive. Fixtures pin the regional separators with
// RegionalFixture (common/regional_guard.h).
#pragma once

#include "brix/classes/classes.h"
#include "brix/classes/formatsettings.h"
#include "common/regional_guard.h"

#include <gtest/gtest.h>

namespace BrixTest {

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

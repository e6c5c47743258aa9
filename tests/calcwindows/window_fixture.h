// A calculator window test's fixture: the regional separators "." and ","
// (RegionalFixture), and showing a window and typing into it as a user would.
#pragma once

#include "brix/calcwindows/calculators_standard.h"
#include "common/regional_guard.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

namespace BrixTest {

class WindowFixture : public RegionalFixture
{
protected:
    // Shows Form and waits until it is exposed, so focus and clicks work.
    static void Show(QWidget &Form)
    {
        Form.show();
        Form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form));
    }

    // Types Keys one character at a time into the window's focused control.
    static void Type(Brix::TBrixCalcFormBase &Form, const QString &Keys)
    {
        for (QChar C : Keys) {
            QWidget *Target = Form.focusWidget() ? Form.focusWidget() : &Form;
            QTest::keyClick(Target, C.toLatin1());
        }
    }

    static void Key(Brix::TBrixCalcFormBase &Form, Qt::Key K,
                    Qt::KeyboardModifiers Mods = Qt::NoModifier)
    {
        QWidget *Target = Form.focusWidget() ? Form.focusWidget() : &Form;
        QTest::keyClick(Target, K, Mods);
    }
};

} // namespace BrixTest

// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// 100 open/close cycles of each dialog with every kind of modal window on the
// way (testing/OpenCloseCycles.h, which the benchmark runs too). In the sanitizer build this test runs with
// LeakSanitizer on, so anything the dialogs fail to free fails it there.

#include "testing/OpenCloseCycles.h"
#include "core/IniFile.h"

#include <QTest>

class TestLeakCycles : public QObject
{
    Q_OBJECT

private slots:
    void openAndCloseEachDialogAHundredTimes()
    {
        TIniFile none;
        TIniFile translated;
        translated.parse("[QOS]\n&Ok=O&k\nAll_changes_msg=Sure?\n[VLAN]\nproceed_changes=Sure?\nentry_vid=VID\n");
        QCOMPARE(runOpenCloseCycles(100, &none, &translated), 0);
    }
};

QTEST_MAIN(TestLeakCycles)
#include "tst_leak_cycles.moc"

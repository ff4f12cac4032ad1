// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The VID entry dialog's status line, opened as a user opens it (Add New VLAN
// in the VLAN dialog): a refused OK leaves its message in the line, whatever
// the window does afterwards (grows for the message, is activated, gets its
// focus back), run after run, with two busy processes beside the test. With
// ODU_LOG_VID_EVENTS set, every focus, activation, show and resize event of
// the entry dialog is written to standard error.

#include "DesktopSupport.h"

#include "testing/ModalAnswering.h"

#include <QFocusEvent>
#include <QProcess>
#include <QResizeEvent>

#include <memory>
#include <vector>

namespace {

// Logs what the entry dialog and its field receive, and the status line's
// text at each step.
class EventLog : public QObject
{
public:
    explicit EventLog(TForm3* entry)
        : m_entry(entry)
    {
        entry->installEventFilter(this);
        for (QWidget* w : entry->findChildren<QWidget*>())
            w->installEventFilter(this);
    }
    QStringList lines;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        QString what;
        switch (event->type()) {
        case QEvent::FocusIn:
            what = QStringLiteral("FocusIn reason %1").arg(static_cast<QFocusEvent*>(event)->reason());
            break;
        case QEvent::WindowActivate:
            what = QStringLiteral("WindowActivate");
            break;
        case QEvent::WindowDeactivate:
            what = QStringLiteral("WindowDeactivate");
            break;
        case QEvent::Show:
            what = QStringLiteral("Show");
            break;
        case QEvent::Resize:
            what = QStringLiteral("Resize %1x%2")
                       .arg(static_cast<QResizeEvent*>(event)->size().width())
                       .arg(static_cast<QResizeEvent*>(event)->size().height());
            break;
        default:
            return false;
        }
        if (watched != m_entry && event->type() == QEvent::Resize)
            return false;
        lines << QStringLiteral("%1 %2 (status '%3')").arg(watched->objectName(), what, m_entry->Label2->text());
        return false;
    }

private:
    TForm3* m_entry;
};

// Two processes that keep the machine's cores busy while they live.
class BusyNeighbours
{
public:
    BusyNeighbours()
    {
        for (int i = 0; i < 2; ++i) {
            auto p = std::make_unique<QProcess>();
            p->start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
            m_busy.push_back(std::move(p));
        }
    }
    ~BusyNeighbours()
    {
        for (auto& p : m_busy) {
            p->kill();
            p->waitForFinished();
        }
    }
    bool running() const
    {
        for (const auto& p : m_busy)
            if (!p->waitForStarted())
                return false;
        return true;
    }

private:
    std::vector<std::unique_ptr<QProcess>> m_busy;
};

} // namespace

class TestVidStatus : public QObject
{
    Q_OBJECT

private slots:
    void messageStaysAfterOk_data();
    void messageStaysAfterOk();
    void onlyEnteringTheFieldEmptiesIt_data();
    void onlyEnteringTheFieldEmptiesIt();
};

void TestVidStatus::messageStaysAfterOk_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("waitForActive");
    QTest::addColumn<bool>("pressEnter");
    QTest::addColumn<QString>("message");
    const QString outOfRange = QStringLiteral("VID is out of range. The valid range is 1 to 4094.");
    for (const bool wait : {false, true})
        for (const bool enter : {false, true}) {
            const QString how = QLatin1String(wait ? ", typed once active" : ", typed at once")
                + QLatin1String(enter ? ", Enter" : ", OK clicked");
            QTest::newRow(qPrintable(QLatin1String("0") + how)) << "0" << wait << enter << outOfRange;
            QTest::newRow(qPrintable(QLatin1String("empty") + how))
                << "" << wait << enter << QStringLiteral("'''' is not a valid integer value");
            QTest::newRow(qPrintable(QLatin1String("0000") + how)) << "0000" << wait << enter << outOfRange;
            QTest::newRow(qPrintable(QLatin1String("9999") + how)) << "9999" << wait << enter << outOfRange;
            QTest::newRow(qPrintable(QLatin1String("4095 kept") + how)) << "-" << wait << enter << outOfRange;
        }
}

// Add New VLAN, the VID typed, OK: the message is in the status line right
// after OK and still there once every event the press set off has arrived.
void TestVidStatus::messageStaysAfterOk()
{
    QFETCH(QString, typed);
    QFETCH(bool, waitForActive);
    QFETCH(bool, pressEnter);
    QFETCH(QString, message);
    const int runs = qEnvironmentVariableIntValue("ODU_VID_RUNS") > 0 ? qEnvironmentVariableIntValue("ODU_VID_RUNS") : 8;
    const bool log = qEnvironmentVariableIsSet("ODU_LOG_VID_EVENTS");
    BusyNeighbours busy;
    QVERIFY(busy.running());

    QWidget owner;
    OpenDialogs dialogs(nullptr, &owner);
    dialogs.vlan->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialogs.vlan));
    QStringList misses;
    for (int run = 0; run < runs; ++run) {
        QString afterOk;
        QString settled;
        QStringList events;
        whenModal(dialogs.vlan, [&](QWidget* modal) {
            auto* entry = qobject_cast<TForm3*>(modal);
            QVERIFY(entry);
            EventLog logged(entry);
            // (qWaitForWindowActive would not do: a window counts as active
            // while its owner is, before its own activation has arrived.)
            if (waitForActive)
                QTRY_VERIFY(QApplication::activeWindow() == entry);
            if (typed != QLatin1String("-")) { // "-": the value the dialog opened with
                entry->Edit1->selectAll();
                QTest::keyClick(entry->Edit1, Qt::Key_Backspace);
                QTest::keyClicks(entry->Edit1, typed);
            } else {
                entry->Edit1->setText(QStringLiteral("4095"));
            }
            logged.lines << QStringLiteral("-- OK");
            if (pressEnter)
                QTest::keyClick(entry->Edit1, Qt::Key_Return);
            else
                QTest::mouseClick(entry->Button1, Qt::LeftButton);
            afterOk = entry->Label2->text();
            // Everything the press set off: the window grown for the
            // message, its activation (which may arrive only now), the
            // platform's answers.
            QTRY_VERIFY(QApplication::activeWindow() == entry);
            for (int i = 0; i < 20; ++i)
                QApplication::processEvents(QEventLoop::AllEvents, 5);
            settled = entry->Label2->text();
            events = logged.lines;
            entry->reject();
        });
        dialogs.vlan->Button1->click();
        if (log)
            qInfo().noquote() << QStringLiteral("run %1:\n  ").arg(run) + events.join(QLatin1String("\n  "));
        if (afterOk != message || settled != message)
            misses << QStringLiteral("run %1: '%2' after OK, '%3' later; %4")
                          .arg(run)
                          .arg(afterOk, settled, events.join(QLatin1String(", ")));
    }
    QVERIFY2(misses.isEmpty(), qPrintable(misses.join(QLatin1Char('\n'))));
}

void TestVidStatus::onlyEnteringTheFieldEmptiesIt_data()
{
    QTest::addColumn<Qt::FocusReason>("reason");
    QTest::addColumn<bool>("emptied");
    QTest::newRow("Tab from the buttons") << Qt::TabFocusReason << true;
    QTest::newRow("Shift+Tab") << Qt::BacktabFocusReason << true;
    QTest::newRow("a click") << Qt::MouseFocusReason << true;
    QTest::newRow("the accelerator") << Qt::ShortcutFocusReason << true;
    QTest::newRow("the window activated") << Qt::ActiveWindowFocusReason << false;
    QTest::newRow("a pop-up closed") << Qt::PopupFocusReason << false;
}

// The focus arriving in the field, for each reason it can have, after a
// refused OK that left the field without the focus.
void TestVidStatus::onlyEnteringTheFieldEmptiesIt()
{
    QFETCH(Qt::FocusReason, reason);
    QFETCH(bool, emptied);
    short vid = 0;
    TForm3 entry(nullptr, nullptr, 0, &vid);
    entry.show();
    QVERIFY(QTest::qWaitForWindowExposed(&entry));
    QTest::mouseClick(entry.Button1, Qt::LeftButton);
    QVERIFY(!entry.Label2->text().isEmpty());
    QFocusEvent arrives(QEvent::FocusIn, reason);
    QApplication::sendEvent(entry.Edit1, &arrives);
    QCOMPARE(entry.Label2->text().isEmpty(), emptied);
}

QTEST_MAIN(TestVidStatus)
#include "tst_vid_status.moc"

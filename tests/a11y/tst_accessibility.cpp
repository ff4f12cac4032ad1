// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// What assistive technology learns about both dialogs: every control that
// takes the focus has a name, unique on its page, and the right role; grids
// announce their cells with headings, radio items sit in titled groups; the
// names follow a translation; and every focused control shows its focus.
#include "KeyboardSupport.h"

#include <QAccessible>
#include <QCheckBox>
#include <QPushButton>
#include <QTemporaryFile>

namespace {

enum Dialog { Qos, Vlan, VidEntry };

// The controls of the window's current page (and those outside the pages)
// that take the focus, each once.
QList<QWidget*> focusableControls(QWidget* window)
{
    QList<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        // A widget that hands its focus on is counted as the one it hands on to.
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible() || w->focusProxy())
            continue;
        QWidget* control = controlOf(w);
        if (!controls.contains(control))
            controls << control;
    }
    return controls;
}

QAccessible::Role expectedRole(const QWidget* w)
{
    if (qobject_cast<const QLineEdit*>(w))
        return QAccessible::EditableText;
    if (qobject_cast<const QComboBox*>(w))
        return QAccessible::ComboBox;
    if (qobject_cast<const QCheckBox*>(w))
        return QAccessible::CheckBox;
    if (qobject_cast<const QRadioButton*>(w))
        return QAccessible::RadioButton;
    if (qobject_cast<const QPushButton*>(w))
        return QAccessible::Button;
    if (qobject_cast<const StringGrid*>(w))
        return QAccessible::Table;
    if (qobject_cast<const QTabBar*>(w))
        return QAccessible::PageTabList;
    return QAccessible::NoRole;
}

// The radio items stand for their group in controlOf(); here each item counts.
QList<QWidget*> withRadioItems(const QList<QWidget*>& controls)
{
    QList<QWidget*> all;
    for (QWidget* c : controls) {
        if (auto* group = qobject_cast<RadioGroup*>(c))
            for (int i = 0; i < group->itemCount(); ++i)
                all << group->button(i);
        else
            all << c;
    }
    return all;
}

// The name a screen reader announces: a list on Linux is announced by its
// value and named by the label that points to it. The reader listens while
// it reads (the dialogs make the lists' labels only then).
QString announcedName(QWidget* w)
{
    const bool listening = QAccessible::isActive();
    QAccessible::setActive(true);
    const auto restore = qScopeGuard([listening] { QAccessible::setActive(listening); });
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    if (!iface)
        return QString();
    if (iface->role() == QAccessible::ComboBox) {
        const auto labels = iface->relations(QAccessible::Label);
        return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
    }
    return iface->text(QAccessible::Name);
}

QString headingOf(QAccessibleInterface* table, int row, int col, bool columnHeading)
{
    QAccessibleTableInterface* t = table->tableInterface();
    if (!t)
        return QStringLiteral("<no table interface>");
    QAccessibleInterface* cell = t->cellAt(row, col);
    if (!cell || !cell->tableCellInterface())
        return QStringLiteral("<no cell>");
    const QList<QAccessibleInterface*> headings = columnHeading
        ? cell->tableCellInterface()->columnHeaderCells()
        : cell->tableCellInterface()->rowHeaderCells();
    return headings.isEmpty() ? QStringLiteral("<no heading>") : headings.first()->text(QAccessible::Name);
}

// The dialogs under test, built over default arrays.
struct Dialogs
{
    QosBytes qos = QosConfigArray::defaultImage();
    VlanArray vlan;
    short vid = 0;

    QDialog* make(Dialog which, TIniFile* ini = nullptr)
    {
        if (!ini)
            ini = englishCatalogue();
        vlan.entries({entry(10, {0, 1, 2, 3, 0, 1}), entry(20, {3, 3, 3, 3, 1, 3})}).mode(1);
        switch (which) {
        case Qos:
            return makeQosDialog(qos, ini).release();
        case Vlan:
            return makeVlanDialog(vlan, ini).release();
        case VidEntry:
            break;
        }
        return new TForm3(nullptr, ini, 5, &vid);
    }
};

int pageCount(QDialog* d)
{
    auto* pages = d->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    return pages ? pages->count() : 1;
}

void showPage(QDialog* d, int page)
{
    if (auto* pages = d->findChild<QTabWidget*>(QStringLiteral("PageControl1")))
        pages->setCurrentIndex(page);
    QCoreApplication::processEvents();
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        QVERIFY2(noWindowLeft(), "a window outlived its test");
    }

    void everyControlNamedOncePerPage_data();
    void everyControlNamedOncePerPage();
    void namesFromTheCaptions();
    void namesFollowATranslation();
    void gridCellsCarryTheirHeadings();
    void everyFocusedControlShowsItsFocus_data() { everyControlNamedOncePerPage_data(); }
    void everyFocusedControlShowsItsFocus();
};

void TestAccessibility::everyControlNamedOncePerPage_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("page");
    for (int page = 0; page < 3; ++page)
        QTest::addRow("QoS page %d", page + 1) << int(Qos) << page;
    for (int page = 0; page < 4; ++page)
        QTest::addRow("VLAN page %d", page + 1) << int(Vlan) << page;
    QTest::addRow("VID entry") << int(VidEntry) << 0;
}

void TestAccessibility::everyControlNamedOncePerPage()
{
    QFETCH(int, which);
    QFETCH(int, page);
    Dialogs dialogs;
    OwnedDialog<QDialog> d(dialogs.make(Dialog(which)));
    QVERIFY(showActive(d));
    QVERIFY(page < pageCount(d));
    showPage(d, page);

    const QList<QWidget*> controls = withRadioItems(focusableControls(d));
    QVERIFY(controls.size() >= 3);
    QHash<QString, QString> owners; // name -> control
    for (QWidget* w : controls) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        QVERIFY2(iface, qPrintable(w->objectName()));
        const QString name = announcedName(w);
        QVERIFY2(!name.isEmpty(), qPrintable(w->objectName() + QStringLiteral(" has no name")));
        QVERIFY2(!name.contains(QLatin1Char('&')), qPrintable(name));
        QCOMPARE(iface->role(), expectedRole(w));
        QVERIFY2(!owners.contains(name),
                 qPrintable(QStringLiteral("%1 and %2 are both called \"%3\"")
                                .arg(owners.value(name), w->objectName(), name)));
        owners.insert(name, w->objectName());
        if (qobject_cast<QRadioButton*>(w)) {
            // Radio items are announced inside their titled group.
            QAccessibleInterface* group = iface->parent();
            QVERIFY(group);
            QCOMPARE(group->role(), QAccessible::Grouping);
            QVERIFY(!group->text(QAccessible::Name).isEmpty());
            QVERIFY(name.endsWith(group->text(QAccessible::Name)));
        }
    }
}

void TestAccessibility::namesFromTheCaptions()
{
    Dialogs dialogs;
    OwnedDialog<QDialog> q(dialogs.make(Qos));
    std::unique_ptr<QDialog> v(dialogs.make(Vlan));
    auto* qos = static_cast<TQos_form*>(q.get());
    auto* vlan = static_cast<TVlan_form*>(v.get());
    const auto name = announcedName;

    QCOMPARE(name(qos->Edit3), QStringLiteral("Priority Queue 2 Weight"));
    QCOMPARE(name(qos->Edit6), QStringLiteral("LINE 3 Port Priority (0 Low-7 High)"));
    QCOMPARE(name(qos->ComboBox3), QStringLiteral("LINE 4 Priority Resolution"));
    QCOMPARE(name(qos->StringGrid4), QStringLiteral("LINE 3 VLAN Tag Remapping"));
    QCOMPARE(name(qos->StringGrid2), QStringLiteral("DSCP Priority"));
    QCOMPARE(name(qos->RadioGroup3->button(0)), QStringLiteral("Weighted round robin, Channel 2 - Queue scheduling"));
    QCOMPARE(name(qos->Button3), QStringLiteral("Cancel"));

    QCOMPARE(name(vlan->Edit2), QStringLiteral("LINE2 Default VID"));
    QCOMPARE(name(vlan->CheckBox2), QStringLiteral("Force Default VID, LINE3"));
    QCOMPARE(name(vlan->ComboBox6), QStringLiteral("Modem 2 Ingress Policy"));
    QCOMPARE(name(vlan->ComboBox13), QStringLiteral("NMS Port Double Tag Mode"));
    QCOMPARE(name(vlan->ComboBox14), QStringLiteral("Provider Ether Type"));
    QCOMPARE(name(vlan->CheckBox6), QStringLiteral("Remove 1 Provider Tag Only"));
    QCOMPARE(name(vlan->StringGrid1), QStringLiteral("Static VLAN Entries"));
    QCOMPARE(name(vlan->CheckBox7), QStringLiteral("Modem 1, LINE 2"));
    QCOMPARE(name(vlan->CheckBox17), QStringLiteral("NMS, Modem 2"));
    QCOMPARE(name(vlan->CheckBox18), QStringLiteral("Separate User Ports"));
    QCOMPARE(name(vlan->RadioGroup1->button(1)), QStringLiteral("Single Tag, VLAN Main Switch"));
}

void TestAccessibility::namesFollowATranslation()
{
    QTemporaryFile file;
    QVERIFY(file.open());
    file.write("[QOS]\n"
               "Priority Queue 2 Weight=Gewicht der Warteschlange 2\n"
               "L&INE 3=L&EITUNG 3\n"
               "Port Priority (0 Low-7 High)=Portpriorit\xc3\xa4t\n"
               "&Weighted round robin=&Gewichtet reihum\n"
               "Channel &2 - Queue scheduling=Kanal &2\n");
    file.close();
    TIniFile qosCatalogue(file.fileName());
    RecordingCatalogue vlanCatalogue;
    vlanCatalogue.values = {{QStringLiteral("line_3"), QStringLiteral("LEITUNG 3")},
                            {QStringLiteral("force_default_vid"), QStringLiteral("VID erzwingen")},
                            {QStringLiteral("default_vid"), QStringLiteral("Standard-VID")},
                            {QStringLiteral("modem_1"), QStringLiteral("Funk 1")},
                            {QStringLiteral("entry_vid"), QStringLiteral("VID &eingeben:")}};
    Dialogs dialogs;
    OwnedDialog<QDialog> q(dialogs.make(Qos, &qosCatalogue));
    std::unique_ptr<QDialog> v(dialogs.make(Vlan, &vlanCatalogue));
    std::unique_ptr<QDialog> e(dialogs.make(VidEntry, &vlanCatalogue));
    auto* qos = static_cast<TQos_form*>(q.get());
    auto* vlan = static_cast<TVlan_form*>(v.get());
    const auto name = announcedName;

    QCOMPARE(name(qos->Edit3), QStringLiteral("Gewicht der Warteschlange 2"));
    QCOMPARE(name(qos->Edit6), QStringLiteral("LEITUNG 3 Portpriorität"));
    QCOMPARE(name(qos->RadioGroup3->button(0)), QStringLiteral("Gewichtet reihum, Kanal 2"));
    QCOMPARE(name(vlan->Edit3), QStringLiteral("LEITUNG 3 Standard-VID"));
    QCOMPARE(name(vlan->CheckBox2), QStringLiteral("VID erzwingen, LEITUNG 3"));
    QCOMPARE(name(vlan->CheckBox8), QStringLiteral("Funk 1, LEITUNG 3"));
    QCOMPARE(name(static_cast<TForm3*>(e.get())->Edit1), QStringLiteral("VID eingeben"));
}

void TestAccessibility::gridCellsCarryTheirHeadings()
{
    Dialogs dialogs;
    OwnedDialog<QDialog> q(dialogs.make(Qos));
    std::unique_ptr<QDialog> v(dialogs.make(Vlan));
    auto* qos = static_cast<TQos_form*>(q.get());
    auto* vlan = static_cast<TVlan_form*>(v.get());
    // A screen reader starts, with the dialogs open.
    QAccessible::setActive(true);
    const auto stopReader = qScopeGuard([] { QAccessible::setActive(false); });

    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(vlan->StringGrid1);
    QCOMPARE(headingOf(grid, 1, 2, true), QStringLiteral("LINE3"));
    QCOMPARE(headingOf(grid, 2, 6, true), QStringLiteral("NMS"));
    QCOMPARE(headingOf(grid, 2, 7, true), QStringLiteral("Delete"));
    QAccessibleInterface* cell = grid->tableInterface()->cellAt(2, 5);
    QCOMPARE(cell->text(QAccessible::Name).trimmed(), QStringLiteral("Untagged"));

    QAccessibleInterface* queues = QAccessible::queryAccessibleInterface(qos->StringGrid1);
    QCOMPARE(headingOf(queues, 3, 1, true), QStringLiteral("Priority Queue"));
    QCOMPARE(headingOf(queues, 3, 1, false), QStringLiteral("2"));
    QAccessibleInterface* remap = QAccessible::queryAccessibleInterface(qos->StringGrid5);
    QCOMPARE(headingOf(remap, 4, 1, false), QStringLiteral("Tag Priority 4"));
}

void TestAccessibility::everyFocusedControlShowsItsFocus()
{
    QFETCH(int, which);
    QFETCH(int, page);
    Dialogs dialogs;
    OwnedDialog<QDialog> d(dialogs.make(Dialog(which)));
    QVERIFY(showActive(d));
    showPage(d, page);

    QList<QWidget*> controls = withRadioItems(focusableControls(d));
    controls.removeIf([](const QWidget* w) { return !w->isEnabled(); });
    // What the screen shows around the control, its neighbours included.
    const auto look = [&d](QWidget* w) {
        return d->grab(QRect(w->mapTo(d, QPoint(0, 0)), w->size()).adjusted(-3, -3, 3, 3)).toImage();
    };
    for (QWidget* w : controls) {
        QWidget* elsewhere = controls.first() == w ? controls.last() : controls.first();
        elsewhere->setFocus(Qt::OtherFocusReason);
        QTRY_VERIFY(!w->hasFocus());
        const QImage without = look(w);
        w->setFocus(Qt::OtherFocusReason);
        QTRY_VERIFY(w->hasFocus() || w->isAncestorOf(QApplication::focusWidget()));
        const QImage with = look(w);
        QVERIFY2(with != without, qPrintable(w->objectName() + QStringLiteral(" shows no focus")));
    }
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"

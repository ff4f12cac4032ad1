// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "bench/FloorDialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString s(const char* text)
{
    return QString::fromLatin1(text);
}

// A captioned group of radio buttons, as the radio groups are built.
QGroupBox* radioGroup(const char* title, std::initializer_list<const char*> items, int columns, int selected)
{
    auto* box = new QGroupBox(s(title));
    auto* grid = new QGridLayout(box);
    auto* group = new QButtonGroup(box);
    int i = 0;
    for (const char* item : items) {
        auto* b = new QRadioButton(s(item), box);
        group->addButton(b, i);
        grid->addWidget(b, 0, i % columns);
        b->setChecked(i == selected);
        ++i;
    }
    return box;
}

// A table with an item in every cell, no header views, as the grids are.
QTableWidget* table(int rows, int cols, int columnWidth)
{
    auto* t = new QTableWidget(rows, cols);
    t->horizontalHeader()->hide();
    t->verticalHeader()->hide();
    t->verticalHeader()->setDefaultSectionSize(24);
    t->horizontalHeader()->setDefaultSectionSize(columnWidth);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            t->setItem(r, c, new QTableWidgetItem(c == 0 ? QString::number(r) : s("      3")));
    return t;
}

QComboBox* combo(std::initializer_list<const char*> items, int selected)
{
    auto* c = new QComboBox;
    c->setEditable(true);
    for (const char* item : items)
        c->addItem(s(item));
    c->setCurrentIndex(selected);
    return c;
}

QWidget* buttonStrip(std::initializer_list<const char*> captions)
{
    auto* strip = new QWidget;
    auto* grid = new QGridLayout(strip);
    int col = 0;
    for (const char* caption : captions)
        grid->addWidget(new QPushButton(s(caption)), 0, col++, Qt::AlignCenter);
    return strip;
}

} // namespace

QDialog* makeQosFloor()
{
    auto* d = new QDialog;
    d->setWindowTitle(s("Local QoS Configuration Dialog"));
    d->resize(564, 376);
    auto* outer = new QVBoxLayout(d);
    auto* tabs = new QTabWidget;
    outer->addWidget(tabs);
    outer->addWidget(buttonStrip({"&Ok", "&Reset", "&Cancel"}));

    // Global settings.
    auto* page1 = new QWidget;
    auto* v1 = new QVBoxLayout(page1);
    v1->addWidget(radioGroup("QoS Main Switch", {"&Disabled", "&Enabled"}, 4, 0));
    auto* panel2 = new QWidget;
    auto* h2 = new QHBoxLayout(panel2);
    auto* tablesBox = new QGroupBox(s("Queue Mappings Tables"));
    auto* hTables = new QHBoxLayout(tablesBox);
    auto* panel1 = new QWidget;
    auto* hPanel1 = new QHBoxLayout(panel1);
    hPanel1->addWidget(table(9, 2, 80));
    hPanel1->addWidget(table(65, 2, 80));
    hTables->addWidget(panel1);
    auto* weightsBox = new QGroupBox(s("Priority Queue Weights"));
    auto* vWeights = new QVBoxLayout(weightsBox);
    vWeights->addWidget(new QLabel(s("Tx Packets per round (1-125)")));
    auto* panel3 = new QWidget;
    auto* g3 = new QGridLayout(panel3);
    for (int q = 0; q < 4; ++q) {
        g3->addWidget(new QLabel(QStringLiteral("Priority Queue %1 Weight").arg(q)), q, 0);
        auto* e = new QLineEdit(QString::number(1 << q));
        e->setMaxLength(3);
        e->setAlignment(Qt::AlignCenter);
        g3->addWidget(e, q, 1);
    }
    vWeights->addWidget(panel3);
    h2->addWidget(tablesBox, 70);
    h2->addWidget(weightsBox, 30);
    v1->addWidget(panel2);
    tabs->addTab(page1, s("&Global Settings"));

    // User ports.
    auto* page2 = new QWidget;
    auto* v2 = new QVBoxLayout(page2);
    auto* panel5 = new QWidget;
    auto* h5 = new QHBoxLayout(panel5);
    for (const char* port : {"&LINE 2", "L&INE 3", "LI&NE 4"}) {
        auto* box = new QGroupBox(s(port));
        auto* vb = new QVBoxLayout(box);
        auto* panel = new QWidget;
        panel->setFixedHeight(108);
        auto* l1 = new QLabel(s("Port Priority (0 Low-7 High)"), panel);
        l1->move(10, 5);
        auto* e = new QLineEdit(s("0"), panel);
        e->setGeometry(10, 22, 92, 21);
        auto* l2 = new QLabel(s("Priority Resolution"), panel);
        l2->move(10, 47);
        auto* c = combo({"Port's", "VLAN Tag", "DSCP", "VLAN & DSCP", "DSCP & VLAN"}, 3);
        c->setParent(panel);
        c->setGeometry(10, 64, 111, 21);
        auto* l3 = new QLabel(s("VLAN Tag Remapping"), panel);
        l3->move(10, 90);
        vb->addWidget(panel);
        vb->addWidget(table(8, 2, 70));
        h5->addWidget(box);
    }
    v2->addWidget(panel5);
    tabs->addTab(page2, s("&User Ports Settings"));

    // Modem ports.
    auto* page3 = new QWidget;
    auto* v3 = new QVBoxLayout(page3);
    auto* panel6 = new QWidget;
    auto* h6 = new QHBoxLayout(panel6);
    h6->addWidget(radioGroup("Channel &1 - Queue scheduling", {"&Weighted round robin", "&Strict"}, 1, 0));
    h6->addWidget(radioGroup("Channel &2 - Queue scheduling", {"We&ighted round robin", "Stric&t"}, 1, 0));
    v3->addWidget(panel6);
    tabs->addTab(page3, s("&Modem Ports Settings"));
    return d;
}

QDialog* makeVlanFloor(int vlanGridRows)
{
    auto* d = new QDialog;
    d->setWindowTitle(s("Local VLAN Configuration Dialog"));
    d->resize(546, 384);
    auto* outer = new QGridLayout(d);
    outer->addWidget(radioGroup("VLAN Main Switch", {"&Disable", "Si&ngle Tag", "Dou&ble Tag"}, 5, 0), 0, 0);
    auto* tabs = new QTabWidget;
    outer->addWidget(tabs, 1, 0);
    auto* strip = new QFrame;
    strip->setFrameShape(QFrame::Panel);
    auto* stripGrid = new QGridLayout(strip);
    int col = 0;
    for (const char* caption : {"&Set", "De&fault", "&Cancel"})
        stripGrid->addWidget(new QPushButton(s(caption)), 0, col++, Qt::AlignCenter);
    outer->addWidget(strip, 2, 0);

    // Global VLAN: six port rows at fixed positions.
    auto* page1 = new QWidget;
    const char* headings[] = {"Default VID", "Force Default VID", "Ingress Policy", "Port Double Tag Mode"};
    const int headingLeft[] = {64, 132, 230, 352};
    for (int i = 0; i < 4; ++i)
        (new QLabel(s(headings[i]), page1))->move(headingLeft[i], 3);
    const char* ports[] = {"LINE2", "LINE3", "LINE4", "Modem 1", "Modem 2", "NMS"};
    for (int p = 0; p < 6; ++p) {
        const int top = 25 + 27 * p;
        (new QLabel(s(ports[p]), page1))->move(3, top);
        auto* e = new QLineEdit(s("1"), page1);
        e->setGeometry(68, top - 3, 42, 21);
        e->setMaxLength(4);
        if (p < 5)
            (new QCheckBox(s("    "), page1))->move(160, top - 3);
        auto* ingress = combo({"Admit All", "Tag only"}, 0);
        ingress->setParent(page1);
        ingress->setGeometry(230, top - 3, 99, 21);
        auto* dt = combo({"Customer", "Provider"}, p == 3 || p == 4 ? 1 : 0);
        dt->setParent(page1);
        dt->setGeometry(352, top - 3, 106, 21);
    }
    (new QLabel(s("Provider Ether Type"), page1))->move(3, 200);
    auto* eth = combo({"0x88A8", "0x8100", "0x9100", "0x9200"}, 2);
    eth->setParent(page1);
    eth->setGeometry(3, 219, 106, 21);
    (new QCheckBox(page1))->move(352, 219);
    (new QLabel(s("Remove 1 Provider Tag Only"), page1))->move(375, 221);
    tabs->addTab(page1, s("&Global VLAN"));

    // Static VLAN.
    auto* page2 = new QWidget;
    auto* v2 = new QVBoxLayout(page2);
    auto* panel1 = new QWidget;
    (new QLabel(s("Static VLAN Entries:"), panel1))->move(3, 8);
    panel1->setFixedHeight(30);
    v2->addWidget(panel1);
    auto* grid = table(vlanGridRows, 8, 70);
    v2->addWidget(grid);
    auto* panel5 = new QWidget;
    auto* h5 = new QHBoxLayout(panel5);
    h5->addWidget(new QPushButton(s("&Add New VLAN")));
    h5->addWidget(new QPushButton(s("D&elete VLAN")));
    v2->addWidget(panel5);
    tabs->addTab(page2, s("S&tatic VLAN"));

    // Port based VLAN: the forwarding matrix and "Separate User Ports".
    auto* page3 = new QWidget;
    auto* g3 = new QGridLayout(page3);
    auto* matrix = new QWidget;
    auto* gm = new QGridLayout(matrix);
    const char* columns[] = {"LINE 2", "LINE 3", "LINE 4", "Modem 1", "Modem 2"};
    for (int c = 0; c < 5; ++c)
        gm->addWidget(new QLabel(s(columns[c])), 0, c + 1);
    const char* rows[] = {"Modem 1", "Modem 2", "NMS"};
    for (int r = 0; r < 3; ++r) {
        gm->addWidget(new QLabel(s(rows[r])), r + 1, 0);
        for (int c = 0; c < (r == 2 ? 5 : 3); ++c)
            gm->addWidget(new QCheckBox, r + 1, c + 1);
    }
    g3->addWidget(matrix, 0, 0);
    auto* panel4 = new QWidget;
    (new QCheckBox(panel4))->move(32, 4);
    (new QLabel(s("Separate User Ports"), panel4))->move(69, 6);
    g3->addWidget(panel4, 1, 0);
    tabs->addTab(page3, s("&Port Based VLAN"));

    // Miscellaneous.
    auto* page4 = new QWidget;
    auto* learning = new QCheckBox(s("Disable Learning"), page4);
    learning->hide();
    (new QCheckBox(s("&BPDU priority Override"), page4))->move(3, 26);
    (new QCheckBox(s("&LACP priority Override"), page4))->move(3, 49);
    tabs->addTab(page4, s("&Miscellaneous"));
    return d;
}

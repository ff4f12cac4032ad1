// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "vlan/VlanAccessibility.h"

#include "ui/AccessibleName.h"
#include "ui/ListEnterKey.h"
#include "ui/SpokenCaption.h"
#include "ui/TabChain.h"
#include "vlan/Unit3.h"
#include "vlan/Vlan_form.h"

#include <array>

namespace {

// Space on a cell does what a click on that cell does, through the same
// handler.
void clickCellsWithSpace(TVlan_form& f)
{
    StringGrid* grid = f.StringGrid1;
    QObject::connect(grid, &StringGrid::spacePressed, &f, [&f, grid](int col, int row) {
        const QPoint at = grid->cellRect(col, row).center();
        f.StringGrid1MouseUp(grid, Qt::LeftButton, Qt::NoModifier, at.x(), at.y());
    });
}

void nameGlobalPage(TVlan_form& f)
{
    const std::array<QLabel*, 6> ports{f.Label3, f.Label4, f.Label5, f.Label6, f.Label7, f.Label8};
    const std::array<QLineEdit*, 6> defaultVids{f.Edit2, f.Edit3, f.Edit4, f.Edit5, f.Edit6, f.Edit7};
    const std::array<QCheckBox*, 5> forced{f.CheckBox1, f.CheckBox2, f.CheckBox3, f.CheckBox4,
                                           f.CheckBox5};
    const std::array<QComboBox*, 6> ingress{f.ComboBox2, f.ComboBox3, f.ComboBox4,
                                            f.ComboBox5, f.ComboBox6, f.ComboBox7};
    const std::array<QComboBox*, 6> doubleTag{f.ComboBox8, f.ComboBox9, f.ComboBox10,
                                              f.ComboBox11, f.ComboBox12, f.ComboBox13};
    for (std::size_t p = 0; p < ports.size(); ++p) {
        const QString port = ports[p]->text();
        setSpokenName(defaultVids[p], spokenPair(port, f.Label9->text()));
        if (p < forced.size())
            setSpokenName(forced[p], spokenQualified(f.Label10->text(), port));
        setSpokenName(ingress[p], spokenPair(port, f.Label11->text()));
        setSpokenName(doubleTag[p], spokenPair(port, f.Label12->text()));
    }
    setSpokenName(f.ComboBox14, spokenCaption(f.Label13->text()));
    setSpokenName(f.CheckBox6, spokenCaption(f.Label2->text()));
}

// Each box of the forwarding matrix by its row port and its column port.
void namePortBasedPage(TVlan_form& f)
{
    const std::array<QLabel*, 3> rows{f.Label14, f.Label15, f.Label16};
    const std::array<QLabel*, 5> columns{f.Label17, f.Label18, f.Label19, f.Label20, f.Label21};
    const std::array<std::array<QCheckBox*, 5>, 3> matrix{{
        {f.CheckBox7, f.CheckBox8, f.CheckBox9, nullptr, nullptr},
        {f.CheckBox10, f.CheckBox11, f.CheckBox12, nullptr, nullptr},
        {f.CheckBox13, f.CheckBox14, f.CheckBox15, f.CheckBox16, f.CheckBox17},
    }};
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < columns.size(); ++c)
            if (QCheckBox* box = matrix[r][c])
                setSpokenName(box, spokenQualified(rows[r]->text(), columns[c]->text()));
    setSpokenName(f.CheckBox18, spokenCaption(f.Label22->text()));
}

} // namespace

void makeVlanDialogAccessible(TVlan_form& f)
{
    // The form puts the mode switch before the page control; the pages
    // follow the tabs, the button strip comes last.
    setTabChain({f.PageControl1,
                 f.Edit2, f.Edit3, f.Edit4, f.Edit5, f.Edit6, f.Edit7,
                 f.CheckBox1, f.CheckBox2, f.CheckBox3, f.CheckBox4, f.CheckBox5,
                 f.ComboBox2, f.ComboBox3, f.ComboBox4, f.ComboBox5, f.ComboBox6, f.ComboBox7,
                 f.ComboBox8, f.ComboBox9, f.ComboBox10, f.ComboBox11, f.ComboBox12, f.ComboBox13,
                 f.ComboBox14, f.CheckBox6,
                 f.StringGrid1, f.Button1, f.Button2,
                 f.CheckBox7, f.CheckBox8, f.CheckBox9, f.CheckBox10, f.CheckBox11, f.CheckBox12,
                 f.CheckBox13, f.CheckBox14, f.CheckBox15, f.CheckBox16, f.CheckBox17, f.CheckBox18,
                 f.CheckBox19, f.CheckBox20, f.CheckBox21,
                 f.Button3, f.Button5, f.Button4});

    f.RadioGroup1->nameItemsAfterTitle();
    nameTabRowAfterPage(f.PageControl1);
    nameGlobalPage(f);
    setSpokenName(f.StringGrid1, spokenCaption(f.Label1->text()));
    namePortBasedPage(f);

    for (QLineEdit* edit : {f.Edit2, f.Edit3, f.Edit4, f.Edit5, f.Edit6, f.Edit7})
        edit->setInputMethodHints(Qt::ImhDigitsOnly);
    for (QComboBox* box : {f.ComboBox2, f.ComboBox3, f.ComboBox4, f.ComboBox5, f.ComboBox6,
                           f.ComboBox7, f.ComboBox8, f.ComboBox9, f.ComboBox10, f.ComboBox11,
                           f.ComboBox12, f.ComboBox13, f.ComboBox14})
        passEnterToDialog(box);
    clickCellsWithSpace(f);

    showFocusFromTheStart(&f);
}

void makeVidEntryAccessible(TForm3& f)
{
    setSpokenName(f.Edit1, spokenCaption(f.Label1->text()));
    f.Edit1->setInputMethodHints(Qt::ImhDigitsOnly);
    setTabChain({f.Edit1, f.Button1, f.Button2});
    showFocusFromTheStart(&f);
}

// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "qos/QosAccessibility.h"

#include "qos/Qos_form.h"
#include "ui/AccessibleName.h"
#include "ui/ListEnterKey.h"
#include "ui/SpokenCaption.h"
#include "ui/TabChain.h"

#include <array>

void makeQosDialogAccessible(TQos_form& f)
{
    // The form orders the button strip and the page control; the pages
    // follow the tabs.
    setTabChain({f.PageControl1,
                 f.RadioGroup1, f.StringGrid1, f.StringGrid2, f.Edit1, f.Edit2, f.Edit3, f.Edit4,
                 f.Edit5, f.ComboBox1, f.StringGrid3,
                 f.Edit6, f.ComboBox2, f.StringGrid4,
                 f.Edit7, f.ComboBox3, f.StringGrid5,
                 f.RadioGroup2, f.RadioGroup3});

    nameTabRowAfterPage(f.PageControl1);
    for (RadioGroup* group : {f.RadioGroup1, f.RadioGroup2, f.RadioGroup3})
        group->nameItemsAfterTitle();

    // Global Settings: the two queue tables by their heading, the weights by
    // their labels.
    setSpokenName(f.StringGrid1, spokenCaption(f.StringGrid1->cellText(0, 0)));
    setSpokenName(f.StringGrid2, spokenCaption(f.StringGrid2->cellText(0, 0)));
    const std::array<QLineEdit*, 4> weights{f.Edit1, f.Edit2, f.Edit3, f.Edit4};
    const std::array<QLabel*, 4> weightLabels{f.Label2, f.Label3, f.Label4, f.Label5};
    for (std::size_t q = 0; q < weights.size(); ++q)
        setSpokenName(weights[q], spokenCaption(weightLabels[q]->text()));

    // User Ports Settings: each control by its port and its label.
    struct PortControls
    {
        QGroupBox* port;
        QLineEdit* priority;
        QLabel* priorityLabel;
        QComboBox* resolution;
        QLabel* resolutionLabel;
        StringGrid* remap;
        QLabel* remapLabel;
    };
    const std::array<PortControls, 3> ports{{
        {f.GroupBox3, f.Edit5, f.Label6, f.ComboBox1, f.Label7, f.StringGrid3, f.Label8},
        {f.GroupBox4, f.Edit6, f.Label9, f.ComboBox2, f.Label10, f.StringGrid4, f.Label11},
        {f.GroupBox5, f.Edit7, f.Label12, f.ComboBox3, f.Label13, f.StringGrid5, f.Label14},
    }};
    for (const PortControls& p : ports) {
        setSpokenName(p.priority, spokenPair(p.port->title(), p.priorityLabel->text()));
        setSpokenName(p.resolution, spokenPair(p.port->title(), p.resolutionLabel->text()));
        setSpokenName(p.remap, spokenPair(p.port->title(), p.remapLabel->text()));
    }

    for (QLineEdit* edit : {f.Edit1, f.Edit2, f.Edit3, f.Edit4, f.Edit5, f.Edit6, f.Edit7})
        edit->setInputMethodHints(Qt::ImhDigitsOnly);
    for (QComboBox* box : {f.ComboBox1, f.ComboBox2, f.ComboBox3})
        passEnterToDialog(box);

    showFocusFromTheStart(&f);
}

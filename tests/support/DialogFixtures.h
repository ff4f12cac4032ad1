// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// Opening the dialogs under test as a host does, showing them, and checking
// that a test left no window behind.

#include "ui/Settle.h"
#include "testing/ArrayBytes.h"
#include "tests/support/VlanArray.h"

#include <QPointer>

#include <memory>

class QWidget;
class TIniFile;
class TQos_form;
class TVlan_form;

// Owns a dialog that may delete itself when it closes (as the QoS dialog
// does): whatever is left of it goes with the owner.
template <typename Dialog>
class OwnedDialog
{
public:
    explicit OwnedDialog(Dialog* dialog = nullptr) : m_dialog(dialog) {}
    ~OwnedDialog() { delete m_dialog.data(); }
    OwnedDialog(const OwnedDialog&) = delete;
    OwnedDialog& operator=(const OwnedDialog&) = delete;
    OwnedDialog(OwnedDialog&& other) noexcept : m_dialog(other.release()) {}
    // From an owner of a derived dialog, which is left empty.
    template <typename Derived>
    OwnedDialog(OwnedDialog<Derived>&& other) noexcept : m_dialog(other.release()) {}
    template <typename Derived>
    OwnedDialog& operator=(OwnedDialog<Derived>&& other) noexcept
    {
        Dialog* taken = other.release();
        if (taken != m_dialog.data()) {
            delete m_dialog.data();
            m_dialog = taken;
        }
        return *this;
    }

    Dialog* release()
    {
        Dialog* d = m_dialog.data();
        m_dialog = nullptr;
        return d;
    }

    Dialog* get() const { return m_dialog.data(); }
    Dialog* operator->() const { return m_dialog.data(); }
    operator Dialog*() const { return m_dialog.data(); }

private:
    QPointer<Dialog> m_dialog;
};

// An empty catalogue: every text is the English default.
TIniFile* englishCatalogue();

// A QoS dialog of the local unit over a host array (English without a catalogue).
OwnedDialog<TQos_form> makeQosDialog(QosBytes& bytes, TIniFile* ini = nullptr);

// A VLAN dialog over a host array, with LINE 4 and Modem 2.
std::unique_ptr<TVlan_form> makeVlanDialog(VlanArray& a, TIniFile* ini = nullptr);

// Shows a dialog and waits until it is the active window.
bool showActive(QWidget* w);

// Deletes what waits for deletion; true when no top-level window is left.
bool noWindowLeft();

// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QByteArray>

// The copy a careful host keeps so that cancelling a dialog discards what the
// dialog wrote. The dialogs write straight into the host's bytes and never
// restore them, so the copy must be taken before the dialog is constructed
// (its constructor may already replace a blank array by defaults).
//
// The copy is a deep copy: the dialog writes through a raw pointer into the
// array's buffer, which a shared (implicitly copied) QByteArray would see too.
class CancelCopy
{
public:
    // Keeps a copy of `array` when `enabled`; otherwise does nothing.
    CancelCopy(QByteArray& array, bool enabled);

    // Called with the dialog's modal result once the dialog is done. On result
    // 2 (cancel) with the option on, writes the copy back into the same buffer
    // and returns true; otherwise leaves the array as the dialog left it.
    bool finish(int modalResult);

    bool enabled() const { return m_enabled; }

private:
    QByteArray& m_array;
    QByteArray m_copy;
    bool m_enabled;
};

// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "host/app/CancelCopy.h"

#include <cstring>

CancelCopy::CancelCopy(QByteArray& array, bool enabled)
    : m_array(array)
    , m_copy(enabled ? QByteArray(array.constData(), array.size()) : QByteArray())
    , m_enabled(enabled)
{
}

bool CancelCopy::finish(int modalResult)
{
    if (!m_enabled || modalResult != 2)
        return false;
    if (m_array.size() != m_copy.size())
        m_array.resize(m_copy.size());
    std::memcpy(m_array.data(), m_copy.constData(), size_t(m_copy.size()));
    return true;
}

#include "host/core/UnitState.h"

QString arrayName(ArrayKind kind)
{
    return kind == ArrayKind::Qos ? QStringLiteral("QoS") : QStringLiteral("VLAN");
}

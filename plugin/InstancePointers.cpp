#include "plugin/InstancePointers.h"

TQos_form* Qos_form1 = nullptr;
TVlan_form* Vlan_form1 = nullptr;
TForm3* Form3 = nullptr;

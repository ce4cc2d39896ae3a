#include "platform/devices/devices.h"

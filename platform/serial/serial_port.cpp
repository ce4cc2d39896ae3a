#include "platform/serial/serial_port.h"

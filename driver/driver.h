#pragma once
// The register protocol driver: everything a window needs to talk to the register.
#include "driver/answer_record.h"
#include "driver/decoder.h"
#include "driver/ean13.h"
#include "driver/formatters.h"
#include "driver/link.h"
#include "driver/tables.h"

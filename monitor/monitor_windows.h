#pragma once
// The windows of the script monitor, its variables view and the script preparation windows: one header for
// each, each declaring its window's global.

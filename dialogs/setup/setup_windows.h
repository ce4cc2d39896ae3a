#pragma once
// The windows of register set-up, network settings, read-out and modem state: one header for each, each declaring its window's global.

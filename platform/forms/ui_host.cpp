#include "platform/forms/ui_host.h"

namespace {
UiHost* installedHost = nullptr;
} // namespace

UiHost& CurrentUiHost() {
    static QtUiHost qtHost;
    return installedHost ? *installedHost : qtHost;
}

void SetUiHost(UiHost* host) {
    installedHost = host;
}

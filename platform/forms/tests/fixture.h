#pragma once
#include <gtest/gtest.h>

#include "platform/forms/forms.h"

// Every test of the form layer runs with the application object and a recording UI host.
class FormsTest : public ::testing::Test {
protected:
    // In the constructor, so that windows that are members of a derived fixture can be built.
    FormsTest() {
        EnsureApplication();
        Application->ResetTerminated();
    }
    RecordingUiHost host;
};

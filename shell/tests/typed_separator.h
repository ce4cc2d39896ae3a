#pragma once
// A ";" typed into one field of a shown window, and the window's real button pressed: the window
// names the field and nothing reaches the register.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "shell/typed_fields.h"
#include "tools/regsim/register_simulator.h"

struct SeparatorRow {
    TForm* Window;
    TEdit* Field;
    std::string Caption; // the label the message names
    TButton* Button;
    std::function<void()> Prepare = {}; // what else the button needs first, done in the shown window
};

inline void ExpectSeparatorRefused(RecordingUiHost& host, regsim::RegisterSimulator& sim,
                                   const SeparatorRow& row) {
    const std::string where = row.Window->Name() + " " + row.Caption + " " + row.Button->Caption();
    std::vector<std::string> messages;
    size_t frames = 0;
    bool enabled = false;
    host.OnModal(row.Window->Name(), [&](TForm& form) {
        if (row.Prepare) row.Prepare();
        const std::string before = row.Field->Text();
        row.Field->SetText(before + ";7890");
        sim.ClearFrames();
        host.Clear();
        enabled = row.Button->Enabled() && row.Button->Visible();
        row.Button->Click();
        messages = host.Texts();
        frames = sim.FrameCount();
        row.Field->SetText(before);
        form.Close();
    });
    row.Window->ShowModal();
    EXPECT_TRUE(enabled) << where;
    EXPECT_EQ(messages, std::vector<std::string>{FieldSeparatorMessage(row.Caption)}) << where;
    EXPECT_EQ(frames, 0u) << where;
}

#include <gtest/gtest.h>

#include "tools/regsim/register_model.h"

namespace {

using regsim::RegisterModel;

struct Step {
    uint8_t code;
    std::string data;
    std::string error;
};

// Each sequence runs on a fresh register with two articles; every answer's error field is checked.
TEST(RegisterModelReceipt, CommandsOutOfOrderAreRefusedAsARegisterDoes) {
    const struct {
        const char* name;
        std::vector<Step> steps;
        int64_t total;
    } cases[] = {
        {"sale without a receipt", {{0x64, "736204;1;1.000;10.00;", "000B"}}, 0},
        {"receipt opened twice", {{0x63, "736204;1;1;0;", "0000"}, {0x63, "736204;1;1;0;", "000B"}}, 0},
        {"unknown article", {{0x63, "736204;1;1;0;", "0000"}, {0x64, "736204;9;1.000;1.00;", "020A"}}, 0},
        {"quantity and price",
         {{0x63, "736204;1;1;0;", "0000"},
          {0x64, "736204;1;0.000;1.00;", "0F0B"},
          {0x64, "736204;1;1.000;-1.00;", "100B"}},
         0},
        {"discount before a sale", {{0x63, "736204;1;1;0;", "0000"}, {0x68, "736204;-5.00;", "000B"}}, 0},
        {"discounts and surcharges",
         {{0x63, "736204;1;1;0;", "0000"},
          {0x64, "736204;1;2.000;10.00;", "0000"},
          {0x68, "736204;-10.00;", "0000"},
          {0x74, "736204;1.50;", "0000"},
          {0x73, "736204;100.00;", "0B0B"},
          {0x69, "736204;-30.00;", "0B0B"}},
         1950},
        {"close before payment in full",
         {{0x63, "736204;1;1;0;", "0000"},
          {0x64, "736204;2;1.000;5.00;", "0000"},
          {0x67, "736204;1;2.00;", "0000"},
          {0x65, "736204;1;", "000B"},
          {0x64, "736204;2;1.000;5.00;", "000B"},
          {0x67, "736204;1;4.00;", "0A0B"}, // only cash gives change
          {0x67, "736204;0;4.00;", "0000"},
          {0x65, "736204;1;", "0000"}},
         0},
        {"cancellation",
         {{0x63, "736204;1;1;0;", "0000"},
          {0x6B, "736204;2;", "040B"},
          {0x64, "736204;1;1.000;10.00;", "0000"},
          {0x6B, "736204;1;", "0000"},
          {0x6B, "736204;1;", "030B"},
          {0x64, "736204;1;1.000;10.00;", "0000"},
          {0x64, "736204;1;1.000;10.00;", "040B"},
          {0x65, "736204;1;", "000B"},
          {0x6B, "736204;2;", "0000"}},
         0},
        {"card payment needs its identifier",
         {{0x63, "736204;1;1;0;", "0000"},
          {0x64, "736204;1;1.000;10.00;", "0000"},
          {0x78, "736204;1;10.00;;", "0403"},
          {0x78, "736204;1;10.00;TXN;77;", "0403"},
          {0x78, "736204;1;10.00;TXN77;", "0000"}},
         1000},
        {"comment outside a document",
         {{0x61, "736204;text;", "000B"}, {0x60, "736204;", "0000"}, {0x61, "736204;text;", "0000"}},
         0},
    };
    for (const auto& c : cases) {
        RegisterModel model;
        model.Handle(0x24, "736204;1;Хлеб;10.00;1;1;");
        model.Handle(0x24, "736204;2;Чай;5.00;2;1;");
        for (const Step& step : c.steps)
            EXPECT_EQ(model.Handle(step.code, step.data).Error, step.error)
                << c.name << ": " << std::hex << int(step.code) << " " << step.data;
        EXPECT_EQ(model.State.Document.Total(), c.total) << c.name;
    }
}

TEST(RegisterModelReceipt, TheStatusByteAndTheSubtotalFollowTheReceipt) {
    RegisterModel model;
    model.Handle(0x24, "736204;1;Хлеб;10.00;1;1;");
    const std::pair<Step, int> steps[] = {
        {{0x63, "736204;1;1;1;", "0000"}, 0x11}, {{0x64, "736204;1;1.500;10.00;", "0000"}, 0x12},
        {{0x6D, "736204;1;", "0000"}, 0x12},     {{0x67, "736204;0;20.00;", "0000"}, 0x14},
        {{0x65, "736204;0;", "0000"}, 0x00},
    };
    for (const auto& [step, status] : steps) {
        const regsim::ModelAnswer answer = model.Handle(step.code, step.data);
        EXPECT_EQ(answer.Error, step.error) << step.data;
        EXPECT_EQ(model.State.Status[2], status) << step.data;
        if (step.code == 0x6D) {
            EXPECT_EQ(answer.Data, "15.00;");
        }
    }
    EXPECT_EQ(model.State.ReceiptNumber, "1");
    EXPECT_EQ(model.Handle(0x2E, "736204;0;").Data, "83;ГОТІВКА;");
    EXPECT_EQ(model.Handle(0x2D, "736204;10;03;X;").Error, "0204");
    EXPECT_EQ(model.Handle(0x81, "736204;4;0;x;").Error, "0204");
}

} // namespace

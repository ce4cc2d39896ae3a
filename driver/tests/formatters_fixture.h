#pragma once
// A simulated register on a pseudo-terminal with the link open on it; the tests read the data
// texts the register received.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "driver/formatters.h"
#include "driver/link.h"
#include "platform/clock/clock.h"
#include "tools/ptyserve/follow_servers.h"
#include "tools/regsim/register_simulator.h"

class FormatterTest : public testing::Test {
protected:
    void SetUp() override {
        SetTimeScale(0.01);
        ASSERT_TRUE(sim_.Start()) << sim_.StartError();
        ASSERT_TRUE(OpenLink(sim_.PortPath(), 9600));
        // These tests read data texts, not resends.
        SetRetryCount(0);
    }

    void TearDown() override {
        SetRetryCount(4);
        CloseLink();
        sim_.Stop();
        SetTimeScale(1.0);
    }

    // Runs one formatter call, which must send exactly one frame; gives that frame.
    regsim::ReceivedFrame SentBy(const std::function<AnswerRecord*(int*)>& call) {
        sim_.ClearFrames();
        int error = 12345;
        AnswerRecord* answer = call(&error);
        EXPECT_EQ(error, 0);
        EXPECT_EQ(answer, LastAnswer);
        EXPECT_EQ(answer, &TheAnswer());
        EXPECT_TRUE(sim_.WaitForFrames(1, 2000));
        std::vector<regsim::ReceivedFrame> frames = sim_.Frames();
        EXPECT_EQ(frames.size(), 1u);
        return frames.empty() ? regsim::ReceivedFrame{} : frames.back();
    }

    regsim::RegisterSimulator sim_;
    ptyserve::FollowServers follow_{sim_};
};

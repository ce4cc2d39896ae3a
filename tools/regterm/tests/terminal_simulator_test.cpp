#include <gtest/gtest.h>

#include "platform/clock/clock.h"
#include "platform/serial/serial_port.h"
#include "tools/regterm/terminal_simulator.h"

namespace {

using regterm::Behaviour;
using regterm::TerminalSimulator;

const std::string kAck("\x00\x01\x06", 3);
const std::string kEnquiry("\x00\x01\x12", 3);

class Client {
public:
    explicit Client(const std::string& path) { EXPECT_EQ(port_.Open(path), SerialError::None); }
    void Send(const std::string& bytes) { port_.Write(bytes.data(), bytes.size()); }
    // Whatever arrives within the wait, up to count bytes.
    std::string Read(size_t count, unsigned ms = 300) {
        std::string bytes(count, '\0');
        const long got = port_.Read(bytes.data(), count, ms);
        bytes.resize(got > 0 ? static_cast<size_t>(got) : 0);
        return bytes;
    }
    // A data frame: its body.
    std::string ReadFrame() {
        const std::string length = Read(2);
        if (length.size() < 2) return "";
        return Read(static_cast<uint8_t>(length[0]) * 256u + static_cast<uint8_t>(length[1]));
    }

private:
    SerialPort port_;
};

std::string Request(const std::string& fields) {
    const std::string body = "\x02" + fields;
    return std::string{'\0', static_cast<char>(body.size())} + body;
}

TEST(TerminalSimulator, EachBehaviourAnswersASaleItsWay) {
    const std::string request = Request("00=0417\x1C"
                                        "03=S\x1C"
                                        "05=1250\x1C"
                                        "52=980\x1C"
                                        "53=UAH\x1C"
                                        "61=1");
    const struct {
        Behaviour behaviour;
        std::string firstReply;   // the three bytes after the enquiry
        size_t cardBodySize;      // 0: no card answer
        std::string afterRequest; // the first three bytes after the request
        bool approved;
    } cases[] = {
        {Behaviour::Approve, kAck, 42, kAck, true},
        {Behaviour::Decline, kAck, 42, kAck, false},
        {Behaviour::Silent, "", 0, "", false},
        {Behaviour::Oversized, kAck, 1200, kAck, true},
        {Behaviour::OutOfOrder, kAck, 42,
         std::string("\x00\x1F"
                     "0",
                     3),
         true},
    };
    for (const auto& c : cases) {
        TerminalSimulator terminal;
        terminal.SetBehaviour(c.behaviour);
        ASSERT_TRUE(terminal.Start()) << terminal.StartError();
        Client client(terminal.PortPath());
        client.Send(kEnquiry);
        EXPECT_EQ(client.Read(3), c.firstReply);
        if (c.cardBodySize == 0) continue;
        const std::string card = client.ReadFrame();
        EXPECT_EQ(card.size(), c.cardBodySize);
        if (c.behaviour != Behaviour::Oversized) {
            EXPECT_EQ(card, "00=0417\x1C"
                            "01=12345678\x1C"
                            "02=AUTH 123456\x1C"
                            "04=VISA");
        }
        client.Send(kAck);
        client.Send(request);
        ASSERT_TRUE(terminal.WaitForRequests(1, 1000));
        EXPECT_EQ(terminal.Requests()[0], request.substr(2));
        EXPECT_EQ(client.Read(3), c.afterRequest);
        const std::string decision =
            c.behaviour == Behaviour::OutOfOrder ? client.Read(33) : client.ReadFrame();
        EXPECT_EQ(decision.find("58=TXN00000000000000001") != std::string::npos, c.approved)
            << static_cast<int>(c.behaviour);
    }
}

TEST(TerminalSimulator, FieldsCanBeChangedAndAFrameMayArriveInPieces) {
    TerminalSimulator terminal;
    terminal.SetField(true, "01", "9876");
    terminal.SetField(true, "07", "extra");
    terminal.SetField(false, "58", "TXN;77");
    ASSERT_TRUE(terminal.Start());
    Client client(terminal.PortPath());
    client.Send(kEnquiry.substr(0, 1));
    client.Send(kEnquiry.substr(1));
    EXPECT_EQ(client.Read(3), kAck);
    EXPECT_EQ(client.ReadFrame(), "00=0417\x1C"
                                  "01=9876\x1C"
                                  "02=AUTH 123456\x1C"
                                  "04=VISA\x1C"
                                  "07=extra");
    client.Send(kAck + Request("00=0417"));
    EXPECT_EQ(client.Read(3), kAck);
    EXPECT_EQ(client.ReadFrame(), "00=0417\x1C"
                                  "58=TXN;77");
}

} // namespace

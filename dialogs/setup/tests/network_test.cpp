#include "dialogs/setup/network_codes.h"
#include "dialogs/setup/tests/setup_fixture.h"

namespace {

TEST(NetworkCodes, AddressesAndWordsBothWays) {
    EXPECT_EQ(DecodePackedAddress("C0A8010A"), "192.168.1.10");
    EXPECT_EQ(DecodePackedAddress("0A000005XYZ"), "10.0.0.5");
    for (const char* bad : {"c0a80164", "C0A801", ""})
        EXPECT_EQ(DecodePackedAddress(bad), std::nullopt) << bad;
    EXPECT_EQ(DecodeSwappedWord("901F"), 8080);
    EXPECT_EQ(DecodeSwappedWord("A005"), 1440);
    EXPECT_EQ(DecodeSwappedWord("100E"), 3600);
    EXPECT_EQ(DecodeSwappedWord("90"), std::nullopt);
    EXPECT_EQ(SwappedWord(8080), "901F");
    EXPECT_EQ(SwappedWord(65535), "FFFF");

    EXPECT_EQ(PackedAddress("192.168.1.10"), "C0A8010A");
    for (const char* bad :
         {".1.2.3", "1..2.3", "10.0.1", "1.2.3.4.", "1.2.3.4.5", "256.0.0.1", "1.2.-3.4", ""})
        EXPECT_EQ(PackedAddress(bad), std::nullopt) << bad;
    EXPECT_THROW(PackedAddress("a.b.c.d"), EConvertError);
}

using NetworkTest = SetupFixture;

TEST_F(NetworkTest, RemoteAccessIsReadOnceByItselfAndItsServerWritten) {
    sim.UpdateState([](regsim::RegisterState& state) {
        state.Network.RemoteAccess = {"0",        "C0A80164", "FFFFFF00", "C0A80101",
                                      "0A000005", "901F",     "3C00",     "1E00"};
    });
    TForm42& form = *Form42;
    form.FormActivate();
    EXPECT_TRUE(host.Texts().empty());
    EXPECT_FALSE(form.CheckBox1.Checked());
    const std::vector<std::string> shown = {form.Edit1.Text(), form.Edit2.Text(), form.Edit3.Text(),
                                            form.Edit4.Text(), form.Edit5.Text(), form.Edit7.Text(),
                                            form.Edit8.Text()};
    EXPECT_EQ(shown, (std::vector<std::string>{"192.168.1.100", "255.255.255.0", "192.168.1.1", "10.0.0.5",
                                               "8080", "60", "30"}));
    form.FormActivate();
    EXPECT_EQ(sim.FrameCount(), 1u);

    form.Edit4.SetText("192.168.1.10");
    form.Edit5.SetText("8080");
    form.Button2.Click();
    EXPECT_EQ(LastFrame().Data, "736204;C0A8010A;901F;");
    EXPECT_EQ(form.Edit9.Text(), "0000");
    for (const auto& [address, port, message] : {std::tuple{"10.0.1", "1", BadAddressMessage},
                                                 {"1.2.3.4", "65536", BadPortMessage},
                                                 {"1.2.3.4", "-1", BadPortMessage}}) {
        form.Edit4.SetText(address);
        form.Edit5.SetText(port);
        form.Button2.Click();
        EXPECT_EQ(host.Texts().back(), message) << address << " " << port;
    }
    EXPECT_EQ(FrameData(0xD0).size(), 1u);
    form.Edit4.SetText("10.0.0.9");
    form.Edit5.SetText("65535");
    form.Button1.Click(); // the button read shows the register's values again
    EXPECT_EQ(form.Edit4.Text(), "192.168.1.10");
    EXPECT_EQ(host.Texts().back(), "Успешно!");
}

TEST_F(NetworkTest, ABadFieldStopsTheReadWhereItIs) {
    sim.UpdateState([](regsim::RegisterState& state) {
        state.Network.RemoteAccess = {"1",        "C0A80164", "FFFFFF00", "C0A801",
                                      "0A000005", "901F",     "3C00",     "1E00"};
    });
    TForm42& form = *Form42;
    form.Edit3.SetText("old");
    form.FormActivate();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{BadFieldMessage}));
    EXPECT_TRUE(form.CheckBox1.Checked());
    EXPECT_EQ(form.Edit2.Text(), "255.255.255.0");
    EXPECT_EQ(form.Edit3.Text(), "old");
    EXPECT_FALSE(form.RemoteAccessLoaded);
    sim.SetOverride(0xD1, {.Silent = true});
    form.FormActivate();
    EXPECT_EQ(host.Texts().back(), NetworkTimeoutMessage);
}

TEST_F(NetworkTest, AcquirerLinkFromAFileIsWrittenAndReadBack) {
    const std::string path = (Folder() / "link.txt").string();
    std::ofstream(path, std::ios::binary)
        << "\xEF\xBB\xBF"
           "0\r\n192.168.0.50\r\n255.255.255.0\r\n192.168.0.1\r\n10.1.2.3\r\n5000\r\n60\r\n30\r\n";
    TForm49& form = *Form49;
    form.FormActivate();
    host.ChooseNextFile(path);
    form.Button4.Click();
    EXPECT_FALSE(form.CheckBox1.Checked());
    EXPECT_EQ(form.Edit4.Text(), "10.1.2.3");
    EXPECT_EQ(form.Edit8.Text(), "30");
    form.CheckBox1.SetChecked(true);
    form.Button2.Click();
    EXPECT_EQ(LastFrame().Data, "736204;1;C0A80032;FFFFFF00;C0A80001;0A010203;8813;3C00;1E00;");

    form.Edit1.Clear();
    form.CheckBox1.SetChecked(false);
    form.Button1.Click();
    EXPECT_EQ(form.Edit1.Text(), "192.168.0.50");
    EXPECT_TRUE(form.CheckBox1.Checked());
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Успешно!", "Успешно!"}));

    host.Clear();
    sim.SetOverride(0xFA, {.Error = "0006"});
    form.Button1.Click();
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{"Проверка состояния регистратора:\n  Неверный пароль доступа!"}));
    form.Edit7.SetText("70000");
    form.Button2.Click();
    EXPECT_EQ(host.Texts().back(), "Некорректная величина параметра Периодичность связи. Ошибка!");
}

TEST_F(NetworkTest, ALinkFileThatCannotBeTakenWholeChangesNothing) {
    TForm49& form = *Form49;
    form.FormActivate();
    form.Edit1.SetText("1.1.1.1");
    const struct {
        std::string text, message;
    } cases[] = {
        {"0\n1.2.3.4\n", "В файле параметров связи меньше 8 строк. Ошибка!"},
        {"", "В файле параметров связи меньше 8 строк. Ошибка!"},
        {"0\n" + std::string(40, '1') + "\n3\n4\n5\n6\n7\n8\n",
         "Строка 2 файла параметров связи длиннее 28 символов. Ошибка!"},
    };
    for (const auto& c : cases) {
        const std::string path = (Folder() / "bad.txt").string();
        std::ofstream(path, std::ios::binary) << c.text;
        host.ChooseNextFile(path);
        form.Button4.Click();
        EXPECT_EQ(host.Texts().back(), c.message);
        EXPECT_EQ(form.Edit1.Text(), "1.1.1.1");
    }
    const std::string folder = (Folder() / "folder.txt").string(); // a folder cannot be read
    std::filesystem::create_directory(folder);
    host.ChooseNextFile(folder);
    form.Button4.Click();
    EXPECT_EQ(host.Texts().back(), "Невозможно прочитать файл " + folder + ". Ошибка!");
    form.Button4.Click(); // cancelled
    EXPECT_EQ(host.Texts().back(), "Файл не выбран. Ошибка.");
}
} // namespace

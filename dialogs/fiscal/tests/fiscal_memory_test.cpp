#include "dialogs/fiscal/tests/fiscal_fixture.h"

#include "platform/files/tests/user_file.h"
#include "tools/regsim/register_model_fiscal.h"

namespace {

const std::string kReadDone = "Успешно. Чтение данных завершено.";
const std::string kWriteDone = "Успешно. Запись данных завершена.";
const std::string kNothingWritten = "\nНи одного байта не записано, файл не изменён.";
// What a file of the chosen name held before a read.
const std::vector<uint8_t> kOldImage(70, 0x5A);

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

class FiscalMemoryTest : public FiscalFixture {
protected:
    void SetUp() override {
        FiscalFixture::SetUp();
        Form7->FormActivate();
    }

    void SetSpan(const std::string& start, const std::string& count) {
        Form7->Edit4.SetText(start);
        Form7->Edit5.SetText(count);
        host.Clear();
    }

    // Reads the span into the file; the confirmation gets OK.
    std::string Read(const std::string& start, const std::string& count,
                     const std::string& file = "image.bin") {
        SetSpan(start, count);
        host.ChooseNextFile(PathOf(file));
        Form7->Button3.Click();
        return host.Texts().empty() ? "" : host.Texts().back();
    }

    std::string Write(const std::string& start, const std::string& count,
                      const std::string& file = "image.bin") {
        SetSpan(start, count);
        host.ChooseNextFile(PathOf(file));
        Form7->Button4.Click();
        return host.Texts().empty() ? "" : host.Texts().back();
    }

    // Presses "Остановить" when the message loop has run this many times.
    void StopAfterBlocks(int blocks) {
        host.OnProcessMessages = [this, blocks] {
            if (host.ProcessMessagesCount() == blocks) Form7->Button5.Click();
        };
    }
};

TEST_F(FiscalMemoryTest, ReadsTenThousandBytesAndWritesThemBackElsewhere) {
    EXPECT_EQ(Read("123457", "10000"), kReadDone);
    const std::vector<uint8_t> image = FileBytes(PathOf("image.bin"));
    EXPECT_EQ(image, Memory(123457, 10000));
    EXPECT_EQ(FramesOf(0xF1).size(), 200u);
    EXPECT_EQ(FramesOf(0xF1).front().Data, "736204;123457;");
    EXPECT_EQ(Form7->Edit6.Text(), "133457");
    EXPECT_EQ(Form7->CGauge1.Progress(), 100);
    EXPECT_EQ(Form7->Edit1.Text(), "0000");
    EXPECT_EQ(host.Messages()[0].text, "Данные будут записаны в выбранный файл. Продолжать?");

    EXPECT_EQ(Write("700001", "10000"), kWriteDone);
    EXPECT_EQ(Memory(700001, 10000), image);
    EXPECT_EQ(FramesOf(0xF2).size(), 200u);
    EXPECT_EQ(host.Messages()[0].text, "Данные будут записаны в флеш-память регистратора. Продолжать?");
}

TEST_F(FiscalMemoryTest, WriteBlocksCarryTheirCountAndAHundredDigits) {
    std::vector<uint8_t> bytes(120);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(0xA0 + i);
    WriteBytes(PathOf("image.bin"), bytes);
    EXPECT_EQ(Write("5", "120"), kWriteDone);
    const auto frames = FramesOf(0xF2);
    ASSERT_EQ(frames.size(), 3u);
    const std::string third = frames[2].Data;
    EXPECT_TRUE(StartsWith(frames[0].Data, "736204;5;50;A0A1A2")) << frames[0].Data;
    EXPECT_TRUE(StartsWith(frames[1].Data, "736204;55;50;D2D3")) << frames[1].Data;
    EXPECT_TRUE(StartsWith(third, "736204;105;20;040506")) << third;
    EXPECT_EQ(third.size(), std::string("736204;105;20;").size() + 100 + 1);
    EXPECT_EQ(third.substr(third.size() - 61), std::string(60, '0') + ";");
    EXPECT_EQ(Memory(5, 120), bytes);
}

TEST_F(FiscalMemoryTest, AReadEndsAtTheCountEvenInsideABlock) {
    for (const int count : {1, 49, 50, 51, 120}) {
        sim.ClearFrames();
        EXPECT_EQ(Read("1000", std::to_string(count)), kReadDone);
        EXPECT_EQ(FileBytes(PathOf("image.bin")), Memory(1000, count)) << count;
        EXPECT_EQ(FramesOf(0xF1).size(), static_cast<size_t>((count + 49) / 50)) << count;
    }
}

TEST_F(FiscalMemoryTest, ClearAsksFirstThenErasesTheMemory) {
    host.AnswerNext(mbCancel);
    Form7->Button2.Click();
    EXPECT_EQ(host.Texts().back(), "Обнуление флеш-памяти отменено!");
    EXPECT_EQ(sim.FrameCount(), 0u);

    sim.UpdateState([](regsim::RegisterState& state) { state.Status = {0x01, 0x02, 0, 0, 0x3F, 0}; });
    Form7->Button2.Click();
    EXPECT_EQ(host.Texts().back(), "Успешно!");
    EXPECT_EQ(sim.Frames().back().Code, 0xF0);
    EXPECT_EQ(Memory(0, 64), std::vector<uint8_t>(64, 0xFF));
    EXPECT_EQ(Memory(regsim::kFiscalMemorySize - 64, 64), std::vector<uint8_t>(64, 0xFF));
    EXPECT_EQ(Form7->Edit1.Text(), "0000");
    EXPECT_EQ(Form7->Edit2.Text(), "01 02 00 00 3F 00");

    sim.UpdateState([](regsim::RegisterState& state) { state.Fiscal.FiscalMode = true; });
    Form7->Button2.Click();
    EXPECT_TRUE(StartsWith(host.Texts().back(), "Ошибка обнуления флеш-памяти:\n  ")) << host.Texts().back();
    EXPECT_EQ(Form7->Edit1.Text(), "0605");
}

TEST_F(FiscalMemoryTest, StopEndsAReadOrAWriteAfterTheCurrentBlock) {
    StopAfterBlocks(3);
    EXPECT_EQ(Read("40", "1000"), "Чтение данных остановлено пользователем.\nВ файле байтов: 150 из 1000, "
                                  "чтение остановлено на адресе 190.");
    EXPECT_EQ(FileBytes(PathOf("image.bin")), Memory(40, 150));
    EXPECT_TRUE(Form7->Button3.Enabled());
    EXPECT_TRUE(Form7->Button1.Enabled());

    std::vector<uint8_t> zeros(1000, 0);
    WriteBytes(PathOf("zeros.bin"), zeros);
    const std::vector<uint8_t> before = Memory(5000, 1000);
    StopAfterBlocks(2);
    EXPECT_EQ(Write("5000", "1000", "zeros.bin"),
              "Запись данных остановлено пользователем.\nЗаписано байтов: 100 из 1000, "
              "запись остановлена на адресе 5100.");
    EXPECT_EQ(Memory(5000, 100), std::vector<uint8_t>(100, 0));
    EXPECT_EQ(Memory(5100, 900), std::vector<uint8_t>(before.begin() + 100, before.end()));
}

TEST_F(FiscalMemoryTest, OnlyTheStopButtonActsWhileARunGoesOn) {
    host.OnProcessMessages = [this] {
        if (host.ProcessMessagesCount() != 1) return;
        EXPECT_FALSE(Form7->Button3.Enabled());
        EXPECT_FALSE(Form7->Button4.Enabled());
        EXPECT_FALSE(Form7->Button2.Enabled());
        EXPECT_FALSE(Form7->Button1.Enabled());
        EXPECT_TRUE(Form7->Button5.Enabled());
        Form7->Edit5.SetText("7"); // typing does not enable them either
        EXPECT_FALSE(Form7->Button3.Enabled());
    };
    EXPECT_EQ(Read("0", "100"), kReadDone);
    EXPECT_TRUE(Form7->Button3.Enabled());
    EXPECT_TRUE(Form7->Button2.Enabled());
}

// A rejected block is sent again up to the repeat count; the file then holds only accepted blocks.
TEST_F(FiscalMemoryTest, RejectedBlocksAreRepeatedAndNeverStored) {
    const struct {
        const char* name;
        regsim::AnswerOverride answer;
        unsigned rejected; // answers to F1h frames, counting the driver's own resends
        const char* repeats;
        std::string message;
        size_t fileSize;
    } cases[] = {
        {"error twice, two repeats", {.Error = "0209"}, 2, "2", kReadDone, 100},
        {"error three times",
         {.Error = "0209"},
         3,
         "2",
         "Ошибка чтения данных из флеш-памяти. \nЧтение данных остановлено. ErrCode=0209" + kNothingWritten,
         0},
        {"NAK through every resend", {.Nak = true}, 5, "1", kReadDone, 100},
        {"NAK with no repeats",
         {.Nak = true},
         5,
         "0",
         "Ошибка чтения данных из флеш-памяти. \nЧтение данных остановлено. ErrCode=NAK" + kNothingWritten,
         0},
        {"bad checksum",
         {.BadChecksum = true},
         5,
         "0",
         "Ошибка чтения данных из флеш-памяти. \nЧтение данных остановлено. ErrCode=CRC" + kNothingWritten,
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Form7->Edit7.SetText(c.repeats);
        sim.ClearOverrides();
        sim.SetOverrideForNext(c.rejected, c.answer);
        WriteBytes(PathOf("image.bin"), kOldImage);
        EXPECT_EQ(Read("300", "100"), c.message);
        EXPECT_EQ(FileBytes(PathOf("image.bin")), c.fileSize ? Memory(300, c.fileSize) : kOldImage);
    }
}

TEST_F(FiscalMemoryTest, ASilentRegisterStopsTheReadWhereItWas) {
    host.OnProcessMessages = [this] {
        if (host.ProcessMessagesCount() == 2) sim.SetOverride(0xF1, {.Silent = true});
    };
    EXPECT_EQ(Read("0", "500"),
              "Ошибка! Таймаут устройства! Чтение данных остановлено.\nВ файле байтов: 100 из "
              "500, чтение остановлено на адресе 100.");
    EXPECT_EQ(FileBytes(PathOf("image.bin")), Memory(0, 100));
}

// Answers that cannot be right end the read; what came before them stays, and the message says so.
TEST_F(FiscalMemoryTest, AnswersThatCannotBeRightEndTheRead) {
    const std::string bad = "Информация переданная регистратором неверна. Чтение данных остановлено.";
    const std::string ended =
        "Данные флеш-памяти регистратора закончились. Чтение данных завершено не полностью.";
    const struct {
        std::string data; // the answer to the first F1h
        std::string message;
        size_t fileSize;
    } cases[] = {
        {"5O;" + std::string(100, 'A') + ";", bad, 0},
        {";" + std::string(100, 'A') + ";", bad, 0},
        {"51;" + std::string(102, 'A') + ";", bad, 0},
        // The bytes a damaged first block holds before its fault are no image to keep.
        {"50;" + std::string(40, 'A') + "a" + std::string(59, 'A') + ";", bad, 0},
        {"50;" + std::string(60, 'A') + ";", bad, 0},
        {"20;" + std::string(40, 'A') + ";", ended, 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data);
        sim.SetOverrideForNext(1, {.Data = c.data});
        WriteBytes(PathOf("image.bin"), kOldImage);
        const std::string held = c.fileSize == 0 ? kNothingWritten
                                                 : "\nВ файле байтов: " + std::to_string(c.fileSize) +
                                                       " из 100, чтение остановлено на адресе " +
                                                       std::to_string(c.fileSize) + ".";
        EXPECT_EQ(Read("0", "100"), c.message + held);
        EXPECT_EQ(FileBytes(PathOf("image.bin")),
                  c.fileSize ? std::vector<uint8_t>(c.fileSize, 0xAA) : kOldImage);
    }
    // Nor is a file made where there was none.
    std::filesystem::remove(PathOf("image.bin"));
    sim.SetOverrideForNext(1, {.Data = ";;"});
    EXPECT_EQ(Read("0", "100"), bad + kNothingWritten);
    EXPECT_FALSE(std::filesystem::exists(PathOf("image.bin")));
}

// The user's own image, or a link to it, after a read: what cp leaves when the read brought bytes,
// the file as it was when it brought none or they could not all be written. A file of the user's
// named like a temporary is never touched.
TEST_F(FiscalMemoryTest, AReadLeavesTheUserFileAsCpWouldOrAsItWas) {
    const std::string bad = "Информация переданная регистратором неверна. Чтение данных остановлено.";
    const std::string timeout = "Ошибка! Таймаут устройства! Чтение данных остановлено.";
    const std::string damaged = "50;" + std::string(40, 'A') + "a" + std::string(59, 'A') + ";";
    const std::string old(70, 'Z');
    std::vector<uint8_t> partial = Memory(0, 100);
    partial.insert(partial.end(), 20, 0xAA);
    const struct {
        const char* name;
        std::function<void()> arrange; // before the button is pressed
        std::string message;
        std::optional<std::vector<uint8_t>> image; // nothing: the file as it was
        rlim_t fileSizeLimit = RLIM_INFINITY;
    } cases[] = {
        {"a complete read", [] {}, kReadDone, Memory(0, 200)},
        {"a damaged first block", [&] { sim.SetOverrideForNext(1, {.Data = damaged}); },
         bad + kNothingWritten, std::nullopt},
        {"a silent register in the first block", [&] { sim.SetOverride(0xF1, {.Silent = true}); },
         timeout + kNothingWritten, std::nullopt},
        {"a register silent after two blocks",
         [&] {
             host.OnProcessMessages = [&] {
                 if (host.ProcessMessagesCount() == 2) sim.SetOverride(0xF1, {.Silent = true});
             };
         },
         timeout + "\nВ файле байтов: 100 из 200, чтение остановлено на адресе 100.", Memory(0, 100)},
        {"a damaged third block",
         [&] {
             host.OnProcessMessages = [&] {
                 if (host.ProcessMessagesCount() == 2) sim.SetOverrideForNext(1, {.Data = damaged});
             };
         },
         bad + "\nВ файле байтов: 120 из 200, чтение остановлено на адресе 120.", partial},
        {"a disk full after two blocks", [] {},
         "Ошибка записи в файл " + PathOf("image.bin") + "! Чтение данных остановлено." + kNothingWritten,
         std::nullopt, 120},
    };
    for (const UserFile kind : {UserFile::Private, UserFile::Link})
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(NameOf(kind)) + ", " + c.name);
            PlaceUserFile(Folder(), "image.bin.part", UserFile::Private, "the user's own .part");
            const UserFileCase user(Folder(), "image.bin", kind, old);
            sim.ClearOverrides();
            host.OnProcessMessages = nullptr;
            c.arrange();
            std::string message;
            {
                FileSizeLimit limit(c.fileSizeLimit);
                message = Read("0", "200");
            }
            EXPECT_EQ(message, c.message);
            user.ExpectLeft(c.image ? std::optional<std::string>({c.image->begin(), c.image->end()})
                                    : std::nullopt);
            EXPECT_EQ(FileBytesAt(PathOf("image.bin.part")), "the user's own .part");
        }
}

TEST_F(FiscalMemoryTest, TheEndOfTheMemoryIsNoCompleteRead) {
    const size_t start = regsim::kFiscalMemorySize - 30;
    EXPECT_EQ(
        Read(std::to_string(start), "100"),
        "Данные флеш-памяти регистратора закончились. Чтение данных завершено не полностью.\nВ файле байтов: "
        "30 из 100, чтение остановлено на адресе " +
            std::to_string(regsim::kFiscalMemorySize) + ".");
    EXPECT_EQ(FileBytes(PathOf("image.bin")), Memory(start, 30));
    EXPECT_EQ(Read(std::to_string(start), "30"), kReadDone);
}

// Nothing is sent and no file is asked for when a span would wrap or has no bytes.
TEST_F(FiscalMemoryTest, SpansThatWouldWrapAreRefusedBeforeAnything) {
    const struct {
        const char* start;
        const char* count;
        const char* message;
    } cases[] = {
        {"-1", "10", "Ошибка! Адрес начала данных не может быть отрицательным!"},
        {"10", "0", "Ошибка! Количество байтов должно быть больше нуля!"},
        {"10", "-5", "Ошибка! Количество байтов должно быть больше нуля!"},
        {"4294967290", "7", "Ошибка! Конец данных выходит за адрес 4294967295!"},
        {"9999999999", "1", "Ошибка! Конец данных выходит за адрес 4294967295!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " " + c.count);
        EXPECT_EQ(Read(c.start, c.count), c.message);
        EXPECT_TRUE(host.FileRequests().empty());
    }
    Form7->Edit7.SetText("-1");
    EXPECT_EQ(Read("0", "10"), "Ошибка! Количество повторов не может быть отрицательным!");
    Form7->Edit7.SetText("x");
    Read("0", "10");
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].kind, MessageRequest::Error);
    EXPECT_EQ(sim.FrameCount(), 0u);
    // Writing takes 32-bit numbers only.
    Write("2147483648", "1");
    EXPECT_EQ(host.Messages().back().kind, MessageRequest::Error);
    EXPECT_EQ(sim.FrameCount(), 0u);
}

TEST_F(FiscalMemoryTest, FilesThatCannotBeMadeOrReadAreReported) {
    EXPECT_EQ(Read("0", "10", "no-such-folder/image.bin"),
              "Ошибка! Не удалось создать файл " + PathOf("no-such-folder/image.bin"));
    EXPECT_EQ(Write("0", "10", "missing.bin"), "Ошибка! Не удалось открыть файл " + PathOf("missing.bin"));
    EXPECT_EQ(sim.FrameCount(), 0u);

    WriteBytes(PathOf("short.bin"), std::vector<uint8_t>(70, 0x11));
    EXPECT_EQ(Write("0", "100", "short.bin"),
              "Ошибка! Незапланированный конец файла!\n   Чтение прервано\nЗаписано "
              "байтов: 50 из 100, запись остановлена на адресе 50.");
    EXPECT_EQ(FramesOf(0xF2).size(), 1u);
    EXPECT_EQ(Memory(0, 50), std::vector<uint8_t>(50, 0x11));
}

TEST_F(FiscalMemoryTest, ARejectedWriteBlockStopsTheWrite) {
    WriteBytes(PathOf("image.bin"), std::vector<uint8_t>(200, 0x22));
    sim.UpdateState([](regsim::RegisterState& state) { state.Fiscal.FiscalMode = true; });
    const std::string message = Write("0", "200");
    EXPECT_TRUE(StartsWith(message, "Ошибка записи в флеш-память:\n  ")) << message;
    EXPECT_NE(message.find("Записано байтов: 0 из 200"), std::string::npos) << message;
    EXPECT_EQ(FramesOf(0xF2).size(), 1u);
    EXPECT_EQ(Form7->Edit1.Text(), "0605");
}

TEST_F(FiscalMemoryTest, ReadAndWriteAreOfferedOnlyForTwoNumbers) {
    const struct {
        const char* start;
        const char* count;
        bool enabled;
        bool complaint;
    } cases[] = {
        {"10", "20", true, false}, {"", "20", false, false},         {"10", "", false, false},
        {"1x", "20", false, true}, {"2147483648", "5", false, true}, {"0", "9", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " " + c.count);
        Form7->Edit4.Clear();
        Form7->Edit5.Clear();
        Form7->FormActivate();
        host.Clear();
        Form7->Edit5.SetText(c.count);
        Form7->Edit4.SetText(c.start); // the start is typed last: its own text is converted
        EXPECT_EQ(Form7->Button3.Enabled(), c.enabled);
        EXPECT_EQ(Form7->Button4.Enabled(), c.enabled);
        EXPECT_EQ(host.Texts() == std::vector<std::string>{"Ошибка! Только десятичные цифры!"}, c.complaint);
    }
}

TEST_F(FiscalMemoryTest, TheWindowDuringARead) {
    const auto picture = std::filesystem::temp_directory_path() / "kaltor-fiscal-memory.png";
    host.OnProcessMessages = [&] {
        if (host.ProcessMessagesCount() == 8) {
            EXPECT_TRUE(GrabToPng(*Form7, picture.string()));
        }
    };
    EXPECT_EQ(Read("1000", "1000"), kReadDone);
}

} // namespace

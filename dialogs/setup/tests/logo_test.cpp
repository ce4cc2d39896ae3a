#include <functional>
#include <iterator>

#include <QColor>
#include <QImage>

#include "dialogs/setup/logo_bits.h"
#include "dialogs/setup/tests/setup_fixture.h"

namespace {

QImage Picture(int width, int height, QColor colour = Qt::white) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

TEST(LogoPackets, RowsStartOnWholeBytesAndTheLastPacketIsFilled) {
    QImage wide = Picture(192, 2);
    wide.setPixel(0, 0, qRgb(0, 0, 0));
    wide.setPixel(191, 1, qRgb(250, 250, 250)); // light grey prints too
    const auto rows = LogoPackets(wide, 192, 2);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], "80" + std::string(46, '0'));
    EXPECT_EQ(rows[1], std::string(46, '0') + "01");

    QImage narrow = Picture(10, 3, Qt::black);
    const auto packed = LogoPackets(narrow, 10, 3);
    ASSERT_EQ(packed.size(), 1u);
    EXPECT_EQ(packed[0], "FFC0FFC0FFC0" + std::string(36, '0'));

    EXPECT_EQ(LogoPackets(Picture(16, 24), 16, 24), (std::vector<std::string>(2, std::string(48, '0'))));
    // Beyond the picture every pixel prints.
    EXPECT_EQ(LogoPackets(Picture(4, 1), 8, 1)[0], "0F" + std::string(46, '0'));
}

TEST(LargestLogo, SizesThatDoNotFitAreNoSize) {
    const struct {
        const char *width, *bytes;
        std::optional<std::pair<int, int>> size;
    } cases[] = {
        {"192", "2304", std::pair{192, 96}}, {"192", "268435455", std::pair{192, 11184810}},
        {"0", "2304", std::pair{0, 0}}, // no width: the height is unknown
        {"", "", std::pair{0, 0}},           {"192", "", std::pair{192, 0}},
        {"192", "300000000", std::nullopt}, // the size in bits does not fit 32 bits
        {"192", "-8", std::nullopt},         {"-1", "8", std::nullopt},
        {"abc", "8", std::nullopt},          {"0xC0", "2304", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto size = LargestLogo(c.width, c.bytes);
        const auto pair = size ? std::optional(std::pair{size->Width, size->Height}) : std::nullopt;
        EXPECT_EQ(pair, c.size) << c.width << " " << c.bytes;
    }
}

class LogoTest : public SetupFixture {
protected:
    std::string SavePicture(const QImage& picture, const std::string& name) {
        const std::string path = (Folder() / name).string();
        picture.save(QString::fromStdString(path), "BMP");
        return path;
    }
    void Open(const std::string& path) {
        host.ChooseNextFile(path);
        Form6->Button2.Click();
    }
    // Opens the window as the menu does; `act` runs while it is shown.
    void InWindow(const std::function<void()>& act) {
        host.OnModal("TForm6", [&](TForm& shown) {
            act();
            shown.Close();
        });
        Form6->ShowModal();
    }
    std::vector<std::string> ShownMaximum() const {
        return {Form6->Label5.Caption(), Form6->Label6.Caption()};
    }
};

TEST_F(LogoTest, ATruncatedPictureIsNotAPicture) {
    const std::string good = SavePicture(Picture(192, 3, Qt::black), "good.bmp");
    std::ifstream in(good, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    for (const size_t length : {size_t{60}, bytes.size() - 1, size_t{10}, size_t{0}}) {
        const std::string cut = (Folder() / ("cut" + std::to_string(length) + ".bmp")).string();
        std::ofstream(cut, std::ios::binary) << bytes.substr(0, length);
        host.Clear();
        sim.ClearFrames();
        InWindow([&] { Open(cut); });
        EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Файл не является рисунком BMP: " + cut}))
            << length;
        EXPECT_FALSE(Form6->Button3.Enabled()) << length;
        EXPECT_EQ(Form6->Label9.Caption(), "") << length;
        EXPECT_TRUE(FrameData(0x29).empty() && FrameData(0x31).empty()) << length;
    }
    // The whole file is a picture.
    host.Clear();
    InWindow([&] { Open(good); });
    EXPECT_TRUE(host.Texts().empty());
    EXPECT_EQ(Form6->Label10.Caption(), "3");
}

TEST_F(LogoTest, AnOverflowingOrFailedSizeQueryLeavesNoMaximum) {
    InWindow([] {});
    EXPECT_EQ(ShownMaximum(), (std::vector<std::string>{"192", "96"}));

    const std::string picture = SavePicture(Picture(20, 20), "small.bmp");
    sim.UpdateState([](regsim::RegisterState& state) { state.LogoBytes = "300000000"; });
    host.Clear();
    sim.ClearFrames();
    InWindow([&] {
        Open(picture);
        Form6->Button3.Click();
    });
    EXPECT_EQ(ShownMaximum(), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{
                  "Информация переданная регистратором неверна: максимальный размер логотипа неизвестен.",
                  "Максимальный размер логотипа неизвестен. Ошибка!"}));
    EXPECT_TRUE(FrameData(0x29).empty() && FrameData(0x31).empty());

    // After a good answer, a refused or unanswered one clears what was shown.
    const struct {
        regsim::AnswerOverride answer;
        std::string message;
    } failures[] = {
        {{.Error = "0006"}, "Проверка состояния регистратора:\n  Неверный пароль доступа!"},
        {{.Silent = true}, "Ошибка! Таймаут устройства!"},
    };
    sim.UpdateState([](regsim::RegisterState& state) { state.LogoBytes = "2304"; });
    for (const auto& failure : failures) {
        InWindow([] {});
        EXPECT_EQ(ShownMaximum(), (std::vector<std::string>{"192", "96"}));
        sim.SetOverride(0x80, failure.answer);
        host.Clear();
        InWindow([] { Form6->Button3.Click(); });
        sim.ClearOverrides();
        EXPECT_EQ(ShownMaximum(), (std::vector<std::string>{"", ""})) << failure.message;
        EXPECT_EQ(host.Texts(), (std::vector<std::string>{
                                    failure.message, "Максимальный размер логотипа неизвестен. Ошибка!"}));
    }
}

TEST_F(LogoTest, APictureIsCutToTheLargestLogoAndSentPacketByPacket) {
    Form6->FormActivate();
    EXPECT_EQ(Form6->Label5.Caption(), "192");
    EXPECT_EQ(Form6->Label6.Caption(), "96");
    Open(SavePicture(Picture(300, 50, Qt::black), "big.bmp"));
    EXPECT_TRUE(Form6->Button3.Enabled());
    EXPECT_EQ(Form6->Label9.Caption(), "300");
    EXPECT_EQ(Form6->Edit2.Text(), "192");
    EXPECT_EQ(Form6->Edit3.Text(), "50");

    Form6->Edit3.SetText("2");
    sim.ClearFrames();
    Form6->Button3.Click();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Успешно!"}));
    EXPECT_EQ(FrameData(0x29), (std::vector<std::string>{"736204;0;" + std::string(48, 'F') + ";",
                                                         "736204;1;" + std::string(48, 'F') + ";"}));
    EXPECT_EQ(FrameData(0x31), (std::vector<std::string>{"736204;192;2;"}));
    EXPECT_EQ(Setup().LogoHeight, 2);
    EXPECT_EQ(Form6->ProgressBar1.Position(), 0);
}

TEST_F(LogoTest, SizesTheRegisterCannotTakeAreRefusedBeforeSending) {
    Form6->FormActivate();
    Open(SavePicture(Picture(20, 20), "small.bmp"));
    sim.ClearFrames();
    for (const auto& [x, y] : {std::pair{"193", "10"}, {"0", "10"}, {"10", "-1"}, {"10", "97"}}) {
        host.Clear();
        Form6->Edit2.SetText(x);
        Form6->Edit3.SetText(y);
        Form6->Button3.Click();
        EXPECT_EQ(host.Texts(),
                  (std::vector<std::string>{
                      "Неверный размер для загрузки! По X допустимо от 1 до 192, по Y от 1 до 96."}))
            << x << "x" << y;
    }
    EXPECT_EQ(sim.FrameCount(), 0u);

    // A register that gives no usable size: nothing is uploaded.
    sim.UpdateState([](regsim::RegisterState& state) { state.LogoWidth = "0"; });
    Form6->FormActivate();
    EXPECT_EQ(Form6->Label6.Caption(), "");
    host.Clear();
    Form6->Button3.Click();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Максимальный размер логотипа неизвестен. Ошибка!"}));
}

TEST_F(LogoTest, ARefusedPacketOrCloseIsNeverASuccess) {
    Form6->FormActivate();
    Open(SavePicture(Picture(192, 3), "logo.bmp"));
    sim.SetOverride(0x31, {.Error = "000B"});
    Form6->Button3.Click();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Ошибка записи логотипа\nРегистратор уже принял: пакет "
                                                      "логотипа 0-2."}));

    host.Clear();
    sim.SetOverride(0x29, {.Silent = true});
    sim.ClearFrames();
    Form6->Button3.Click();
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Ошибка! Таймаут устройства!"}));
    EXPECT_EQ(FrameData(0x31).size(), 0u);

    host.Clear();
    const std::string text = (Folder() / "note.bmp").string();
    std::ofstream(text) << "not a picture";
    Open(text);
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Файл не является рисунком BMP: " + text}));
}
} // namespace

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
};

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
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Ошибка записи логотипа"}));

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

#include "dialogs/setup/logo_dialog.h"

#include <filesystem>

#include "dialogs/setup/logo_bits.h"
#include "driver/driver.h"
#include "platform/text/text.h"
#include "shell/command_sequence.h"
#include "shell/session.h"
#include "shell/typed_fields.h"

TForm6* Form6 = nullptr;

namespace {
const std::string kNoAnswer = "Ошибка! Таймаут устройства!";
const std::string kWriteFailed = "Ошибка записи логотипа";
const std::string kBadLogoSize =
    "Информация переданная регистратором неверна: максимальный размер логотипа неизвестен.";
} // namespace

TForm6::TForm6() {
    SetCaption("Программирования логотипа");
    SetBorderStyle(bsToolWindow);
    SetBorderIcons({});
    SetPosition(poScreenCenter);
    Edit1.SetText(DefaultPassword);
    Edit1.SetMaxLength(6);
    GroupBox1.SetCaption("Вид логотипа");
    Image1.SetWidth(384);
    Image1.SetHeight(192);
    Button2.SetCaption("Открыть");
    Button3.SetCaption("Программировать");
    Button3.SetEnabled(false);
    Button1.SetCaption("Закрыть");
    OpenDialog1.SetFilter("BMP файл|*.BMP");
    LayOut();
    Button2.OnClick = [this] { Button2Click(); };
    Button3.OnClick = [this] { Button3Click(); };
    Button1.OnClick = [this] { Button1Click(); };
    OnActivate = [this] { FormActivate(); };
}

void TForm6::LayOut() {
    Column main(*this);
    main.Field("Пароль для программирования:", Edit1)
        .Field("Максимальный размер логотипа (по X, в пикселях):", Label5)
        .Field("Максимальный размер логотипа (по Y, в пикселях):", Label6)
        .Field("Размер рисунка (по X, в пикселях):", Label9)
        .Field("Размер рисунка (по Y, в пикселях):", Label10)
        .Field("Размер для загрузки (по X):", Edit2)
        .Field("Размер для загрузки (по Y):", Edit3);
    main.Group(GroupBox1).Add(Image1);
    main.Add(ProgressBar1);
    main.Buttons({&Button2, &Button3, &Button1});
}

// The largest logo: field 8 of 80h is its width; field 7 its size in bytes. An answer that is not
// good, sizes that make no sense, or a width of 0 leave the maximum unknown (and not shown), and
// nothing can be uploaded. So does a password the query cannot carry: it is not sent.
void TForm6::FormActivate() {
    maximum_.reset();
    Label5.SetCaption("");
    Label6.SetCaption("");
    if (!FieldsAccepted({{"Пароль для программирования:", Edit1.Text()}})) return;
    AnswerRecord* answer = GetDiagnosticInfo(Edit1.Text(), nullptr);
    if (!CheckAnswer(answer,
                     AnswerCheck().Timeout(kNoAnswer).Caption("Проверка состояния регистратора:\n  ")))
        return;
    const auto largest = LargestLogo(answer->Field(8), answer->Field(7));
    if (!largest) {
        ShowMessage(kBadLogoSize);
        return;
    }
    Label5.SetCaption(answer->Field(8));
    if (largest->Width > 0) Label6.SetCaption(std::to_string(largest->Height));
    if (largest->Width > 0 && largest->Height > 0) maximum_ = *largest;
}

void TForm6::Button2Click() {
    OpenDialog1.SetInitialDir(std::filesystem::current_path().string());
    if (!OpenDialog1.Execute()) return;
    const QImage picture = LoadBmpPicture(OpenDialog1.FileName());
    if (picture.isNull() || picture.width() == 0 || picture.height() == 0) {
        ShowMessage("Файл не является рисунком BMP: " + OpenDialog1.FileName());
        return;
    }
    picture_ = picture;
    Image1.LoadFromFile(OpenDialog1.FileName());
    Button3.SetEnabled(true);
    Label9.SetCaption(std::to_string(picture.width()));
    Label10.SetCaption(std::to_string(picture.height()));
    const LogoSize largest = maximum_.value_or(LogoSize{picture.width(), picture.height()});
    Edit2.SetText(std::to_string(std::min(picture.width(), largest.Width)));
    Edit3.SetText(std::to_string(std::min(picture.height(), largest.Height)));
}

bool TForm6::UploadSizeAllowed(int width, int height) const {
    if (!maximum_) {
        ShowMessage("Максимальный размер логотипа неизвестен. Ошибка!");
        return false;
    }
    if (width < 1 || height < 1 || width > maximum_->Width || height > maximum_->Height) {
        ShowMessage("Неверный размер для загрузки! По X допустимо от 1 до " +
                    std::to_string(maximum_->Width) + ", по Y от 1 до " + std::to_string(maximum_->Height) +
                    ".");
        return false;
    }
    return true;
}

// Every packet is formed before the first goes out. The closing 31h carries the password and two
// numbers, less than any packet, so it fits whenever they do. A packet that fails ends the upload,
// and its message names the packets the register took before it.
void TForm6::Button3Click() {
    if (!FieldsAccepted({{"Пароль для программирования:", Edit1.Text()}})) return;
    const int width = DecimalStrToInt(Edit2.Text());
    const int height = DecimalStrToInt(Edit3.Text());
    if (!UploadSizeAllowed(width, height)) return;
    const std::vector<std::string> packets = LogoPackets(picture_, width, height);
    const std::string password = Edit1.Text();
    const auto packet = [&](size_t number, int* error) {
        return SetUserLogo(password, static_cast<int>(number), packets[number], error);
    };
    CommandSequence sequence;
    if (!sequence.Formable([&] {
            for (size_t number = 0; number < packets.size(); ++number)
                packet(number, nullptr);
        }))
        return;
    ProgressBar1.SetMax(width * height / 8);
    ProgressBar1.SetPosition(0);
    const AnswerCheck check = AnswerCheck().Timeout(kNoAnswer).Error(kWriteFailed);
    for (size_t number = 0; number < packets.size(); ++number) {
        int error = 0;
        const std::string step = "пакет логотипа " + std::to_string(number);
        if (!CheckAnswer(packet(number, &error), AnswerCheck(check).Refusal(&error).In(sequence, step)))
            return;
        ProgressBar1.SetPosition(ProgressBar1.Position() + LogoPacketBytes);
        Repaint();
    }
    const std::string size = std::to_string(width) + ";" + std::to_string(height) + ";";
    if (!CheckAnswer(SendCommand(0x31, password + ";" + size),
                     AnswerCheck(check).In(sequence, "размер логотипа")))
        return;
    ShowMessage(SuccessMessage);
    ProgressBar1.SetPosition(0);
}

void TForm6::Button1Click() {
    Close();
}

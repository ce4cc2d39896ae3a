#include <QDialog>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/tests/fixture.h"

namespace {

// Records the window events it sees, in order.
class LoggingForm : public TForm {
public:
    LoggingForm(std::vector<std::string>& log, const std::string& name) {
        SetName(name);
        OnShow = [&log, name] { log.push_back(name + ".Show"); };
        OnActivate = [this, &log, name] {
            log.push_back(name + (ActivatedAgain() ? ".Activate again" : ".Activate"));
        };
        OnDeactivate = [&log, name] { log.push_back(name + ".Deactivate"); };
        OnClose = [&log, name](TCloseAction&) { log.push_back(name + ".Close"); };
    }
};

class ActivationTest : public FormsTest {
protected:
    std::vector<std::string> log;
    LoggingForm main{log, "Main"};
    LoggingForm dialog{log, "Dialog"};
};

TEST_F(ActivationTest, MainWindowActivatesAgainAfterEachModalDialog) {
    main.Show();
    host.OnModal("Dialog", [](TForm& f) { f.SetModalResult(mrOk); });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(log, (std::vector<std::string>{"Main.Show", "Main.Activate", "Dialog.Show", "Main.Deactivate",
                                             "Dialog.Activate", "Dialog.Close", "Dialog.Deactivate",
                                             "Main.Activate again"}));
    EXPECT_TRUE(main.Active());
    EXPECT_FALSE(dialog.Visible());
}

TEST_F(ActivationTest, ClosingAModalWindowWithAWindowStillOpenBesideItActivatesTheOneBelow) {
    LoggingForm beside{log, "Beside"};
    bool besideHidden = false;
    beside.OnHide = [&] { besideHidden = true; };
    main.Show();
    host.OnModal("Dialog", [&](TForm& f) {
        beside.Show();
        f.SetModalResult(mrOk);
    });
    dialog.ShowModal();
    EXPECT_EQ(log.back(), "Main.Activate again");
    EXPECT_TRUE(main.Active());
    EXPECT_FALSE(beside.Visible());
    EXPECT_TRUE(besideHidden);
    beside.Show(); // and it can be shown again
    EXPECT_TRUE(beside.Visible());
    EXPECT_TRUE(beside.Active());
    beside.Close();
    EXPECT_TRUE(main.Active());
}

TEST_F(ActivationTest, MessageBoxesAndFileDialogsDoNotReactivate) {
    main.Show();
    log.clear();
    ShowMessage("Успешно!");
    MessageBox("Продолжать?", "", MB_OKCANCEL);
    TOpenDialog open;
    open.Execute();
    std::string folder;
    SelectDirectory("Папка", "", folder);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Успешно!", "Продолжать?"}));
}
TEST_F(ActivationTest, AWindowIsActivatedAgainOnlyWhenItWasOnTheScreen) {
    std::vector<bool> again;
    main.OnActivate = [&] {
        again.push_back(main.ActivatedAgain());
        if (again.size() > 1) return;
        // A handler that shows a window during its own show still counts as shown once that one closes.
        dialog.ShowModal();
        again.push_back(main.ActivatedAgain());
    };
    main.Show();
    EXPECT_FALSE(main.ActivatedAgain()); // only while the handler runs
    dialog.Show();
    main.Show(); // already on the screen: brought to the front, not shown again
    dialog.Close();
    main.Hide();
    main.Show();
    EXPECT_EQ(again, (std::vector<bool>{false, true, false, true, false}));
    main.Hide();
}

// Qt's own dialogs (a file dialog, say) may hang under one of our windows; they are no windows of
// ours, and hiding or destroying ours leaves them to Qt.
TEST_F(ActivationTest, QtDialogsUnderAWindowAreNotTakenForOurs) {
    auto window = std::make_unique<LoggingForm>(log, "Window");
    QPointer<QDialog> qtDialog = new QDialog(window->Widget());
    window->Show();
    window->Hide();
    EXPECT_EQ(qtDialog->parentWidget(), window->Widget());
    window.reset();
    EXPECT_TRUE(qtDialog.isNull()); // went with its parent, as Qt owns it
}
} // namespace

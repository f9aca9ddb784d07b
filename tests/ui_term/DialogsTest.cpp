// The connection and command dialogs: values in and out, their lists, the
// result codes, the live parameter captions, names and unclipped captions.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "app/CComCommandDlg.h"
#include "app/CComSettingDlg.h"
#include "app/CCommandEditDlg.h"
#include "support/UiTestSupport.h"

namespace quelda::test {
namespace {

QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
}

// Every control has a name for screen readers, every caption fits.
void ExpectNamedAndUnclipped(QDialog& dialog) {
    dialog.show();
    RunEvents(20);
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        if (!w->isVisible()) continue;
        if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
            qobject_cast<QLineEdit*>(w)) {
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->metaObject()->className();
        }
        if (auto* label = qobject_cast<QLabel*>(w)) {
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        }
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
        }
    }
    dialog.hide();
}

// Clicks a button once the dialog runs, and returns exec()'s result.
int ExecClicking(QDialog& dialog, QAbstractButton* button) {
    QTimer::singleShot(0, button, &QAbstractButton::click);
    return dialog.exec();
}

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override { UiApp(); }
};

TEST_F(DialogsTest, ComSettingOffersTheListsAndReturnsTypedValues) {
    LineSettings in;
    in.port = "/dev/ttyUSB7";  // not in the list: typed in
    in.baud = "38400";
    in.dataBits = "7";
    in.parity = "EVEN ";  // kept exactly, blank included
    in.stopBits = "1.5";
    CComSettingDlg dialog(in);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Communication Setting"));
    EXPECT_EQ(dialog.Values(), in);
    const QStringList ports = Items(dialog.PortBox());
    ASSERT_GE(ports.size(), 16);
    EXPECT_EQ(ports.first(), QStringLiteral("COM1"));
    EXPECT_EQ(ports.at(15), QStringLiteral("COM16"));
    EXPECT_EQ(Items(dialog.BaudBox()),
              (QStringList{"4800", "9600", "19200", "38400", "57600", "115200"}));
    EXPECT_EQ(Items(dialog.DataBitsBox()), (QStringList{"7", "8"}));
    EXPECT_EQ(Items(dialog.ParityBox()), (QStringList{"EVEN", "ODD", "NO"}));
    EXPECT_EQ(Items(dialog.StopBitsBox()), (QStringList{"1", "1.5", "2"}));
    EXPECT_EQ(dialog.BaudBox()->currentIndex(), 3);

    dialog.PortBox()->setEditText(QStringLiteral("COM3"));
    dialog.StopBitsBox()->setCurrentIndex(2);
    const LineSettings out = dialog.Values();
    EXPECT_EQ(out.port, "COM3");
    EXPECT_EQ(out.stopBits, "2");
    EXPECT_EQ(ExecClicking(dialog, dialog.Buttons()->button(QDialogButtonBox::Ok)),
              QDialog::Accepted);
    ExpectNamedAndUnclipped(dialog);
}

TEST_F(DialogsTest, ALongPortPathShowsWhole) {
    LineSettings in;
    in.port = "/home/user/.local/share/Quelda/demo/tty";
    CComSettingDlg dialog(in);
    dialog.show();
    RunEvents(20);
    const QLineEdit* edit = dialog.PortBox()->lineEdit();
    EXPECT_GE(edit->width(), edit->fontMetrics().horizontalAdvance(edit->text()));
    dialog.hide();
}

TEST_F(DialogsTest, ComCommandHasNoPortAndThreeResults) {
    LineSettings in;
    in.port = "COM2";
    in.baud = "57600";
    in.parity = "ODD";
    struct Case {
        const char* button;
        int result;
    } const cases[] = {{"OK", CComCommandDlg::Ok},
                       {"Cancel", CComCommandDlg::Cancel},
                       {"AUTO", CComCommandDlg::Auto}};
    for (const Case& c : cases) {
        CComCommandDlg dialog(in);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("COM Command"));
        EXPECT_EQ(dialog.PortBox(), nullptr);
        dialog.BaudBox()->setEditText(QStringLiteral("9600"));
        QAbstractButton* button = nullptr;
        for (QAbstractButton* b : dialog.Buttons()->buttons()) {
            if (b->text() == QLatin1String(c.button)) button = b;
        }
        ASSERT_NE(button, nullptr) << c.button;
        EXPECT_EQ(ExecClicking(dialog, button), c.result) << c.button;
        LineSettings expected = in;
        expected.baud = "9600";
        EXPECT_EQ(dialog.Values(), expected);
    }
    CComCommandDlg dialog(in);
    ExpectNamedAndUnclipped(dialog);
}

class CommandEditTest : public DialogsTest {
protected:
    CommandRecord record() const {
        CommandRecord r;
        r.title = "Start";
        r.command = "RUN";
        r.params[0] = "1";
        r.params[4] = "5";
        r.ackCheck = 1;
        return r;
    }
    std::vector<CommandDef> defs() const {
        CommandDef run{"RUN", {"Speed", "Direction", "", "", "A rather long parameter caption"}};
        CommandDef mode{"MODE", {"Mode"}};
        return {run, mode};
    }
    QStringList Labels(const CCommandEditDlg& dialog) const {
        QStringList labels;
        for (int i = 0; i < CCommandEditDlg::kParams; ++i) labels << dialog.ParamLabel(i)->text();
        return labels;
    }
};

TEST_F(CommandEditTest, ValuesRoundTripAndResults) {
    CCommandEditDlg dialog(record(), defs());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Command Edit"));
    const CommandRecord out = dialog.Values();
    EXPECT_EQ(out.title, "Start");
    EXPECT_EQ(out.command, "RUN");
    EXPECT_EQ(out.params[0], "1");
    EXPECT_EQ(out.params[1], "");
    EXPECT_EQ(out.params[4], "5");
    EXPECT_EQ(out.ackCheck, 1);
    EXPECT_EQ(out.addChecksum, 0);
    EXPECT_EQ(Items(dialog.CommandBox()), (QStringList{"RUN", "MODE"}));

    dialog.TitleEdit()->setText(QStringLiteral("Go"));
    dialog.AddChecksumBox()->setChecked(true);
    dialog.AckCheckBox()->setChecked(false);
    EXPECT_EQ(ExecClicking(dialog, dialog.SendButton()), CCommandEditDlg::Send);
    const CommandRecord edited = dialog.Values();
    EXPECT_EQ(edited.title, "Go");
    EXPECT_EQ(edited.ackCheck, 0);
    EXPECT_EQ(edited.addChecksum, 1);

    CCommandEditDlg other(record(), defs());
    EXPECT_EQ(
        ExecClicking(other, other.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)),
        CCommandEditDlg::Cancel);
}

TEST_F(CommandEditTest, ParameterCaptionsFollowTheCommand) {
    CCommandEditDlg dialog(record(), defs());
    EXPECT_EQ(Labels(dialog),
              (QStringList{"Speed", "Direction", "", "", "A rather long parameter caption"}));
    dialog.ParamEdit(1)->setText(QStringLiteral("typed"));

    dialog.CommandBox()->setEditText(QStringLiteral("MOD"));  // typing, not there yet
    EXPECT_EQ(Labels(dialog), (QStringList{"", "", "", "", ""}));
    dialog.CommandBox()->setEditText(QStringLiteral("MODE"));
    EXPECT_EQ(Labels(dialog), (QStringList{"Mode", "", "", "", ""}));
    dialog.CommandBox()->setEditText(QStringLiteral("mode"));  // the name must match exactly
    EXPECT_EQ(Labels(dialog), (QStringList{"", "", "", "", ""}));

    dialog.CommandBox()->setCurrentIndex(0);  // chosen from the list
    EXPECT_EQ(dialog.CommandBox()->currentText(), QStringLiteral("RUN"));
    EXPECT_EQ(Labels(dialog).first(), QStringLiteral("Speed"));
    EXPECT_EQ(dialog.ParamEdit(1)->text(), QStringLiteral("typed"));
    ExpectNamedAndUnclipped(dialog);
}

TEST_F(CommandEditTest, FieldsStayPutWhileCaptionsComeAndGo) {
    CCommandEditDlg dialog(record(), defs());
    dialog.show();
    RunEvents(20);
    const int x = dialog.ParamEdit(0)->x();
    for (const char* command : {"MOD", "MODE", "RUN"}) {
        dialog.CommandBox()->setEditText(QString::fromLatin1(command));
        RunEvents(20);
        EXPECT_EQ(dialog.ParamEdit(0)->x(), x) << command;
        EXPECT_GE(dialog.ParamLabel(4)->width(), dialog.ParamLabel(4)->sizeHint().width());
    }
    dialog.hide();
}

TEST_F(CommandEditTest, NoDefinitionsGiveEmptyCaptions) {
    CCommandEditDlg dialog(record(), {});
    EXPECT_EQ(Labels(dialog), (QStringList{"", "", "", "", ""}));
    EXPECT_EQ(dialog.CommandBox()->count(), 0);
    EXPECT_EQ(dialog.Values().command, "RUN");
}

}  // namespace
}  // namespace quelda::test

// The Calculation Parameters dialog and the command dialogs: refused values
// keep the dialog open, accepted ones reach the model, and the enabling and
// naming rules of the dialogs.
#include "AppFixture.h"
#include "gelmar/app/CalcParamDlg.h"
#include "gelmar/app/CommandDialogs.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/ui/TestHook.h"
#include "resources/gelmar/GelmarIds.h"

#include <QTest>

namespace gelmar::test {
namespace {

// The ten digits a duration field holds for a number of seconds.
std::string Digits(long long seconds)
{
    std::string digits;
    for (char c : FormatTimeDHMS(seconds))
        if (c != ':')
            digits += c;
    return digits;
}

// Types keys into a field from its first position, as a user does.
void Type(common::COXMaskedEdit& edit, const char* keys)
{
    edit.SetFocus();
    edit.SetSel(0, 0);
    QTest::keyClicks(edit.GetWidget(), keys);
}

class DialogsTest : public AppFixture {
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        PrepareProgramFolder(true);
        ASSERT_TRUE(Start({CopyWall("wall.glm")}));
    }
    void Script(std::function<void(CDialog&)> f) { platform::TestHook::Get().PushDialogScript(std::move(f)); }
};

TEST_F(DialogsTest, ZeroTimeStepIsRefusedAndDurationsAreReadAsDaysHoursMinutesSeconds)
{
    const std::size_t records = UndoRecordCount(TheEngine().history);
    Script([&](CDialog& d) {
        d.SetDlgItemText(IDC_TIME_STEP, "0000:00:00:00");
        d.ClickButton(IDOK);
        EXPECT_FALSE(d.IsEnded());
        EXPECT_EQ(Messages(), std::vector<std::string>{kTimeStepZero});
        d.SetDlgItemText(IDC_TIME_STEP, "0000:00:15:00");
        d.SetDlgItemText(IDC_CALC_DURATION, "0001:00:00:00");
        d.ClickButton(IDOK);
        EXPECT_TRUE(d.IsEnded()) << ::testing::PrintToString(Messages());
    });
    EXPECT_TRUE(Main()->ExecuteCommand(ID_CALC_PARAMETERS));
    EXPECT_EQ(TheEngine().model.timeStep, 900);
    EXPECT_EQ(TheEngine().model.calcDuration, 86400);
    EXPECT_EQ(UndoRecordCount(TheEngine().history), records + 1);
    EXPECT_EQ(CurrentUndoRecord(TheEngine().history)->kind, kUndoCalcParameters);
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(DialogsTest, DurationFieldsTakeDigitsOnlyAndRoundTripThroughTheDialog)
{
    TheEngine().model.timeStep = 3661;
    TheEngine().model.startupDuration = 0;
    TheEngine().model.calcDuration = 86400;
    struct Field {
        common::COXMaskedEdit CCalcParamDlg::*edit;
        UINT id;
        const char* typed;
        const char* digits; // what the field holds after the typing
        long long seconds;  // what OK stores
        const char* shown;  // what the dialog shows next time
    };
    const Field fields[] = {
        // Letters and separators typed at digit positions are refused.
        {&CCalcParamDlg::m_editTimeStep, IDC_TIME_STEP, "x0000:00:15:00", "0000001500", 900, "0000001500"},
        {&CCalcParamDlg::m_editStartup, IDC_STARTUP_DURATION, "0001a000000", "0001000000", 86400,
         "0001000000"},
        // Hours beyond a day are taken and shown back as days.
        {&CCalcParamDlg::m_editCalc, IDC_CALC_DURATION, "0000250000", "0000250000", 90000, "0001010000"},
    };
    Script([&](CDialog& d) {
        auto& dlg = static_cast<CCalcParamDlg&>(d);
        EXPECT_EQ(dlg.m_editTimeStep.GetInputData(), "0000010101");
        EXPECT_EQ(dlg.m_editStartup.GetInputData(), "0000000000");
        EXPECT_EQ(dlg.m_editCalc.GetInputData(), "0001000000");
        for (const Field& f : fields) {
            EXPECT_EQ(d.GetDlgItem(f.id), &(dlg.*f.edit));
            Type(dlg.*f.edit, f.typed);
            EXPECT_EQ((dlg.*f.edit).GetInputData(), f.digits) << f.typed;
        }
        d.ClickButton(IDOK);
        EXPECT_TRUE(d.IsEnded());
    });
    ASSERT_TRUE(Main()->ExecuteCommand(ID_CALC_PARAMETERS));
    EXPECT_EQ(TheEngine().model.timeStep, fields[0].seconds);
    EXPECT_EQ(TheEngine().model.startupDuration, fields[1].seconds);
    EXPECT_EQ(TheEngine().model.calcDuration, fields[2].seconds);

    Script([&](CDialog& d) {
        auto& dlg = static_cast<CCalcParamDlg&>(d);
        for (const Field& f : fields)
            EXPECT_EQ((dlg.*f.edit).GetInputData(), f.shown) << f.typed;
        // A time step typed as all zeros is refused and the dialog stays.
        Type(dlg.m_editTimeStep, "0000000000");
        platform::TestHook::Get().ClearMessages();
        d.ClickButton(IDOK);
        EXPECT_FALSE(d.IsEnded());
        EXPECT_EQ(Messages(), std::vector<std::string>{kTimeStepZero});
        d.ClickButton(IDCANCEL);
    });
    Main()->ExecuteCommand(ID_CALC_PARAMETERS);
    EXPECT_EQ(TheEngine().model.timeStep, 900);
}

TEST_F(DialogsTest, CalcParametersWithoutChangesLeaveTheModelAlone)
{
    const std::size_t records = UndoRecordCount(TheEngine().history);
    Script([](CDialog& d) {
        // Without radiating colours the radiation group is disabled.
        EXPECT_FALSE(d.GetDlgItem(IDC_HR_BLACK)->IsWindowEnabled());
        EXPECT_EQ(static_cast<CCalcParamDlg&>(d).m_editTimeStep.GetInputData(),
                  Digits(TheEngine().model.timeStep));
        d.ClickButton(IDOK);
    });
    Main()->ExecuteCommand(ID_CALC_PARAMETERS);
    EXPECT_EQ(UndoRecordCount(TheEngine().history), records);
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(DialogsTest, SetAsDefaultOutOfRangeChangesNoDefault)
{
    const ParameterSet before = TheEngine().parameters;
    Script([](CDialog& d) {
        d.SetDlgItemText(IDC_CYCLES, "0");
        d.ClickButton(IDC_SET_AS_DEFAULT);
        EXPECT_FALSE(d.IsEnded());
        d.ClickButton(IDCANCEL);
    });
    Main()->ExecuteCommand(ID_CALC_PARAMETERS);
    EXPECT_EQ(TheEngine().parameters, before);
    EXPECT_FALSE(TheEngine().parametersChanged);
}

TEST_F(DialogsTest, OutOfRangeValuesKeepTheCommandDialogsOpen)
{
    struct Case {
        std::function<int()> run;
        UINT control;
        std::string bad;
        std::string good;
    };
    CDlgGridUnit unit(TheEngine());
    CDlgSolarData solar;
    CDlgReportFrequency report;
    CDlgClrVoid colour;
    const Case cases[] = {
        {[&] { return unit.DoModal(); }, 1003, "0", "0.001"},
        {[&] { return solar.DoModal(); }, 1205, "91", "50"},
        {[&] { return report.DoModal(); }, 1198, "0", "3"},
        {[&] { return colour.DoModal(); }, 1279, "256", "255"},
    };
    for (const Case& c : cases) {
        Script([&](CDialog& d) {
            d.SetDlgItemText(c.control, c.bad);
            d.ClickButton(IDOK);
            EXPECT_FALSE(d.IsEnded()) << c.control;
            d.SetDlgItemText(c.control, c.good);
            d.ClickButton(IDOK);
            EXPECT_TRUE(d.IsEnded()) << c.control;
        });
        EXPECT_EQ(c.run(), IDOK);
    }
    EXPECT_FLOAT_EQ(unit.m_unit, 0.001f);
    EXPECT_FLOAT_EQ(solar.m_latitude, 50.0f);
    EXPECT_EQ(report.m_every, 3);
    EXPECT_EQ(colour.m_colour, 255);
}

TEST_F(DialogsTest, CreateMinimumGridNamesTheAxesRclInCylindricalNaming)
{
    TheEngine().model.rcl = 1;
    Script([](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(1143), "R");
        EXPECT_EQ(d.GetDlgItemText(1144), "C");
        EXPECT_EQ(d.GetDlgItemText(1145), "L");
    });
    CDlgCreateMinGrid dlg(TheEngine().model);
    dlg.DoModal();
}

TEST_F(DialogsTest, RevolveStartsOnTheFirstAxisWithIntervalsAndMovesThePositions)
{
    // wall.glm: six intervals on X, one on Y and Z.
    Script([](CDialog& d) {
        EXPECT_TRUE(d.IsDlgButtonChecked(1130));
        EXPECT_FALSE(d.IsDlgButtonChecked(1271));
        EXPECT_FALSE(d.IsDlgButtonChecked(1272));
        EXPECT_TRUE(d.IsDlgButtonChecked(1273));
        EXPECT_TRUE(d.IsDlgButtonChecked(1275));
        EXPECT_FALSE(d.GetDlgItem(1132)->IsWindowEnabled());
        EXPECT_FALSE(d.GetDlgItem(1271)->IsWindowEnabled());
        d.ClickButton(IDOK);
    });
    CDlgRevolve dlg(TheEngine().model);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_axis, 0);
    EXPECT_EQ(dlg.m_xPos, -1);
    EXPECT_EQ(dlg.m_yPos, 0);
    EXPECT_EQ(dlg.m_zPos, 0);
}

TEST_F(DialogsTest, TitleDialogStoresAChangedTitleOnly)
{
    const std::size_t records = UndoRecordCount(TheEngine().history);
    const std::string old = TheEngine().model.title;
    Script([&](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(1018), old);
        d.ClickButton(IDOK);
    });
    Main()->ExecuteCommand(ID_TITLE);
    EXPECT_EQ(UndoRecordCount(TheEngine().history), records);
    Script([](CDialog& d) {
        // A title of 801 characters cannot be entered.
        d.SetDlgItemText(1018, std::string(801, 'a'));
        EXPECT_EQ(d.GetDlgItemText(1018).size(), 800u);
        d.SetDlgItemText(1018, "New title");
        d.ClickButton(IDOK);
    });
    Main()->ExecuteCommand(ID_TITLE);
    EXPECT_EQ(TheEngine().model.title, "New title");
    EXPECT_EQ(UndoRecordCount(TheEngine().history), records + 1);
    EXPECT_EQ(CurrentUndoRecord(TheEngine().history)->kind, kUndoTitle);
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(DialogsTest, TabInTheTitleMovesTheFocusOnAndTypesNothing)
{
    Script([](CDialog& d) {
        QWidget* edit = d.GetDlgItem(1018)->GetWidget();
        d.SetDlgItemText(1018, "First line");
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Tab);
        EXPECT_EQ(d.GetDlgItemText(1018), "First line");
        EXPECT_NE(edit->window()->focusWidget(), edit);
        d.ClickButton(IDCANCEL);
    });
    Main()->ExecuteCommand(ID_TITLE);
}

} // namespace
} // namespace gelmar::test

// The dialogs of the graphic outputs: the range dialogs' limits (a first
// increment making too many increments is refused, a minimum above the
// maximum is not), Set As Default, the clip box and profile line in the odd
// R/C/L numbering, the image size limits, the zoom numbers kept exactly and
// the line colours chosen through the colour dialog.
#include "common/ui/DlgClipObject.h"
#include "common/ui/DlgImageSize.h"
#include "common/ui/DlgLineStyles.h"
#include "common/ui/DlgRanges.h"
#include "common/ui/DlgTempProfileLine.h"
#include "common/ui/DlgZoomNumbers2D.h"

#include "platform/ui/TestHook.h"

#include <gtest/gtest.h>

using namespace common;

namespace {

class GraphicDialogs : public ::testing::Test {
  protected:
    void SetUp() override
    {
        auto& r = platform::Resources::Get();
        r.AddDialog(TemperatureRangeDialogTemplate());
        r.AddDialog(HeatFluxRangeDialogTemplate());
        r.AddDialog(ClipObjectDialogTemplate(false));
        r.AddDialog(ClipObjectDialogTemplate(true));
        r.AddDialog(TempProfileLineDialogTemplate(false));
        r.AddDialog(TempProfileLineDialogTemplate(true));
        r.AddDialog(ImageSizeDialogTemplate());
        r.AddDialog(ZoomNumbers2DDialogTemplate());
        r.AddDialog(LineStylesDialogTemplate());
        platform::TestHook::Get().Reset();
        platform::TestHook::Get().Enable();
    }
    void TearDown() override { platform::TestHook::Get().Reset(); }

    // Runs the dialog with a script that fills the fields and presses a
    // button; whether the dialog ended, and the message shown if any.
    struct Outcome {
        int result = 0;
        bool endedAtOnce = false;
        std::string message;
    };
    Outcome RunDialog(CDialog& dlg, const std::vector<std::pair<UINT, std::string>>& fields, UINT button = IDOK)
    {
        Outcome o;
        platform::TestHook::Get().ClearMessages();
        platform::TestHook::Get().PushDialogScript([&](CDialog& d) {
            for (const auto& [id, text] : fields)
                d.SetDlgItemText(id, text);
            d.ClickButton(button);
            o.endedAtOnce = d.IsEnded();
            if (!o.endedAtOnce)
                d.ClickButton(IDCANCEL);
        });
        o.result = dlg.DoModal();
        if (!platform::TestHook::Get().Messages().empty())
            o.message = platform::TestHook::Get().Messages().front().text;
        return o;
    }
};

// The control of one of the seven lines.
UINT Line(UINT first, LineStyleIndex k)
{
    return first + static_cast<UINT>(k);
}

} // namespace

TEST_F(GraphicDialogs, RangesRefuseTooManyIncrementsButNotAMinimumAboveTheMaximum)
{
    struct Case {
        const char *min, *max, *inc1;
        bool accepted;
        bool tooMany; // refused for the count of increments
    };
    const Case cases[] = {
        {"0", "20", "1", true, false},
        {"0", "10000", "1", true, false},      // exactly 10,000 increments
        {"0", "10001", "1", false, true},      // one more
        {"-5", "5", "0.0001", false, true},    // 100,000
        {"30", "10", "1", true, false},        // minimum above the maximum
        {"30", "10", "0.001", false, true},    // the count is taken either way round
        {"0", "20", "0", false, false},        // an increment must be positive
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.min) + " .. " + c.max + " by " + c.inc1);
        CDlgTemperatureRange dlg;
        const Outcome o = RunDialog(dlg, {{IDC_RANGE_MIN, c.min},
                                    {IDC_RANGE_MAX, c.max},
                                    {IDC_RANGE_INC1, c.inc1},
                                    {IDC_RANGE_INC2, "5"},
                                    {IDC_RANGE_SINGLE, "1.5"}});
        EXPECT_EQ(o.endedAtOnce, c.accepted);
        EXPECT_EQ(o.result, c.accepted ? IDOK : IDCANCEL);
        EXPECT_EQ(o.message.find("10000 increments") != std::string::npos, c.tooMany) << o.message;
        if (c.accepted) {
            EXPECT_FLOAT_EQ(dlg.m_min, std::stof(c.min));
            EXPECT_FLOAT_EQ(dlg.m_max, std::stof(c.max));
            EXPECT_FLOAT_EQ(dlg.m_single, 1.5f);
        }
    }
}

TEST_F(GraphicDialogs, HeatFluxRangeStartsAtZeroAndSetAsDefaultEndsAsOk)
{
    CDlgHeatFluxRange refused;
    EXPECT_FALSE(RunDialog(refused, {{IDC_RANGE_MIN, "-1"}}).endedAtOnce);

    CDlgHeatFluxRange dlg;
    const Outcome o = RunDialog(dlg, {{IDC_RANGE_MIN, "2"}, {IDC_RANGE_MAX, "40"}}, IDC_RANGE_SET_AS_DEFAULT);
    EXPECT_TRUE(o.endedAtOnce);
    EXPECT_EQ(o.result, IDOK);
    EXPECT_TRUE(dlg.m_setAsDefault);
    EXPECT_FLOAT_EQ(dlg.m_min, 2.0f);
    EXPECT_FLOAT_EQ(dlg.m_max, 40.0f);

    // Set As Default with a field that does not pass leaves the dialog open.
    CDlgHeatFluxRange bad;
    const Outcome b = RunDialog(bad, {{IDC_RANGE_INC1, "0"}}, IDC_RANGE_SET_AS_DEFAULT);
    EXPECT_FALSE(b.endedAtOnce);
    EXPECT_FALSE(bad.m_setAsDefault);
}

TEST_F(GraphicDialogs, ClipBoxInTheOddNumberingCountsLFromTheTop)
{
    const int n[3] = {4, 5, 6};
    struct Case {
        ClipBox box;
        int cartesian[6];
        int rcl[6];
    };
    const Case cases[] = {
        {{{0, 0, 0}, {4, 5, 6}}, {0, 4, 0, 5, 0, 6}, {1, 9, 1, 11, 1, 13}},
        {{{1, 2, 3}, {2, 4, 5}}, {1, 2, 2, 4, 3, 5}, {3, 5, 5, 9, 3, 7}},
    };
    for (const Case& c : cases) {
        int fields[6];
        CDlgClipObject::BoxToFields(c.box, n, false, fields);
        EXPECT_EQ(std::vector<int>(fields, fields + 6), std::vector<int>(c.cartesian, c.cartesian + 6));
        EXPECT_EQ(CDlgClipObject::FieldsToBox(fields, n, false), c.box);
        CDlgClipObject::BoxToFields(c.box, n, true, fields);
        EXPECT_EQ(std::vector<int>(fields, fields + 6), std::vector<int>(c.rcl, c.rcl + 6));
        EXPECT_EQ(CDlgClipObject::FieldsToBox(fields, n, true), c.box);
    }
}

TEST_F(GraphicDialogs, ClipFieldsStayWithinTheGridAndApart)
{
    const int n[3] = {4, 5, 6};
    struct Case {
        bool rcl;
        UINT field;
        const char* text;
        bool accepted;
    };
    const Case cases[] = {
        {false, IDC_CLIP_FIRST + 1, "4", true},      // Xmax at the cell count
        {false, IDC_CLIP_FIRST + 1, "5", false},     // beyond it
        {false, IDC_CLIP_FIRST + 1, "0", false},     // not above Xmin
        {true, IDC_CLIP_FIRST + 1, "9", true},       // Rmax at 2 n + 1
        {true, IDC_CLIP_FIRST + 1, "10", false},     // beyond it
        {true, IDC_CLIP_FIRST + 1, "2", false},      // less than Rmin + 2
        {true, IDC_CLIP_FIRST, "0", false},          // below 1
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.rcl ? "RCL " : "XYZ ") + std::to_string(c.field) + "=" + c.text);
        CDlgClipObject dlg(n, c.rcl);
        CDlgClipObject::BoxToFields({{0, 0, 0}, {4, 5, 6}}, n, c.rcl, dlg.m_value);
        EXPECT_EQ(RunDialog(dlg, {{c.field, c.text}}).endedAtOnce, c.accepted);
    }
}

TEST_F(GraphicDialogs, ProfileLineTakesOddValuesAndRunsAlongItsDirection)
{
    const int n[3] = {4, 5, 6};
    CDlgTempProfileLine dlg(n, true);
    dlg.m_direction = 1;
    dlg.m_from[0] = 3;
    dlg.m_from[1] = 1;
    dlg.m_from[2] = 5;
    dlg.m_to[0] = 3;
    dlg.m_to[1] = 11;
    dlg.m_to[2] = 5;
    bool ran = false;
    platform::TestHook::Get().PushDialogScript([&](CDialog& d) {
        // An even entry becomes the next odd one when its field is left;
        // the fields off the direction follow their "From" fields.
        d.SetDlgItemText(IDC_PROFILE_FROM, "4");
        d.OnCmdMsg(IDC_PROFILE_FROM, EN_KILLFOCUS, nullptr);
        EXPECT_EQ(d.GetDlgItemText(IDC_PROFILE_FROM), "5");
        EXPECT_EQ(d.GetDlgItemText(IDC_PROFILE_TO), "5");
        d.SetDlgItemText(IDC_PROFILE_TO + 1, "8");
        d.OnCmdMsg(IDC_PROFILE_TO + 1, EN_KILLFOCUS, nullptr);
        EXPECT_EQ(d.GetDlgItemText(IDC_PROFILE_TO + 1), "9");
        d.ClickButton(IDOK);
        ran = d.IsEnded();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(ran);
    EXPECT_EQ(dlg.m_from[0], 5);
    EXPECT_EQ(dlg.m_to[0], 5);
    EXPECT_EQ(dlg.m_to[1], 9);
    EXPECT_EQ(dlg.m_to[2], dlg.m_from[2]);

    // Beyond 2 n + 1 is refused.
    CDlgTempProfileLine beyond(n, true);
    EXPECT_FALSE(RunDialog(beyond, {{IDC_PROFILE_TO + 1, "13"}}).endedAtOnce);
    CDlgTempProfileLine cartesian(n, false);
    EXPECT_FALSE(RunDialog(cartesian, {{IDC_PROFILE_TO, "5"}}).endedAtOnce);
}

TEST_F(GraphicDialogs, ImageSizeLimits)
{
    struct Case {
        const char *width, *height, *font;
        bool accepted;
    };
    for (const Case& c : {Case{"1", "1", "1", true}, Case{"1000000", "1000000", "1000", true},
                          Case{"0", "10", "10", false}, Case{"1000001", "10", "10", false},
                          Case{"10", "10", "1001", false}}) {
        SCOPED_TRACE(std::string(c.width) + "x" + c.height + " " + c.font);
        CDlgImageSize dlg;
        EXPECT_EQ(RunDialog(dlg, {{IDC_IMAGE_WIDTH, c.width}, {IDC_IMAGE_HEIGHT, c.height}, {IDC_IMAGE_FONT_SIZE, c.font}})
                      .endedAtOnce,
                  c.accepted);
    }
}

TEST_F(GraphicDialogs, ZoomNumbersLeftAsShownKeepTheirValuesExactly)
{
    CDlgZoomNumbers2D dlg;
    dlg.m_umin = 0.123456789f;
    dlg.m_umax = 1.0f / 3.0f;
    dlg.m_vmin = -2.5f;
    dlg.m_vmax = 7.0f;
    dlg.m_unitLabel = "[m]";
    const float umin = dlg.m_umin, umax = dlg.m_umax;
    EXPECT_EQ(RunDialog(dlg, {{IDC_ZOOM_VMAX, "8.25"}}).result, IDOK);
    EXPECT_EQ(dlg.m_umin, umin);
    EXPECT_EQ(dlg.m_umax, umax);
    EXPECT_FLOAT_EQ(dlg.m_vmax, 8.25f);
}

TEST_F(GraphicDialogs, LineColoursComeFromTheColourDialogAndCancelKeepsThem)
{
    CDlgLineStyles dlg;
    for (int k = 0; k < kLineStyleCount; ++k) {
        dlg.m_colour[k] = RGB(10 * k, 0, 0);
        dlg.m_width[k] = 1;
    }
    platform::TestHook::Get().PushColorDialogAnswer(RGB(1, 2, 3));
    platform::TestHook::Get().PushColorDialogAnswer(std::nullopt);
    platform::TestHook::Get().PushDialogScript([&](CDialog& d) {
        d.OnCmdMsg(Line(IDC_LINE_COLOUR, kIsothermSecond), BN_CLICKED, nullptr);
        d.OnCmdMsg(Line(IDC_LINE_COLOUR, kGridLines), BN_CLICKED, nullptr);
        d.SetDlgItemText(Line(IDC_LINE_WIDTH, kIsofluxFirst), "0");
        d.ClickButton(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_colour[kIsothermSecond], RGB(1, 2, 3));
    EXPECT_EQ(dlg.m_colour[kGridLines], RGB(10, 0, 0));
    EXPECT_EQ(dlg.m_width[kIsofluxFirst], 0);

    // Object and grid lines are at least one pixel wide.
    CDlgLineStyles thin;
    EXPECT_FALSE(RunDialog(thin, {{Line(IDC_LINE_WIDTH, kObjectLines), "0"}}).endedAtOnce);
}

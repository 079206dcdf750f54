// The axis-scale dialogs of the function graph: the time dialog (171), with
// the scope, the signed minimum and maximum and the ticks as dddd:hh:mm:ss,
// and the label unit; and the ten dialogs of the other quantities, each
// with the scope and four values followed by their unit.
#include "platform/ui/Resources.h"
#include "resources/gelmar/GelmarIds.h"

#include <utility>

namespace gelmar {

namespace {

using platform::ControlTemplate;
using platform::Ctl;
using platform::DialogTemplate;

constexpr UINT kStatic = 0xFFFF;
enum : UINT { kScopeGroup = 2001, kLabelsGroup };

ControlTemplate Label(const char* text, int row, int col, UINT group = 0)
{
    return {Ctl::Static, kStatic, text, row, col, 1, 1, 0, group};
}

ControlTemplate Choice(UINT id, const char* text, int row, int col, bool first, UINT group = 0)
{
    return {Ctl::RadioButton, id, text, row, col, 1, 1, first ? DWORD(WS_GROUP) : DWORD(0), group};
}

DialogTemplate ValueScale(UINT id, const char* caption, const char* unit)
{
    DialogTemplate t{id, caption};
    auto& c = t.controls;
    c.push_back(Choice(IDC_SCALE_FIXED, "Fixed &values", 0, 0, true));
    c.push_back(Choice(IDC_SCALE_FUNCTION, "&Function scope", 1, 0, false));
    const std::pair<UINT, const char*> values[] = {{IDC_SCALE_MIN, "&Minimum value"},
                                                   {IDC_SCALE_MAX, "Ma&ximum value"},
                                                   {IDC_SCALE_MAJOR, "M&ajor tick"},
                                                   {IDC_SCALE_MINOR, "Min&or tick"}};
    int row = 2;
    for (auto [edit, label] : values) {
        c.push_back(Label(label, row, 0));
        c.push_back({Ctl::Edit, edit, "", row, 1, 1, 1, ES_AUTOHSCROLL});
        if (*unit)
            c.push_back(Label(unit, row, 2));
        ++row;
    }
    c.push_back({Ctl::DefPushButton, IDOK, "OK", row, 0});
    c.push_back({Ctl::PushButton, IDCANCEL, "Cancel", row, 1});
    return t;
}

DialogTemplate TimeScale()
{
    DialogTemplate t{IDD_X_TIME_SCALE, "X axis: Time Scale"};
    auto& c = t.controls;
    c.push_back({Ctl::GroupBox, kScopeGroup, "Scope", 0, 0, 1, 4});
    c.push_back(Choice(IDC_SCALE_FIXED, "Fixed &values", 0, 0, true, kScopeGroup));
    c.push_back(Choice(IDC_SCALE_FUNCTION, "&Function scope", 0, 1, false, kScopeGroup));
    c.push_back(Choice(IDC_SCALE_CALC_TIME, "&Calculation time", 0, 2, false, kScopeGroup));
    c.push_back(Label(" dddd:hh:mm:ss", 1, 3));
    c.push_back(Label("M&inimum", 2, 0));
    c.push_back(Choice(IDC_MIN_PLUS, "+", 2, 1, true));
    c.push_back(Choice(IDC_MIN_MINUS, "-", 2, 2, false));
    c.push_back({Ctl::Edit, IDC_TIME_SCALE_MIN, "", 2, 3});
    c.push_back(Label("Ma&ximum", 3, 0));
    c.push_back(Choice(IDC_MAX_PLUS, "+", 3, 1, true));
    c.push_back(Choice(IDC_MAX_MINUS, "-", 3, 2, false));
    c.push_back({Ctl::Edit, IDC_TIME_SCALE_MAX, "", 3, 3});
    c.push_back(Label("Majo&r tick", 4, 0));
    c.push_back({Ctl::Edit, IDC_TIME_SCALE_MAJOR, "", 4, 3});
    c.push_back(Label("Mi&nor tick", 5, 0));
    c.push_back({Ctl::Edit, IDC_TIME_SCALE_MINOR, "", 5, 3});
    c.push_back({Ctl::GroupBox, kLabelsGroup, "Labels", 6, 0, 1, 4});
    c.push_back(Choice(IDC_LABEL_SECONDS, "&Seconds", 0, 0, true, kLabelsGroup));
    c.push_back(Choice(IDC_LABEL_MINUTES, "&Minutes", 0, 1, false, kLabelsGroup));
    c.push_back(Choice(IDC_LABEL_HOURS, "&Hours", 0, 2, false, kLabelsGroup));
    c.push_back(Choice(IDC_LABEL_DAYS, "&Days", 0, 3, false, kLabelsGroup));
    c.push_back({Ctl::DefPushButton, IDOK, "OK", 7, 2});
    c.push_back({Ctl::PushButton, IDCANCEL, "Cancel", 7, 3});
    return t;
}

} // namespace

void RegisterFunctionGraphResources()
{
    auto& r = platform::Resources::Get();
    r.AddDialog(TimeScale());
    r.AddDialog(ValueScale(IDD_X_TEMPERATURE_SCALE, "X axis: Temperature Scale", "°C"));
    r.AddDialog(ValueScale(IDD_X_ANGLE_SCALE, "X axis: Angle Scale", "°"));
    r.AddDialog(ValueScale(IDD_Y_FLUX_SCALE, "Y axis: Flux Scale", "W/m²"));
    r.AddDialog(ValueScale(IDD_Y_POWER_SCALE, "Y axis: Power Scale", "W"));
    r.AddDialog(ValueScale(IDD_Y_VENTILATION_SCALE, "Y axis: Ventilation Scale", "/h"));
    r.AddDialog(ValueScale(IDD_Y_CONDUCTIVITY_SCALE, "Y axis: Thermal Conductivity Scale", "W/(m.K)"));
    r.AddDialog(ValueScale(IDD_Y_SPECIFIC_HEAT_SCALE, "Y axis: Specific Heat Scale", "J/(kg.K)"));
    r.AddDialog(ValueScale(IDD_Y_TEMPERATURE_SCALE, "Y axis: Temperature Scale", "°C"));
    r.AddDialog(ValueScale(IDD_Y_SOLAR_REFLECTION_SCALE, "Y axis: Solar Reflection Factor Scale", ""));
    r.AddDialog(ValueScale(IDD_Y_HEAT_TRANSFER_SCALE, "Y axis: Surface Heat Transfer Coefficient Scale", "W/(m².K)"));
}

} // namespace gelmar

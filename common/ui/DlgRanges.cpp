// The Temperature Range and Heat Flux Range dialogs (see DlgRanges.h).
#include "common/ui/DlgRanges.h"

#include "platform/core/StringTable.h"
#include "platform/ui/MessageBox.h"

#include <cmath>

namespace common {

namespace {

platform::DialogTemplate RangeTemplate(UINT id, const char* caption, const char* quantity, const char* unit,
                                       bool single)
{
    using platform::Ctl;
    platform::DialogTemplate t{id, caption};
    const std::string minimum = std::string("&Minimum ") + quantity;
    const std::string maximum = std::string("Ma&ximum ") + quantity;
    struct Row {
        std::string label;
        UINT edit;
        const char* unit;
    };
    std::vector<Row> rows = {{minimum, IDC_RANGE_MIN, unit},
                             {maximum, IDC_RANGE_MAX, unit},
                             {"&First increment", IDC_RANGE_INC1, unit},
                             {"&Second increment\n(multiple of first increment)", IDC_RANGE_INC2, unit}};
    if (single)
        rows.push_back({"Single &value", IDC_RANGE_SINGLE, unit});
    int row = 0;
    for (const Row& r : rows) {
        t.controls.push_back({Ctl::Static, 0xFFFF, r.label, row, 0});
        t.controls.push_back({Ctl::Edit, r.edit, "", row, 1, 1, 1, ES_AUTOHSCROLL});
        t.controls.push_back({Ctl::Static, 0xFFFF, r.unit, row, 2});
        ++row;
    }
    t.controls.push_back({Ctl::DefPushButton, IDOK, "OK", 0, 3});
    t.controls.push_back({Ctl::PushButton, IDCANCEL, "Cancel", 1, 3});
    t.controls.push_back({Ctl::PushButton, IDC_RANGE_SET_AS_DEFAULT, "Set As Default", 2, 3});
    return t;
}

} // namespace

platform::DialogTemplate TemperatureRangeDialogTemplate()
{
    return RangeTemplate(IDD_TEMPERATURE_RANGE, "Temperature Range", "temperature", "\xC2\xB0" "C", true);
}

platform::DialogTemplate HeatFluxRangeDialogTemplate()
{
    return RangeTemplate(IDD_HEAT_FLUX_RANGE, "Heat Flux Range", "heat flux", "W/m\xC2\xB2", false);
}

void CDlgRange::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_RANGE_MIN, m_min);
    DDV_MinMaxFloat(pDX, m_min, m_lowest, 1e9f);
    DDX_Text(pDX, IDC_RANGE_MAX, m_max);
    DDV_MinMaxFloat(pDX, m_max, m_lowest, 1e9f);
    DDX_Text(pDX, IDC_RANGE_INC1, m_interval1);
    DDV_MinMaxFloat(pDX, m_interval1, 1e-9f, 1e9f);
    if (pDX->m_bSaveAndValidate &&
        std::fabs(static_cast<double>(m_max) - m_min) / m_interval1 > kMaxRangeIncrements) {
        std::string text = platform::LoadString(IDS_TOO_MANY_INCREMENTS);
        if (text.empty())
            text = "The first increment makes more than 10000 increments\nbetween the minimum and the maximum.";
        AfxMessageBox(text, MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    DDX_Text(pDX, IDC_RANGE_INC2, m_interval2);
    DDV_MinMaxFloat(pDX, m_interval2, 1e-9f, 1e9f);
}

void CDlgTemperatureRange::DoDataExchange(CDataExchange* pDX)
{
    CDlgRange::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_RANGE_SINGLE, m_single);
    DDV_MinMaxFloat(pDX, m_single, -1e9f, 1e9f);
}

} // namespace common

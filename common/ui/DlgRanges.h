// The scale ranges of the graphic outputs: CDlgTemperatureRange (dialog 151
// "Temperature Range": minimum and maximum temperature, first and second
// increment, single value) and CDlgHeatFluxRange (dialog 12002 "Heat Flux
// Range": minimum and maximum heat flux, first and second increment). A
// first increment that would make more than 10,000 increments between the
// minimum and the maximum is refused, since a picture of that many bands
// and lines does not finish; a minimum above the maximum is accepted. "Set
// As Default" also asks the caller to keep the values as the program's
// defaults; the dialog then ends as OK.
#pragma once
#include "common/ui/SetAsDefaultDialog.h"
#include "platform/ui/Resources.h"

namespace common {

enum : UINT {
    IDD_TEMPERATURE_RANGE = 151,
    IDD_HEAT_FLUX_RANGE = 12002,
    IDC_RANGE_MIN = 1071,
    IDC_RANGE_MAX = 1072,
    IDC_RANGE_INC1 = 1073,
    IDC_RANGE_INC2 = 1074,
    IDC_RANGE_SINGLE = 1075,
    IDC_RANGE_SET_AS_DEFAULT = IDC_SET_AS_DEFAULT_BUTTON,
    // The message of a first increment that makes too many increments.
    IDS_TOO_MANY_INCREMENTS = 12100,
};

// The most increments a range may have between its minimum and maximum.
constexpr double kMaxRangeIncrements = 10000.0;

platform::DialogTemplate TemperatureRangeDialogTemplate();
platform::DialogTemplate HeatFluxRangeDialogTemplate();

// What the two dialogs share: the four range fields and Set As Default.
class CDlgRange : public CSetAsDefaultDialog {
  public:
    CDlgRange(UINT nIDTemplate, float lowest, CWnd* pParent)
        : CSetAsDefaultDialog(nIDTemplate, pParent), m_lowest(lowest)
    {
    }

    float m_min = 0, m_max = 20, m_interval1 = 1, m_interval2 = 5;

    void DoDataExchange(CDataExchange* pDX) override;

  private:
    float m_lowest;
};

class CDlgTemperatureRange : public CDlgRange {
  public:
    explicit CDlgTemperatureRange(CWnd* pParent = nullptr) : CDlgRange(IDD_TEMPERATURE_RANGE, -1e9f, pParent) {}
    float m_single = 0;
    void DoDataExchange(CDataExchange* pDX) override;
};

class CDlgHeatFluxRange : public CDlgRange {
  public:
    explicit CDlgHeatFluxRange(CWnd* pParent = nullptr) : CDlgRange(IDD_HEAT_FLUX_RANGE, 0.0f, pParent)
    {
        m_max = 50;
    }
};

} // namespace common

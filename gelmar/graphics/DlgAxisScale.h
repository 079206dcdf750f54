// The axis-scale dialogs of the function graph: one for the time axis
// (values typed as dddd:hh:mm:ss with a sign, and the unit of the labels)
// and ten for the value axes of the quantities, each with the scope (fixed
// values or the function's own range) and the four values. The values can
// be typed only while "Fixed values" is chosen. The caller fills the
// members before DoModal and reads them after OK.
#pragma once
#include "common/ui/MaskedEdit.h"
#include "platform/ui/Dialog.h"

namespace gelmar {

// Enables the value controls while "Fixed values" is checked, whenever the
// dialog is idle and after each of its commands.
class CDlgScaleBase : public CDialog {
  public:
    using CDialog::CDialog;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    virtual bool IsValueControl(UINT id) const = 0;
};

// The ten dialogs of a value axis (all but the time dialog).
class CDlgAxisScale : public CDlgScaleBase {
  public:
    // Values of the dialogs 12015 and 12016 are limited to 0..90 and 0..1.
    CDlgAxisScale(UINT nIDTemplate, CWnd* pParent);
    void DoDataExchange(CDataExchange* pDX) override;

    int m_scope = -1; // 0 Fixed values, 1 Function scope
    float m_min = 0, m_max = 0, m_major = 0, m_minor = 0;

  protected:
    bool IsValueControl(UINT id) const override;

  private:
    bool m_limited = false;
    float m_low = 0, m_high = 0;
};

#define GELMAR_AXIS_SCALE_DIALOG(Class)                                                                      \
    class Class : public CDlgAxisScale {                                                                     \
      public:                                                                                                \
        explicit Class(CWnd* pParent = nullptr);                                                             \
    };
GELMAR_AXIS_SCALE_DIALOG(CDlgXTemperatureScale)
GELMAR_AXIS_SCALE_DIALOG(CDlgXAngleScale)
GELMAR_AXIS_SCALE_DIALOG(CDlgYFluxScale)
GELMAR_AXIS_SCALE_DIALOG(CDlgYPowerScale)
GELMAR_AXIS_SCALE_DIALOG(CDlgYVentilationScale)
GELMAR_AXIS_SCALE_DIALOG(CDlgYConductivityScale)
GELMAR_AXIS_SCALE_DIALOG(CDlgYSpecificHeatScale)
GELMAR_AXIS_SCALE_DIALOG(CDlgYTemperatureScale)
GELMAR_AXIS_SCALE_DIALOG(CDlgYSolarReflectionScale)
GELMAR_AXIS_SCALE_DIALOG(CDlgYHeatTransferScale)
#undef GELMAR_AXIS_SCALE_DIALOG

// The time dialog (171).
class CDlgXTimeScale : public CDlgScaleBase {
  public:
    explicit CDlgXTimeScale(CWnd* pParent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    int m_scope = -1;     // 0 Fixed values, 1 Function scope, 2 Calculation time
    int m_labelUnit = -1; // 0 seconds, 1 minutes, 2 hours, 3 days
    int m_minSign = -1, m_maxSign = -1; // 0 plus, 1 minus
    // Before DoModal the range and steps shown (s); after OK the values
    // typed, the minimum and maximum with their signs.
    double m_min = 0, m_max = 0, m_major = 0, m_minor = 0;

    common::COXMaskedEdit m_editMin, m_editMax, m_editMajor, m_editMinor;

  protected:
    bool IsValueControl(UINT id) const override;
};

} // namespace gelmar

// The Calculation Parameters dialog: the time axis, the iteration limits, the
// radiation model and the CEN recalculation of the model.
#pragma once
#include "common/ui/MaskedEdit.h"
#include "platform/ui/Dialog.h"

namespace gelmar {

struct Engine;
struct ModelStore;

// The refusal shown for a time step of zero.
inline constexpr const char* kTimeStepZero = "The time step must be greater than 0.";

// The durations are typed as days, hours, minutes and seconds
// (dddd:hh:mm:ss); empty positions read as "0".
inline constexpr const char* kDurationMask = "####:##:##:##";
inline constexpr char kDurationFill = '0';

class CCalcParamDlg : public CDialog {
  public:
    // The dialog edits the engine's model; Set As Default changes its
    // parameter defaults.
    explicit CCalcParamDlg(Engine& engine);
    // Fills the members from the model, and stores them back.
    void LoadFromModel();
    // True when a member differs from the model (floats compared exactly).
    bool DiffersFromModel() const;
    void StoreInModel() const;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    // The three durations, edited in masked fields, in seconds.
    common::COXMaskedEdit m_editTimeStep, m_editStartup, m_editCalc;
    long long m_timeStep = 0, m_startup = 0, m_calc = 0;
    int m_day0 = 1;
    int m_cycles = 1;
    int m_iterations = 1;
    float m_maxDeltaT = 0, m_maxObjectDivergence = 0, m_maxNodeDivergence = 0;
    int m_radiation = 0; // 0 linear, 1 non-linear
    float m_hrBlack = 0, m_minViewFactor = 0;
    int m_rays = 0;
    int m_cen = 0; // 0 yes, 1 no
    float m_airspaceDeltaT = 0;

  private:
    Engine& m_engine;

    void OnDayInfo();
    void OnSetAsDefault();
    void OnUpdateRadiation(CCmdUI* ui);
    void OnUpdateCen(CCmdUI* ui);
    void OnUpdateCycles(CCmdUI* ui);
};

} // namespace gelmar

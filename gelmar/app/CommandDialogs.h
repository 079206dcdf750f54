// The small modal dialogs through which the document and the table views ask
// for the parameters of one command. The caller fills the members before
// DoModal and reads them after OK; values out of range are refused by the
// data validation and keep the dialog open.
#pragma once
#include "platform/ui/Dialog.h"

#include <string>

namespace gelmar {

struct Engine;
struct ModelStore;

// The text of the model's grid unit: "mm", "cm", "dm" or "m".
std::string GridUnitText(const ModelStore& model);

class CDlgAutoSplit : public CDialog {
  public:
    // The unit labels show the engine's grid unit; Set As Default changes
    // its parameter defaults.
    explicit CDlgAutoSplit(Engine& engine);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;
    void OnSetAsDefault();
    int m_x = 1, m_y = 1, m_z = 1;
    float m_size = 5, m_distance = 1, m_ratio = 1.5f;

  private:
    Engine& m_engine;
};

class CDlgClrVoid : public CDialog {
  public:
    CDlgClrVoid();
    void DoDataExchange(CDataExchange* pDX) override;
    int m_colour = 0;
};

class CDlgDragMode : public CDialog {
  public:
    CDlgDragMode();
    void DoDataExchange(CDataExchange* pDX) override;
    int m_mode = 0;
};

class CDlgCavityEmissivities : public CDialog {
  public:
    CDlgCavityEmissivities();
    void DoDataExchange(CDataExchange* pDX) override;
    float m_e1 = 0.9f, m_e2 = 0.9f;
};

class CDlgGridUnit : public CDialog {
  public:
    // Set As Default changes the engine's parameter defaults.
    explicit CDlgGridUnit(Engine& engine);
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;
    void OnSetAsDefault();
    float m_unit = 1;

  private:
    Engine& m_engine;
};

class CDlgCreateMinGrid : public CDialog {
  public:
    // The axes are named as the model names them.
    explicit CDlgCreateMinGrid(const ModelStore& model);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    int m_x = 1, m_y = 1, m_z = 1;

  private:
    const ModelStore& m_model;
};

class CDlgNewColour : public CDialog {
  public:
    CDlgNewColour();
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    int m_oldColour = 0; // the focused block's colour
    int m_newColour = 0;
};

class CDlgOptimiseBlocks : public CDialog {
  public:
    CDlgOptimiseBlocks();
    void DoDataExchange(CDataExchange* pDX) override;
    int m_mode = 0; // 0 superposition, 1 juxtaposition
};

class CDlgReportFrequency : public CDialog {
  public:
    CDlgReportFrequency();
    void DoDataExchange(CDataExchange* pDX) override;
    int m_every = 1;
};

class CDlgRevolve : public CDialog {
  public:
    // Only the axes of the model with more than one interval can be chosen.
    explicit CDlgRevolve(const ModelStore& model);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;
    int m_axis = 0;                          // 0 X, 1 Y, 2 Z
    int m_xPos = -1, m_yPos = 0, m_zPos = 0; // per axis: 0 "-", 1 "+", -1 none

  private:
    const ModelStore& m_model;

    void OnAxis();
    void OnUpdateAxis(CCmdUI* ui);
    void OnUpdatePosition(CCmdUI* ui);
};

class CDlgSaveFrequency : public CDialog {
  public:
    CDlgSaveFrequency();
    void DoDataExchange(CDataExchange* pDX) override;
    int m_save = 1; // 0 Yes, 1 No
    int m_every = 1;
};

class CDlgSplitMeshes : public CDialog {
  public:
    // The unit label shows the model's grid unit.
    explicit CDlgSplitMeshes(const ModelStore& model);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;
    int m_count = 2;
    int m_method = 0; // 0 Geometric, 1 Maximum, 2 Border 1, 3 Border 2, 4 Border 1 & 2
    float m_ratio = 1.5f, m_width = 1;

  private:
    const ModelStore& m_model;

    void OnUpdateSecondGroup(CCmdUI* ui);
};

class CDlgSplitZones : public CDialog {
  public:
    CDlgSplitZones();
    void DoDataExchange(CDataExchange* pDX) override;
    int m_firstColour = 0;
};

class CDlgSolarData : public CDialog {
  public:
    CDlgSolarData();
    void DoDataExchange(CDataExchange* pDX) override;
    float m_rot1z = 0, m_rot2x = 0, m_rot3z = 0;
    float m_latitude = 0, m_longitude = 0, m_timeZone = 0, m_groundReflection = 0;
};

class CDlgTitle : public CDialog {
  public:
    CDlgTitle();
    void DoDataExchange(CDataExchange* pDX) override;
    std::string m_title;
};

class CDlgTransformCoordinates : public CDialog {
  public:
    // The unit label shows the model's grid unit.
    explicit CDlgTransformCoordinates(const ModelStore& model);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;
    int m_type = 0; // 0 translation, 1 rotation, 2 scaling
    float m_tx = 0, m_ty = 0, m_tz = 0;
    int m_axis = 0;  // 0 X, 1 Y, 2 Z
    int m_angle = 0; // 0 90°, 1 180°, 2 270°
    float m_sx = 1, m_sy = 1, m_sz = 1;

  private:
    const ModelStore& m_model;

    void OnType();
    void OnUpdateTypeControls(CCmdUI* ui);
};

} // namespace gelmar

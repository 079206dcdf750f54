// Gelmar's one document class. The model lives in the process-wide model
// store; the document reads a data file into it or builds an empty model,
// opens the first tables, writes the model back on Save, keeps the modified
// flag and writes the main window's caption. The model's menu commands are
// its members too (window, display, edit, dialog and calculation commands).
#pragma once
#include "gelmar/graphics/core/ViewKind.h"
#include "platform/ui/App.h"

#include <string>

namespace gelmar {

class CGelmarDoc : public CDocument {
  public:
    BOOL IsModified() override { return m_bModified; }
    void SetModifiedFlag(BOOL bModified = TRUE) override { m_bModified = bModified; }
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(const char* lpszPathName) override;
    BOOL OnSaveDocument(const char* lpszPathName) override;
    void SetPathName(const std::string& path, BOOL bAddToMRU = TRUE) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    // Modified by the user: a new document is modified from the start, but
    // asks about saving only once it has been edited.
    bool HasUnsavedEdits() { return IsModified() && !m_pristine; }
    // Every edit marks the document through this; the caption follows.
    void SetModified(BOOL modified);
    // "GELMAR - name.glm", with " *" while modified (nothing without a file).
    void UpdateMainTitle();
    std::string MainTitle();
    // Removes the temporary result files, frees the model, closes the
    // document and its windows; returns 1.
    int CloseModel();
    // The smallest model: one interval per axis and one block.
    void InitEmptyModel();
    void SetFocusToActiveView();
    // The status bar's document pane: information on the focused item of
    // the table linked to the 3D view, which that table sets as its focus
    // moves (empty while there is none).
    void SetStatusText(const std::string& text) { m_statusText = text; }
    const std::string& StatusText() const { return m_statusText; }

    // File commands; false when nothing was written (cancel or failure).
    bool Save();
    bool SaveAs();
    void OnFileClose();

    // Opens the function graph, or activates it when open.
    void OnFunctionGraph();

    // Calculation commands.
    void OnCalcSystem();
    void OnCalcViewFactors();
    void OnCalcSolarFluxes();
    void OnCalcParameters();

  private:
    bool m_pristine = false;
    std::string m_statusText;
    // Writes the model to the path and starts a new undo baseline.
    bool WriteModel(const std::string& path);

    // Windows.
    template <class TView> void Open();
    void OnImage();
    void OnGrid();
    void OnMinGrid();
    void OnColours();
    void OnControls();
    // 3D view state.
    void OnRotate();
    void OnPan();
    void OnZoomWindow();
    void OnZoomIn();
    void OnZoomOut();
    void OnZoomTotal();
    void OnPreviousView();
    void OnZoomNumbers();
    void OnUpdateMouseMode(CCmdUI* ui);
    void OnUpdateZoomOutTotal(CCmdUI* ui);
    void OnUpdatePreviousView(CCmdUI* ui);
    void OnUpdateZoomNumbers(CCmdUI* ui);
    void SetViewKind(ViewKind kind);
    void OnShowMaterials() { SetViewKind(ViewKind::Materials); }
    void OnShowTransparent() { SetViewKind(ViewKind::Transparent); }
    void OnShowBCs() { SetViewKind(ViewKind::BoundaryConditions); }
    void OnShowTemperatures() { SetViewKind(ViewKind::Temperatures); }
    void OnUpdateViewKind(CCmdUI* ui);
    void OnHideOutline();
    void OnUpdateHideOutline(CCmdUI* ui);
    void OnShowNorth();
    void OnUpdateShowNorth(CCmdUI* ui);
    void OnShowRcl();
    void OnUpdateShowRcl(CCmdUI* ui);
    void OnClipOff();
    void OnUpdateClipOff(CCmdUI* ui);
    // Undo.
    void OnUndo();
    void OnRedo();
    void OnUpdateUndo(CCmdUI* ui);
    void OnUpdateRedo(CCmdUI* ui);
    // Model dialogs.
    void OnTitle();
    void OnSaveFrequency();
    void OnReportFrequency();
    void OnSolarData();
    void OnRevolve();
    void OnUpdateRevolve(CCmdUI* ui);
    void OnReduceToClip();
    void OnUpdateReduceToClip(CCmdUI* ui);
    void OnConvertVoid();
    void OnUpdateConvertVoid(CCmdUI* ui);
    void OnUpdateStatusPane(CCmdUI* ui);
    // Calculation and output.
    void OnUpdateCalcSystem(CCmdUI* ui);
    void OnUpdateCalcViewFactors(CCmdUI* ui);
    void OnUpdateCalcSolarFluxes(CCmdUI* ui);
    void OnGraphicOutput();
    void OnUpdateGraphicOutput(CCmdUI* ui);
    void OnTextOutput();
    void OnTemperatureRange();
    void OnUpdateTemperatureRange(CCmdUI* ui);
    void OnFileSave() { Save(); }
    void OnFileSaveAs() { SaveAs(); }
    // Commands that belong to a table: run by that table when it is open.
    BOOL ForwardToTable(UINT nID, int nCode, CCmdUI* pCmdUI);
    void RecordBars();
    void RefreshAfterModelChange();
};

// True when the model has a clip range narrower than the whole model.
bool IsClipActive();

} // namespace gelmar

// The Colours table: one row per colour (all 256, those in use, or those
// defined) with its type, rule, name, pattern and the values its type uses,
// edited in place; clicks cycle the type and the rule, pick the display
// colour and the pattern and switch the solar flag. Commands load a material
// from the database, copy one colour's properties to another, set a
// cavity's two emissivities and split a colour into its zones. Every edit
// saves an undo record of kind 3.
#pragma once
#include "gelmar/app/GelmarTableView.h"

namespace gelmar {

struct ColourRecord;

class CColorView : public CGelmarTableView {
  public:
    enum ListMode { kListAll = 0, kListPresent = 1, kListDefined = 2 };

    void OnInitialUpdate() override;
    void OnSetFocus(CWnd* pOldWnd) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    void FillTable() override;
    void FormatCell(int row, int col) override;
    // Focus on the row of colour `colour` (or the next listed one).
    void GoToCell(int colour, int col) override;
    // The colour of a 1-based row (0 when there is none).
    int ColourFromRow(int row) const;
    int ListMode() const { return m_listMode; }
    void SetListMode(int mode);
    // The undo record of an edit of the focused cell, the modified flag, and
    // the results and the 3D view of the changed model.
    void RecordEdit();

  protected:
    void OnGridBeginEdit(int row, int col, UINT firstKey) override;
    void OnGridEndEdit(int row, int col, bool modified) override;
    // A value column takes a function reference of its letters or a number
    // in the quantity's range (a conductivity, density or specific heat is
    // positive; an emissivity or solar factor lies between 0 and 1).
    std::string CheckGridEntry(int row, int col, const std::string& text) override;
    void OnGridFocusChanged(int row, int col) override;

  private:
    bool IsListed(const ColourRecord& colour) const;
    void FormatRow(int row);
    void PickColour(int row, int colour);
    void PickPattern(int row, int colour);
    void ShowReferencedFunction();
    void FollowInBlocks();
    void OutlineFocusedColour();
    // Applies the surface rules after an edit; refills when they changed a colour.
    void ApplyRules(bool refillAlways);

    void OnEditCopy();
    void OnEditPaste();
    void OnLoadMaterial();
    void OnCopyRow();
    void OnPasteRow();
    void OnUpdatePasteRow(CCmdUI* ui);
    void OnCavityEmissivities();
    void OnUpdateCavityEmissivities(CCmdUI* ui);
    void OnSplitZones();
    void OnListAll() { SetListMode(kListAll); }
    void OnListPresent() { SetListMode(kListPresent); }
    void OnListDefined() { SetListMode(kListDefined); }
    void OnUpdateListMode(CCmdUI* ui);

    int m_listMode = kListPresent;
    int m_copiedRow = -1;
};

class CColorFrame : public CTableFrame {
  public:
    CColorFrame();
};

} // namespace gelmar

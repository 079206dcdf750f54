// CDlgPatterns: reads the fill patterns of "Patterns.pat" once and lets the
// user pick one from a square-ish grid that shows every pattern in its two
// colours. The chosen number (1 ... N) is set before and read after DoModal.
#pragma once
#include "common/core/PatternFile.h"
#include "common/ui/GridCtrl.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"

namespace common {

enum : UINT { IDD_PATTERNS = 12001, IDC_PATTERN_GRID = 12000 };

// The dialog template: the grid alone, or (withButtons) with a caption
// "Material Pattern" and OK and Cancel below the grid.
platform::DialogTemplate PatternsDialogTemplate(bool withButtons);

class CDlgPatterns : public CDialog {
  public:
    // Reads the pattern file of the program folder.
    explicit CDlgPatterns(CWnd* pParent = nullptr);
    // Reads the given pattern file instead.
    CDlgPatterns(const std::string& path, CWnd* pParent);

    BOOL LoadPatterns(const std::string& path);
    void ClearPatterns();
    const CPatternList& GetPatterns() const { return m_patterns; }
    int GetCount() const { return m_nPatterns; }
    int GetRows() const { return m_nRows; }
    int GetColumns() const { return m_nCols; }
    CGridCtrl& GetGrid() { return m_Grid; }

    int m_nPattern = 1; // the chosen pattern number

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  private:
    void ComputeShape();

    CPatternList m_patterns;
    int m_nPatterns = 0;
    int m_nRows = 0, m_nCols = 0, m_nFixRows = 0, m_nFixCols = 0;
    CCellID m_focus;
    CGridCtrl m_Grid;
};

} // namespace common

// CDlgMaterialDatabase: reads every material database ("*.qkm" in the
// Materials folder beside the program folder) once, when it is constructed,
// and lets the user walk from a database to a group and to a material, with
// the material's properties, fill pattern and comment shown. On OK the
// chosen material is copied into m_material.
#pragma once
#include "common/core/MaterialDatabase.h"
#include "common/ui/GridCtrl.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"

#include <string>
#include <vector>

namespace common {

class CDlgPatterns;
struct CPattern;

enum : UINT {
    IDD_MATERIAL_DATABASE = 135,
    IDC_MATERIAL_LIST = 1005,
    IDC_MATERIAL_PROPERTIES = 1006,
    IDC_MATERIAL_PREVIEW = 1007,
    IDC_MATERIAL_PROMPT = 1008,
    IDC_MATERIAL_DATABASE = 1009,
    IDC_MATERIAL_GROUP = 1010,
    IDC_MATERIAL_MATERIAL = 1011,
    IDC_MATERIAL_PHOTO = 1013,
    IDC_MATERIAL_COMMENT = 1015,
};

platform::DialogTemplate MaterialDatabaseDialogTemplate();

// The property list: a header row "Property" / "Value" and one row per
// property, inserted at a list position or at the end when the list is
// shorter, as list controls insert.
class CMaterialPropertyList : public CGridCtrl {
  public:
    CMaterialPropertyList();
    int InsertProperty(int position, const std::string& label, const std::string& value);
    void DeleteAllProperties();
    int GetPropertyCount() const { return GetRowCount() - 1; }
};

// The fill pattern of the chosen material, or white.
class CPatternPreview : public CWnd {
  public:
    void ShowPattern(const CPattern* pattern);
    void OnPaint() override;

  private:
    const CPattern* m_pattern = nullptr;
};

class CDlgMaterialDatabase : public CDialog {
  public:
    // mask: one bit per property row (0x4000 the pattern preview); language
    // 0 English, 1 Dutch, 2 French, 3 German. Reads the databases of the
    // Materials folder; when there is none it says that the program ends,
    // and its owner ends the program (GetDatabases() is then empty).
    CDlgMaterialDatabase(CDlgPatterns* pPatterns, UINT mask, int language, CWnd* pParent = nullptr);
    // Reads the databases matching searchPattern instead.
    CDlgMaterialDatabase(const std::string& searchPattern, CDlgPatterns* pPatterns, UINT mask, int language,
                         CWnd* pParent = nullptr);

    CMaterialRecord m_material; // the chosen material after IDOK

    const std::vector<CMaterialDatabaseRecord>& GetDatabases() const { return m_databases; }
    int GetLevel() const { return m_nLevel; }
    CMaterialPropertyList& GetPropertyList() { return m_listProperties; }

    void LoadDatabases(const std::string& searchPattern);
    void SetPromptText(int level);
    void OnSelchangeMaterial();
    void ClearPreview();
    void OnDatabase();
    void OnGroup();
    void OnMaterial();

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  private:
    CListBox* List() const;
    void ShowMaterial(const CMaterialRecord& m);
    void SetComment(const std::string& text, BOOL enable);

    CPatternPreview m_preview;
    CMaterialPropertyList m_listProperties;
    int m_nLevel = -1;
    int m_nFontSize = 90;
    CDlgPatterns* m_pPatterns;
    int m_nDatabasePos = 0, m_nGroupPos = 0;
    int m_nDatabase = 0, m_nGroup = 0;
    CFont m_font;
    UINT m_nMask;
    int m_nLanguage;
    std::vector<CMaterialDatabaseRecord> m_databases;
};

} // namespace common

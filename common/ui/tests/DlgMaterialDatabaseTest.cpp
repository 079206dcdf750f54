// The material database dialog: walking from database to group to
// material, the property rows of the mask in list order, the preview and
// the copy of the chosen material.
#include "common/ui/DlgMaterialDatabase.h"

#include "common/ui/DlgPatterns.h"
#include "platform/ui/TestHook.h"

#include <QDir>
#include <fstream>
#include <gtest/gtest.h>

using namespace common;

namespace {

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// Two databases; "b.qkm" has a group declared after its materials.
std::string MakeDatabases(const std::string& dir)
{
    QDir().mkpath(QString::fromStdString(dir));
    WriteFile(dir + "/a.qkm", "[GENERAL]\r\nCOMMENT=First\r\n[G1]\r\nNE=Stones\r\n");
    WriteFile(dir + "/b.qkm", "[GENERAL]\r\nCOMMENT=Second\r\n"
                              "[BRICK]\r\nGROUP=G2\r\nNE=Brick\r\nLA=0.9\r\nRO=1800\r\nCE=840\r\nKT=0.1\r\n"
                              "KR=0.3\r\nPA=2\r\nE1=0.85\r\nC2=second line\r\nC0=first line\r\n"
                              "[WOOD]\r\nGROUP=G2\r\nNE=Wood\r\nNF=Bois\r\nLA=0.13\r\n"
                              "[G2]\r\nNE=Masonry\r\n");
    return dir + "/*.qkm";
}

std::vector<std::string> Labels(CMaterialPropertyList& list)
{
    std::vector<std::string> labels;
    for (int r = 1; r < list.GetRowCount(); ++r)
        labels.push_back(list.GetItemText(r, 0) + "=" + list.GetItemText(r, 1));
    return labels;
}

} // namespace

TEST(DlgMaterialDatabase, WalksToAMaterialAndCopiesIt)
{
    platform::Resources::Get().AddDialog(MaterialDatabaseDialogTemplate());
    platform::TestHook::Get().Enable();
    CDlgMaterialDatabase dlg(MakeDatabases("mdb-walk"), nullptr, 0x6819, 0);
    ASSERT_EQ(dlg.GetDatabases().size(), 2u);
    platform::TestHook::Get().PushDialogScript([](CDialog& d) {
        auto& m = static_cast<CDlgMaterialDatabase&>(d);
        auto* list = static_cast<CListBox*>(m.GetDlgItem(IDC_MATERIAL_LIST));
        ASSERT_EQ(list->GetCount(), 2);
        EXPECT_EQ(list->GetText(1), "b.qkm");
        EXPECT_EQ(list->GetCurSel(), -1);
        m.ClickButton(IDOK); // nothing selected: nothing happens
        EXPECT_EQ(m.GetLevel(), 0);
        list->SetCurSel(1);
        m.OnSelchangeMaterial();
        EXPECT_EQ(m.GetDlgItemText(IDC_MATERIAL_COMMENT), "Second");
        m.ClickButton(IDOK);
        EXPECT_EQ(m.GetLevel(), 1);
        ASSERT_EQ(list->GetCount(), 1);
        EXPECT_EQ(list->GetText(0), "Masonry");
        m.ClickButton(IDOK);
        EXPECT_EQ(m.GetLevel(), 2);
        ASSERT_EQ(list->GetCount(), 2);
        EXPECT_EQ(list->GetText(0), "Brick");
        // Mask 0x6819 in table order, the pattern instead of a row.
        EXPECT_EQ(Labels(m.GetPropertyList()),
                  (std::vector<std::string>{"λ [W/mK]=0.900", "ρ [kg/m3]=1800.000", "c [J/kgK]=840.000",
                                            "τs [-]=0.10", "ρs [-]=0.30"}));
        EXPECT_EQ(m.GetDlgItemText(IDC_MATERIAL_COMMENT), "second line\nfirst line\n");
        list->SetCurSel(1);
        m.OnSelchangeMaterial();
        m.ClickButton(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_material.name, "Wood");
    EXPECT_FLOAT_EQ(dlg.m_material.la, 0.13f);
}

TEST(DlgMaterialDatabase, PositionElevenRowsAndOptionalRows)
{
    platform::Resources::Get().AddDialog(MaterialDatabaseDialogTemplate());
    platform::TestHook::Get().Enable();
    CDlgMaterialDatabase dlg(MakeDatabases("mdb-rows"), nullptr, 0xBFFF, 3);
    platform::TestHook::Get().PushDialogScript([](CDialog& d) {
        auto& m = static_cast<CDlgMaterialDatabase&>(d);
        auto* list = static_cast<CListBox*>(m.GetDlgItem(IDC_MATERIAL_LIST));
        list->SetCurSel(1);
        m.ClickButton(IDOK);
        m.ClickButton(IDOK);
        const auto labels = Labels(m.GetPropertyList());
        // 14 rows, the three of position 11 in reverse; of the optional
        // rows only E1 is present, and it goes in at position 12.
        ASSERT_EQ(labels.size(), 15u);
        EXPECT_EQ(labels[11], "ρs [-]=0.30");
        EXPECT_EQ(labels[12], "ε1 [-]=0.85");
        EXPECT_EQ(labels[13], "αs [-]=0.00");
        EXPECT_EQ(labels[14], "τs [-]=0.10");
        // Language 3 without a German name shows the English one.
        EXPECT_EQ(list->GetText(0), "Brick");
        // Back to the databases by the radio button.
        m.ClickButton(IDC_MATERIAL_DATABASE);
        EXPECT_EQ(m.GetLevel(), 0);
        EXPECT_EQ(m.GetPropertyList().GetPropertyCount(), 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(DlgMaterialDatabase, NoDatabaseSaysTheProgramEndsAndLeavesItToTheOwner)
{
    platform::TestHook::Get().Reset();
    platform::TestHook::Get().Enable();
    CDlgMaterialDatabase dlg("nowhere/*.qkm", nullptr, 0x4001, 0);
    EXPECT_TRUE(dlg.GetDatabases().empty());
    const auto& shown = platform::TestHook::Get().Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text.rfind("Material database not found.\nProgram exiting.\n", 0), 0u);
    EXPECT_EQ(shown[0].style & MB_ICONSTOP, UINT(MB_ICONSTOP));
    platform::TestHook::Get().Reset();
}

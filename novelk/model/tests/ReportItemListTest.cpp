// The report item list: its records for a model without report flags, psi
// against the surplus transmittance in 2D and 3D, the element U without an
// area, an undefined temperature factor, and the file beside the data file.
#include "novelk/model/reports/ReportItemList.h"

#include "ReportFixture.h"
#include "novelk/model/areas/Areas.h"
#include "novelk/model/reports/DerivedFigures.h"

namespace novelk::test {
namespace {

class ReportItemListTest : public ReportTest {
  protected:
    // Inside air 20 °C (h 7.7) | 0.2 m of material | outside air 0 °C
    // (h 25), one cell along Y of 1 m (2D); calculated by hand: Q = 12.5 W.
    // A1 the inner face of the material (1 m²), U1 enforced 0.5.
    void Build(std::vector<float> y = {1000}, std::vector<float> z = {1000})
    {
        model.dataFilePath = "wall.nvk";
        model.gridUnit = 0.001f;
        SetGrid({10, 200, 10}, y, z);
        SetColour(1, MATERIAL, 0.9f);
        SetColour(2, BC_SIMPL, 1.0f, 20.0f, 7.7f);
        SetColour(3, BC_SIMPL, 1.0f, 0.0f, 25.0f);
        AddBlock(2, 0, 1, 0, 1, 0, 1);
        AddBlock(1, 1, 2, 0, 1, 0, 1);
        AddBlock(3, 2, 3, 0, 1, 0, 1);
        run.resultsLoaded = true;
        run.unknowns = 8;
        model.colours[2].flowIn = 12.5f;
        model.colours[3].flowOut = 12.5f;
        model.colours[2].lowestTemperature = 15.5f;
        model.elements[0] = AreaRecord{0, 3, 0, 0, 0, 0};
        model.elements[0].enforced = 0.5;
        model.areas[0] = AreaRecord{1, 1, 0, 1, 0, 1};
        RefreshAreasAndUValues(model);
    }
    std::vector<std::string> Records(int imageType = 0)
    {
        const std::string text = ReportItemListText(model, run, imageType);
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(text.substr(start, end - start));
        EXPECT_EQ(start, text.size()); // every record ends its line
        return lines;
    }
    static std::vector<std::string> TextFiles()
    {
        return {"TDAT wall_DAT.txt", "TRES wall_RES.txt", "TCOR wall_COR.txt", "TNOT wall_NOT.txt",
                "TVFC wall_VFC.txt", "TMAT wall_MAT.txt", "TBOC wall_BOC.txt"};
    }
    static std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts)
    {
        std::vector<std::string> all;
        for (const auto& p : parts)
            all.insert(all.end(), p.begin(), p.end());
        return all;
    }
};

TEST_F(ReportItemListTest, WithoutReportFlags)
{
    Build();
    model.report.graphicReport[0].flags = kReportCreate | kReportObjectLines;
    model.report.graphicReport[2].flags = kReportCreate;
    model.report.graphicReport[3].flags = kReportObjectLines; // not included
    const std::vector<std::string> tail = {
        "",      "VFIL wall.nvk", "VNOD 8", "VTFC ", "VPSI ", "VDEL ", "VUEQ ",
        "VUEL ", "VUF1 ",         "VAF1 ",  "VUF2 ", "VAF2 ", "VUF3 ", "VAF3 ",
    };
    EXPECT_EQ(Records(), Join({{"GRA1 wall1.png", "GRA3 wall3.png", ""}, TextFiles(), tail}));
    // The image type of the GRA records follows the working setting.
    EXPECT_EQ(Records(1), Join({{"GRA1 wall1.bmp", "GRA3 wall3.bmp", ""}, TextFiles(), tail}));
}

TEST_F(ReportItemListTest, PsiIn2DAndSurplusTransmittanceIn3D)
{
    struct Case {
        const char* what;
        std::vector<float> y, z;
        const char* psi;
        const char* deltaL;
        const char* area;
    } cases[] = {
        // Q/(ti-te) = 0.625 W/K; minus U1 A1 = 0.5 W/K over l = 1 m.
        {"one cell along Y", {1000}, {1000}, "VPSI 0.125", "VDEL ", "VAF1 1"},
        // Two cells along Y and Z: A1 = 0.25 m², dL = 0.625 - 0.125.
        {"two cells along Y and Z", {500, 500}, {500, 500}, "VPSI ", "VDEL 0.500", "VAF1 0.25"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetModel(model, defaults);
        Build(c.y, c.z);
        model.report.transmittanceP = 1;
        EXPECT_EQ(Records(),
                  Join({{""},
                        TextFiles(),
                        {"TPSI wall_PSI.txt", "", "VFIL wall.nvk", "VNOD 8", "VTFC ", c.psi, c.deltaL,
                         "VUEQ ", "VUEL ", "VUF1 0.500", c.area, "VUF2 ", "VAF2 ", "VUF3 ", "VAF3 "}}));
    }
}

TEST_F(ReportItemListTest, ElementUAndTemperatureFactor)
{
    Build();
    model.report.elementU = 1;
    model.report.temperatureFactor = 1;
    model.report.transmittanceQ = 1;
    // U of the element: Q/(ti-te)/A1; f = 15.5/20; Ueq alike.
    EXPECT_EQ(Records(), Join({{""},
                               TextFiles(),
                               {"TTFC wall_TFC.txt", "TPSI wall_PSI.txt", "TUEL wall_UEL.txt", "",
                                "VFIL wall.nvk", "VNOD 8", "VTFC 0.775", "VPSI ", "VDEL ", "VUEQ 0.625",
                                "VUEL 0.625", "VUF1 0.500", "VAF1 1", "VUF2 ", "VAF2 ", "VUF3 ", "VAF3 "}}));
    // Without A1 no VUEL record at all, and no transmittance records.
    model.areas[0] = AreaRecord{};
    ComputeAreas(model);
    // With both environments at 20 °C the factor is undefined: empty.
    model.colours[3].temperature = 20.0f;
    EXPECT_EQ(Records(),
              Join({{""},
                    TextFiles(),
                    {"TTFC wall_TFC.txt", "TPSI wall_PSI.txt", "TUEL wall_UEL.txt", "", "VFIL wall.nvk",
                     "VNOD 8", "VTFC ", "VUF1 0.500", "VAF1 ", "VUF2 ", "VAF2 ", "VUF3 ", "VAF3 "}}));
}

TEST_F(ReportItemListTest, FileBesideTheDataFile)
{
    Build();
    model.dataFilePath = "walls.v1/wall";
    std::filesystem::create_directories("walls.v1");
    ASSERT_TRUE(WriteReportDefinition(model, run, 0));
    const std::string bytes = ReadBytes("walls.v1/wall.nvr");
    EXPECT_EQ(bytes.rfind("\r\nTDAT wall_DAT.txt\r\n", 0), 0u);
    EXPECT_EQ(bytes.substr(bytes.size() - 7), "VAF3 \r\n");
    model.dataFilePath.clear();
    EXPECT_FALSE(WriteReportDefinition(model, run, 0));
}

} // namespace
} // namespace novelk::test

// The graphic output window in the running program on a calculated wall:
// the enable and check rules of its commands, section selection, the walk
// through the saved time steps, Play ended by Esc, section zoom and pan,
// Save Image read back against the picture engine, Save Animation Images,
// an AVI file read back by ffprobe, printing to PDF, and a bitmap too large
// to make.
#include "gelmar/graphics/GraphicOutputDlg.h"

#include "gelmar/graphics/GraphView.h"
#include "common/core/ErrorCode.h"
#include "common/testing/TestFiles.h"
#include "common/ui/DlgImageSize.h"
#include "common/ui/DlgRanges.h"
#include "common/ui/SetAsDefaultDialog.h"
#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/tests/AppFixture.h"
#include "gelmar/graphics/core/GraphicOutputRules.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/ui/TestHook.h"
#include "resources/gelmar/GelmarIds.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTimer>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>

namespace gelmar::test {
namespace {

namespace fs = std::filesystem;

// A menu item of the window after its popup opened (its update handler ran).
QAction* Item(CGraphicOutputDlg& dlg, UINT id)
{
    for (QAction* top : dlg.GetMenuBar()->actions()) {
        QMenu* menu = top->menu();
        if (!menu)
            continue;
        emit menu->aboutToShow();
        for (QAction* a : menu->actions())
            if (a->data().toUInt() == id)
                return a;
    }
    return nullptr;
}

class GraphicOutputTest : public AppFixture {
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        PrepareProgramFolder(true);
        ASSERT_TRUE(Start({CopyWall("wall.glm")}));
        g_graphicOutput = GraphicOutputSettings{};
    }
    // Calculates the wall, every step saved.
    void Calculate(int duration, int step = 600, int frequency = 1)
    {
        TheEngine().model.calcDuration = duration;
        TheEngine().model.timeStep = step;
        TheEngine().model.saveResults = 1;
        TheEngine().model.saveFrequency = frequency;
        ASSERT_TRUE(Main()->ExecuteCommand(ID_CALC_SYSTEM));
        ASSERT_TRUE(TheEngine().run.solutionValid);
    }
    // Opens the window and runs the script in it.
    void Open(const std::function<void(CGraphicOutputDlg&)>& script)
    {
        bool ran = false;
        platform::TestHook::Get().PushDialogScript([&](CDialog& d) {
            auto& dlg = static_cast<CGraphicOutputDlg&>(d);
            ran = true;
            script(dlg);
            if (!dlg.IsEnded())
                dlg.EndDialog(IDCANCEL);
        });
        Main()->ExecuteCommand(ID_GRAPHIC_OUTPUT);
        EXPECT_TRUE(ran);
    }
    static void Command(CGraphicOutputDlg& dlg, UINT id) { dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
};

TEST_F(GraphicOutputTest, TheCommandsFollowTheirEnableAndCheckRules)
{
    Calculate(1800);
    struct Case {
        const char* state;
        UINT id;
        bool enabled;
        int checked; // -1: not looked at
    };
    const Case cases[] = {
        {"perspective", ID_GRAPHIC_PERSPECTIVE, false, 1},
        {"perspective", ID_GRAPHIC_SECTION_XMIN, true, 0},
        {"perspective", ID_GRAPHIC_FILL_PATTERNS, false, 0},
        {"perspective", ID_GRAPHIC_FILL_BCS, true, -1},
        {"perspective", ID_GRAPHIC_ROTATE, true, 1},
        {"perspective", ID_GRAPHIC_PAN, false, 0},
        {"perspective", ID_GRAPHIC_ZOOM_TOTAL, false, -1},
        {"perspective", ID_GRAPHIC_ISOFLUX_LINES, true, 0},
        {"perspective", ID_GRAPHIC_FILL_TEMPERATURES, true, -1},
        {"perspective", ID_GRAPHIC_CLIP_OFF, false, 1},
        {"perspective", ID_GRAPHIC_PROFILE, false, 0},
        {"section", ID_GRAPHIC_PERSPECTIVE, true, 0},
        {"section", ID_GRAPHIC_SECTION_XMIN, false, 1},
        {"section", ID_GRAPHIC_SECTION_XMIN + 1, true, 0},
        {"section", ID_GRAPHIC_FILL_PATTERNS, true, -1},
        {"section", ID_GRAPHIC_FILL_BCS, false, -1},
        {"section", ID_GRAPHIC_ROTATE, false, 0},
        {"section", ID_GRAPHIC_PAN, true, 0},
        {"section", ID_GRAPHIC_ZOOM_WINDOW, true, 1},
        {"section", ID_GRAPHIC_ZOOM_TOTAL, false, -1},
        {"section", ID_GRAPHIC_ISOFLUX_LINES, false, -1},
        {"sun", ID_GRAPHIC_SECTION_XMIN, false, 0},
        {"sun", ID_GRAPHIC_FILL_MATERIALS, false, -1},
        {"sun", ID_GRAPHIC_ZOOM_WINDOW, false, -1},
        {"sun", ID_GRAPHIC_SUN_POSITION, true, 1},
        {"sun", ID_GRAPHIC_TEMPERATURE_RANGE, false, -1},
        {"profile", ID_GRAPHIC_PROFILE, true, 1},
        {"profile", ID_GRAPHIC_LEGEND, false, 0},
        {"profile", ID_GRAPHIC_TEMPERATURE_RANGE, true, -1},
        {"profile", ID_GRAPHIC_HEAT_FLUX_RANGE, false, -1},
        {"profile", ID_GRAPHIC_SECTION_XMIN, false, -1},
        {"profile", ID_GRAPHIC_SAVE_IMAGE, false, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.state) + " " + std::to_string(c.id));
        g_graphicOutput = GraphicOutputSettings{};
        Open([&](CGraphicOutputDlg& dlg) {
            const std::string state = c.state;
            if (state == "section")
                Command(dlg, ID_GRAPHIC_SECTION_XMIN);
            if (state == "sun")
                Command(dlg, ID_GRAPHIC_SUN_POSITION);
            if (state == "profile") {
                dlg.ThePicture().profileLine.a = {0, 0, 0};
                dlg.ThePicture().profileLine.b = {TheEngine().model.axes[0].n, 0, 0};
                Command(dlg, ID_GRAPHIC_PROFILE);
            }
            QAction* item = Item(dlg, c.id);
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(item->isEnabled(), c.enabled);
            if (c.checked >= 0) {
                EXPECT_EQ(item->isChecked(), c.checked == 1);
            }
        });
    }
}

TEST_F(GraphicOutputTest, SectionsSwitchAFillTheyCannotShowAndOpeningReturnsToThePerspective)
{
    Calculate(1200);
    g_graphicOutput.display.fill = FillMode::Patterns;
    Open([&](CGraphicOutputDlg& dlg) {
        // Patterns from an earlier section view: the perspective with Materials.
        EXPECT_EQ(dlg.Projection(), 0);
        EXPECT_EQ(dlg.ThePicture().settings.fill, FillMode::Materials);
        Command(dlg, ID_GRAPHIC_FILL_BCS);
        Command(dlg, ID_GRAPHIC_SECTION_XMIN + 4);
        EXPECT_EQ(dlg.Projection(), 5);
        EXPECT_EQ(dlg.ThePicture().settings.fill, FillMode::Off);
        EXPECT_EQ(dlg.MouseMode(), 1);
        Command(dlg, ID_GRAPHIC_FILL_TEMPERATURES);
        Command(dlg, ID_GRAPHIC_SECTION_XMIN);
        EXPECT_EQ(dlg.ThePicture().settings.fill, FillMode::Temperatures);
        Command(dlg, ID_GRAPHIC_PERSPECTIVE);
        EXPECT_EQ(dlg.Projection(), 0);
        EXPECT_EQ(dlg.MouseMode(), 0);
        // Sun Position from a section: the perspective at the total view.
        Command(dlg, ID_GRAPHIC_SECTION_XMIN + 2);
        Command(dlg, ID_GRAPHIC_SUN_POSITION);
        EXPECT_EQ(dlg.Projection(), 0);
    });
    // The settings outlive the window, the projection does not.
    EXPECT_EQ(g_graphicOutput.display.fill, FillMode::Temperatures);
    EXPECT_TRUE(g_graphicOutput.display.sunPosition);
}

TEST_F(GraphicOutputTest, TheTimeStepsWalkTheSavedResults)
{
    // End 2000 with an interval of 600: saved results at 0, 600, 1200, 1800.
    Calculate(2000);
    struct Case {
        int from;
        UINT id;
        int to;
    } cases[] = {
        {0, ID_GRAPHIC_NEXT_STEP, 600},     {1200, ID_GRAPHIC_NEXT_STEP, 1800},
        {1800, ID_GRAPHIC_NEXT_STEP, 0},    {0, ID_GRAPHIC_PREVIOUS_STEP, 1800},
        {600, ID_GRAPHIC_PREVIOUS_STEP, 0}, {1200, ID_GRAPHIC_FIRST_STEP, 0},
    };
    Open([&](CGraphicOutputDlg& dlg) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(c.from) + " " + std::to_string(c.id));
            TheEngine().run.calcTime = c.from;
            Command(dlg, c.id);
            EXPECT_EQ(TheEngine().run.calcTime, c.to);
            EXPECT_TRUE(TheEngine().run.solutionValid);
        }
        // No saved results to walk: Next and Previous stay.
        TheEngine().model.saveFrequency = 0;
        TheEngine().run.calcTime = 600;
        Command(dlg, ID_GRAPHIC_NEXT_STEP);
        Command(dlg, ID_GRAPHIC_PREVIOUS_STEP);
        Command(dlg, ID_GRAPHIC_PLAY);
        EXPECT_EQ(TheEngine().run.calcTime, 600);
        TheEngine().model.saveFrequency = 1;
        TheEngine().model.timeStep = 0;
        Command(dlg, ID_GRAPHIC_PREVIOUS_STEP);
        EXPECT_EQ(TheEngine().run.calcTime, 600);
        TheEngine().model.timeStep = 600;
    });
}

TEST_F(GraphicOutputTest, EscDuringPlayStopsAfterTheFrameAndLeavesTheWindowOpen)
{
    Calculate(1800);
    Open([&](CGraphicOutputDlg& dlg) {
        const int before = dlg.PicturesDrawn();
        // Esc arrives while Play draws (the host pumps events while it polls).
        QTimer::singleShot(400, [&] {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(dlg.GetWidget(), &press);
        });
        Command(dlg, ID_GRAPHIC_PLAY);
        EXPECT_FALSE(dlg.Looping());
        EXPECT_GT(dlg.PicturesDrawn() - before, 1);
        EXPECT_FALSE(dlg.IsEnded());
        EXPECT_EQ(TheEngine().run.calcTime % 600, 0);
        // The Esc that ended Play is spent: the next picture is drawn whole.
        Command(dlg, ID_GRAPHIC_NEXT_STEP);
        EXPECT_FALSE(dlg.StopFlag());
        // Esc with nothing drawn clears the stop flag and keeps the window.
        dlg.OnCancel();
        EXPECT_FALSE(dlg.StopFlag());
        EXPECT_FALSE(dlg.IsEnded());
    });
}

TEST_F(GraphicOutputTest, SectionZoomAndPanByMouseAndKeys)
{
    Calculate(600);
    Open([&](CGraphicOutputDlg& dlg) {
        Command(dlg, ID_GRAPHIC_SECTION_XMIN + 4);
        const kernels::SectionWindow full = dlg.ThePicture().sectionView.Current();
        const CRect pane = dlg.PicturePaneRect();
        ASSERT_GT(pane.Width(), 40);
        // A click without movement changes nothing.
        dlg.PaneLButtonDown(CPoint(20, 20));
        dlg.PaneLButtonUp(CPoint(20, 20));
        EXPECT_EQ(dlg.ThePicture().sectionView.Current(), full);
        // A zoom rectangle dragged beyond the pane is clamped to it: from the
        // centre to the last pixel of the pane, a quarter of what is shown.
        const double s0 = dlg.ThePicture().sectionView.Transform(pane.Width(), pane.Height()).scale;
        const CPoint centre((pane.left + pane.right) / 2, (pane.top + pane.bottom) / 2);
        dlg.PaneLButtonDown(centre);
        dlg.PaneMouseMove(CPoint(pane.right + 500, pane.bottom + 500));
        dlg.PaneLButtonUp(CPoint(pane.right + 500, pane.bottom + 500));
        const kernels::SectionWindow zoomed = dlg.ThePicture().sectionView.Current();
        EXPECT_NEAR(zoomed.umax - zoomed.umin, (pane.right - 1 - centre.x) / s0, 2 / s0);
        EXPECT_NEAR(zoomed.vmax - zoomed.vmin, (pane.bottom - 1 - centre.y) / s0, 2 / s0);
        // Pan by the arrow keys: by an eighth of the smaller pane side.
        Command(dlg, ID_GRAPHIC_PAN);
        const kernels::SectionWindow before = dlg.ThePicture().sectionView.Current();
        Command(dlg, ID_GRAPHIC_KEY_LEFT);
        const kernels::SectionWindow after = dlg.ThePicture().sectionView.Current();
        const double scale = dlg.ThePicture().sectionView.Transform(pane.Width(), pane.Height()).scale;
        const double d = std::min(pane.Width(), pane.Height()) / 8 / scale;
        EXPECT_NEAR(after.umin - before.umin, d, 1e-3 * d + 1e-6);
        EXPECT_NEAR(after.umax - before.umax, d, 1e-3 * d + 1e-6);
        EXPECT_EQ(after.vmin, before.vmin);
        Command(dlg, ID_GRAPHIC_PREVIOUS_VIEW);
        EXPECT_EQ(dlg.ThePicture().sectionView.Current(), before);
        Command(dlg, ID_GRAPHIC_ZOOM_TOTAL);
        EXPECT_EQ(dlg.ThePicture().sectionView.Current(), full);
    });
}

TEST_F(GraphicOutputTest, TheWheelZoomsAtThePointerAndTheReadoutShowsTheTemperatureUnderIt)
{
    Calculate(600);
    g_graphicOutput.display.fill = FillMode::Temperatures;
    Open([&](CGraphicOutputDlg& dlg) {
        Command(dlg, ID_GRAPHIC_SECTION_XMIN + 4);
        dlg.Refresh();
        const CRect pane = dlg.PicturePaneRect();
        const kernels::SectionWindow full = dlg.ThePicture().sectionView.Current();
        const CPoint centre((pane.left + pane.right) / 2, (pane.top + pane.bottom) / 2);
        CPoint screen = centre;
        dlg.Pane().ClientToScreen(&screen);
        // Deltas below a notch do nothing; a notch in halves the window, one
        // out doubles it again.
        dlg.PaneMouseWheel(60, screen);
        EXPECT_EQ(dlg.ThePicture().sectionView.Current(), full);
        dlg.PaneMouseWheel(120, screen);
        const kernels::SectionWindow in = dlg.ThePicture().sectionView.Current();
        EXPECT_NEAR(in.umax - in.umin, (full.umax - full.umin) / 2, 1e-4);
        dlg.PaneMouseWheel(-120, screen);
        const kernels::SectionWindow out = dlg.ThePicture().sectionView.Current();
        EXPECT_NEAR(out.umax - out.umin, full.umax - full.umin, 1e-4);
        // The idle read-out under the pointer: a temperature in the range.
        Command(dlg, ID_GRAPHIC_ZOOM_TOTAL);
        dlg.Refresh();
        dlg.PaneMouseMove(centre);
        dlg.SendMessage(WM_KICKIDLE);
        const std::string text = dlg.StatusBar().GetPaneText(0);
        EXPECT_NE(text.find("\xC2\xB0" "C"), std::string::npos) << text;
        const double value = std::atof(text.c_str());
        EXPECT_GE(value, TheEngine().model.tmin - 50.0);
        EXPECT_LE(value, TheEngine().model.tmax + 50.0);
    });
}

TEST_F(GraphicOutputTest, RotationRunsUntilEscInStepsOfFiveDegrees)
{
    Calculate(600);
    // Esc after some pictures.
    class EscAfter : public NullEngineHost {
      public:
        bool EscPressed() override { return ++polls > 400; }
        int polls = 0;
    } host;
    Open([&](CGraphicOutputDlg& dlg) {
        const float before = TheEngine().model.viewAzimuth;
        SetHost(&host);
        Command(dlg, ID_GRAPHIC_ROTATE_LEFT + 1);
        SetHost(&TheAppHost());
        const float turned = std::fmod(TheEngine().model.viewAzimuth - before + 720.0f, 360.0f);
        EXPECT_NE(TheEngine().model.viewAzimuth, before);
        EXPECT_NEAR(std::fmod(turned + 0.01f, 5.0f), 0.01f, 0.02f);
        EXPECT_GT(dlg.PicturesDrawn(), 1);
        EXPECT_FALSE(dlg.IsEnded());
    });
}

TEST_F(GraphicOutputTest, ImageSizeAndTemperatureRangeSetAsDefaultWriteTheKeys)
{
    Calculate(600);
    Open([&](CGraphicOutputDlg& dlg) {
        platform::TestHook::Get().PushDialogScript([](CDialog& d) {
            d.SetDlgItemText(common::IDC_IMAGE_WIDTH, "640");
            d.SetDlgItemText(common::IDC_IMAGE_HEIGHT, "480");
            d.SetDlgItemText(common::IDC_IMAGE_FONT_SIZE, "14");
            d.SendMessage(WM_COMMAND, MAKEWPARAM(common::IDC_SET_AS_DEFAULT_BUTTON, BN_CLICKED), 0);
        });
        Command(dlg, ID_GRAPHIC_IMAGE_SIZE);
        platform::TestHook::Get().PushDialogScript([](CDialog& d) {
            d.SetDlgItemText(common::IDC_RANGE_MIN, "-5");
            d.SetDlgItemText(common::IDC_RANGE_MAX, "25");
            d.SendMessage(WM_COMMAND, MAKEWPARAM(common::IDC_SET_AS_DEFAULT_BUTTON, BN_CLICKED), 0);
        });
        Command(dlg, ID_GRAPHIC_TEMPERATURE_RANGE);
        EXPECT_EQ(dlg.ThePicture().settings.temperature.lower, -5.0f);
        EXPECT_EQ(dlg.ThePicture().settings.temperature.upper, 25.0f);
    });
    EXPECT_EQ(TheEngine().output.imgw, 640);
    EXPECT_EQ(TheEngine().output.imgh, 480);
    EXPECT_EQ(TheEngine().output.imgf, 14);
    EXPECT_EQ(TheEngine().parameters.imgw, 640);
    EXPECT_EQ(TheEngine().parameters.imgh, 480);
    EXPECT_EQ(TheEngine().parameters.imgf, 14);
    EXPECT_EQ(TheEngine().model.tmin, -5.0f);
    EXPECT_EQ(TheEngine().parameters.tmin, -5.0f);
    EXPECT_EQ(TheEngine().parameters.tmax, 25.0f);
    EXPECT_TRUE(TheEngine().parametersChanged);
}

TEST_F(GraphicOutputTest, SaveImageWritesThePictureAtTheImageSize)
{
    Calculate(1200);
    TheEngine().output.imgw = 300;
    TheEngine().output.imgh = 200;
    TheEngine().output.imgf = 10;
    const std::string folder = ScratchFolder() + "/";
    for (int n : {1, 2, 3, 4})
        WriteFile(folder + "Fig00" + std::to_string(n) + ".png", "x");
    fs::remove(folder + "Fig002.png");
    TheEngine().view.outputSavePath = folder + "earlier.txt";
    Open([&](CGraphicOutputDlg& dlg) {
        Command(dlg, ID_GRAPHIC_FILL_TEMPERATURES);
        Command(dlg, ID_GRAPHIC_SECTION_XMIN + 4);
        // The proposed name is the first free Fig number; the test answers
        // with its own path.
        EXPECT_EQ(FigureFileName(folder, [](const std::string& p) { return fs::exists(p); }), "Fig002");
        platform::TestHook::Get().PushFileDialogAnswer({folder + "shot.png"});
        Command(dlg, ID_GRAPHIC_SAVE_IMAGE);
        QImage read(QString::fromStdString(folder + "shot.png"));
        ASSERT_FALSE(read.isNull());
        EXPECT_EQ(read.width(), 300);
        EXPECT_EQ(read.height(), 200);
        // The same picture drawn by the picture engine at that size, with a
        // white legend pane.
        const Engine& e = TheEngine();
        CBitmap bitmap;
        RenderRequest request;
        request.width = 300;
        request.height = 200;
        request.fontSize = 10;
        request.legend = true;
        ASSERT_EQ(RenderPicture(dlg.ThePicture(), PictureSource(e.model, e.run, e.view.faces, e.colourScale),
                                request, {}, bitmap),
                  RenderResult::Drawn);
        const QImage& want = bitmap.Image();
        long long differ = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x)
                if ((read.pixel(x, y) & 0xFFFFFF) != (want.pixel(x, y) & 0xFFFFFF))
                    ++differ;
        EXPECT_EQ(differ, 0);
        // "BMP" in capitals is written as an 8-bit BMP.
        platform::TestHook::Get().PushFileDialogAnswer({folder + "shot.BMP"});
        Command(dlg, ID_GRAPHIC_SAVE_IMAGE);
        const std::string bmp = ReadFile(folder + "shot.BMP");
        ASSERT_GT(bmp.size(), 54u);
        EXPECT_EQ(bmp.substr(0, 2), "BM");
        EXPECT_EQ(static_cast<unsigned char>(bmp[28]), 8);
        // A file that cannot be written says so.
        platform::TestHook::Get().ClearMessages();
        platform::TestHook::Get().PushMessageBoxAnswer(IDOK);
        platform::TestHook::Get().PushFileDialogAnswer({folder + "missing/shot.png"});
        Command(dlg, ID_GRAPHIC_SAVE_IMAGE);
        ASSERT_FALSE(platform::TestHook::Get().Messages().empty());
        EXPECT_EQ(platform::TestHook::Get().Messages().back().text,
                  "Failed to open file\n" + folder + "missing/shot.png");
    });
}

TEST_F(GraphicOutputTest, SaveAnimationImagesWritesOneFilePerSavedTime)
{
    Calculate(1800);
    TheEngine().output.imgw = 120;
    TheEngine().output.imgh = 80;
    const std::string folder = ScratchFolder() + "/anim/";
    fs::create_directories(folder);
    Open([&](CGraphicOutputDlg& dlg) {
        platform::TestHook::Get().PushFileDialogAnswer({folder + "run.png"});
        Command(dlg, ID_GRAPHIC_SAVE_ANIMATION);
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(i);
            QImage read(QString::fromStdString(folder + "run000" + std::to_string(i) + ".png"));
            ASSERT_FALSE(read.isNull());
            EXPECT_EQ(read.width(), 120);
        }
        EXPECT_FALSE(fs::exists(folder + "run0004.png"));
        EXPECT_EQ(TheEngine().run.calcTime, 1800);
    });
}

TEST_F(GraphicOutputTest, AnAviFileHoldsOneFramePerSavedTime)
{
    if (std::system("ffprobe -version > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "ffprobe is not installed (scripts/deps.sh installs it)";
    Calculate(1800);
    TheEngine().output.imgw = 160;
    TheEngine().output.imgh = 100;
    const std::string path = ScratchFolder() + "/heat.avi";
    g_graphicOutput.display.legend = false;
    Open([&](CGraphicOutputDlg& dlg) {
        platform::TestHook::Get().PushFileDialogAnswer({path});
        // Frame rate 5, then the compressor (uncompressed).
        platform::TestHook::Get().PushDialogScript([](CDialog& d) {
            d.SetDlgItemText(IDC_AVI_FRAMES_PER_SECOND, "5");
            d.OnOK();
        });
        platform::TestHook::Get().PushDialogScript([](CDialog& d) {
            if (auto* box = dynamic_cast<CComboBox*>(d.GetDlgItem(IDC_AVI_COMPRESSOR)))
                box->SetCurSel(1);
            d.OnOK();
        });
        Command(dlg, ID_GRAPHIC_WRITE_AVI);
        // The legend is on for the export and stays on.
        EXPECT_TRUE(dlg.ThePicture().settings.legend);
        EXPECT_EQ(TheEngine().run.calcTime, 1800);
    });
    EXPECT_EQ(g_graphicOutput.framesPerSecond, 5);
    const std::string out = ScratchFolder() + "/probe.txt";
    ASSERT_EQ(std::system(("ffprobe -v error -count_frames -select_streams v:0 -show_entries "
                           "stream=codec_name,width,height,r_frame_rate,nb_read_frames -of "
                           "default=noprint_wrappers=1 " +
                           path + " > " + out)
                              .c_str()),
              0);
    const std::string probe = ReadFile(out);
    EXPECT_NE(probe.find("codec_name=rawvideo"), std::string::npos) << probe;
    EXPECT_NE(probe.find("width=160"), std::string::npos) << probe;
    EXPECT_NE(probe.find("height=100"), std::string::npos) << probe;
    EXPECT_NE(probe.find("r_frame_rate=5/1"), std::string::npos) << probe;
    EXPECT_NE(probe.find("nb_read_frames=4"), std::string::npos) << probe;
    EXPECT_FALSE(fs::exists("tmp.bmp"));
}

// Answers Esc while the results of the given time are drawn.
class EscAtTime : public NullEngineHost {
  public:
    explicit EscAtTime(int time) : m_time(time) {}
    bool EscPressed() override { return TheEngine().run.calcTime == m_time; }

  private:
    int m_time;
};

TEST_F(GraphicOutputTest, AnAviStoppedByEscDuringTheFourthFrameHoldsThreeFrames)
{
    Calculate(3000);
    TheEngine().output.imgw = 64;
    TheEngine().output.imgh = 40;
    const std::string path = ScratchFolder() + "/stopped.avi";
    Open([&](CGraphicOutputDlg& dlg) {
        platform::TestHook::Get().PushFileDialogAnswer({path});
        platform::TestHook::Get().PushDialogScript([](CDialog& d) { d.OnOK(); });
        platform::TestHook::Get().PushDialogScript([](CDialog& d) { d.OnOK(); });
        // Esc comes while the fourth frame (1800 s) is drawn.
        EscAtTime host(1800);
        SetHost(&host);
        Command(dlg, ID_GRAPHIC_WRITE_AVI);
        SetHost(&TheAppHost());
        EXPECT_EQ(TheEngine().run.calcTime, 1200);
        EXPECT_FALSE(dlg.StopFlag());
    });
    const std::string bytes = ReadFile(path);
    ASSERT_GT(bytes.size(), 64u);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(common::testing::U32At(bytes, 4) + 8, bytes.size());
    EXPECT_EQ(common::testing::U32At(bytes, 48), 3u); // the main header's frame count
    if (std::system("ffprobe -version > /dev/null 2>&1") == 0) {
        const std::string out = ScratchFolder() + "/stopped.txt";
        ASSERT_EQ(std::system(("ffprobe -v error -count_frames -select_streams v:0 -show_entries "
                               "stream=nb_read_frames -of csv=p=0 " + path + " > " + out).c_str()),
                  0);
        EXPECT_EQ(ReadFile(out).substr(0, 1), "3");
    }
}

TEST_F(GraphicOutputTest, PrintImageGivesOneLandscapePageThroughThe3DView)
{
    Calculate(600);
    if (!g_graphView)
        GTEST_SKIP() << "no 3D view on this platform";
    const std::string pdf = ScratchFolder() + "/printed.pdf";
    Open([&](CGraphicOutputDlg& dlg) {
        platform::TestHook::Get().PushPrintDialogAnswer(pdf);
        Command(dlg, ID_GRAPHIC_PRINT_IMAGE);
        EXPECT_EQ(g_printingOutput, nullptr);
    });
    const std::string bytes = ReadFile(pdf);
    const QString text = QString::fromLatin1(QByteArray::fromStdString(bytes));
    EXPECT_EQ(text.count(QRegularExpression(R"(/Type\s*/Page[^s])")), 1);
    const auto box = QRegularExpression(R"(/MediaBox\s*\[\s*([\d.]+)\s+([\d.]+)\s+([\d.]+)\s+([\d.]+))").match(text);
    ASSERT_TRUE(box.hasMatch());
    EXPECT_GT(box.captured(3).toDouble(), box.captured(4).toDouble()); // landscape
    EXPECT_TRUE(text.contains(QRegularExpression(R"(/Subtype\s*/Image)")));
    // With no graphic output window the 3D view's print loop prints nothing.
    const std::string empty = ScratchFolder() + "/nothing.pdf";
    platform::TestHook::Get().PushPrintDialogAnswer(empty);
    g_graphView->OnFilePrint();
    const QString none = QString::fromLatin1(QByteArray::fromStdString(ReadFile(empty)));
    EXPECT_FALSE(none.contains(QRegularExpression(R"(/Subtype\s*/Image)")));
}

TEST_F(GraphicOutputTest, AnImageTooLargeForABitmapClosesTheWindowWithMessage290)
{
    Calculate(600);
    TheEngine().output.imgw = 1000000;
    TheEngine().output.imgh = 1000000;
    platform::TestHook::Get().ClearMessages();
    platform::TestHook::Get().PushMessageBoxAnswer(IDOK);
    bool closed = false;
    Open([&](CGraphicOutputDlg& dlg) {
        platform::TestHook::Get().PushFileDialogAnswer({ScratchFolder() + "/huge.png"});
        Command(dlg, ID_GRAPHIC_SAVE_IMAGE);
        EXPECT_EQ(common::ErrorCode(), 6);
        // The next paint closes the window.
        for (int i = 0; i < 50 && !dlg.IsEnded(); ++i)
            QApplication::processEvents();
        closed = dlg.IsEnded();
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(common::ErrorCode(), 0);
    const auto& shown = platform::TestHook::Get().Messages();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back().text, "Bitmap creation failed.\nBitmap size too large.");
    EXPECT_FALSE(fs::exists(ScratchFolder() + "/huge.png"));
}

} // namespace
} // namespace gelmar::test

// The graphic output window's resources: dialog 152 (the drawing surface in
// the View frame's place), its menus 143 (X, Y, Z sections) and 145 (R, C, L
// sections), its accelerators 148, its toolbar with the button images, the
// frame-rate (167) and compression dialogs of AVI files, and the dialogs it
// shares with the other programs (ranges, line styles, image size, zoom
// numbers, clip object, profile line).
#include "common/ui/DlgClipObject.h"
#include "common/ui/DlgImageSize.h"
#include "common/ui/DlgLineStyles.h"
#include "common/ui/DlgRanges.h"
#include "common/ui/DlgTempProfileLine.h"
#include "common/ui/DlgZoomNumbers2D.h"
#include "platform/ui/Resources.h"
#include "resources/gelmar/GelmarIds.h"

#include <string>

namespace gelmar {

namespace {

using platform::MenuItem;

std::vector<MenuItem> SectionItems(bool rcl)
{
    const char* const names[6] = {"min", "max", "min", "max", "min", "max"};
    const char* const axes = rcl ? "RRCCLL" : "XXYYZZ";
    const UINT first = rcl ? UINT(ID_GRAPHIC_SECTION_RMIN) : UINT(ID_GRAPHIC_SECTION_XMIN);
    std::vector<MenuItem> items = {{"&0: Perspective", ID_GRAPHIC_PERSPECTIVE}};
    for (int k = 0; k < 6; ++k) {
        std::string label = "&";
        label += std::to_string(k + 1);
        label += ": Section ";
        label += axes[k];
        label += names[k];
        label += " (Clip Object)";
        items.push_back({label, first + static_cast<UINT>(k)});
    }
    return items;
}

platform::MenuTemplate GraphicMenu(UINT id, bool rcl)
{
    const MenuItem separator{"", 0};
    return {id,
            {{"&File",
              0,
              {{"&Save Image...\tCtrl+S", ID_GRAPHIC_SAVE_IMAGE},
               {"Save &Animation Images...", ID_GRAPHIC_SAVE_ANIMATION},
               {"&Write AVI File...", ID_GRAPHIC_WRITE_AVI},
               separator,
               {"&Print Image...\tCtrl+P", ID_GRAPHIC_PRINT_IMAGE},
               separator,
               {"E&xit", ID_GRAPHIC_EXIT}}},
             {"&Animate",
              0,
              {{"&First Time Step", ID_GRAPHIC_FIRST_STEP},
               {"&Next Time Step", ID_GRAPHIC_NEXT_STEP},
               {"&Previous Time Step", ID_GRAPHIC_PREVIOUS_STEP},
               {"&Go To...", ID_GRAPHIC_GO_TO},
               separator,
               {"Pl&ay", ID_GRAPHIC_PLAY},
               separator,
               {"Rotate &Left", ID_GRAPHIC_ROTATE_LEFT},
               {"Rotate &Right", ID_GRAPHIC_ROTATE_LEFT + 1},
               {"Rotate &Up", ID_GRAPHIC_ROTATE_LEFT + 2},
               {"Rotate &Down", ID_GRAPHIC_ROTATE_LEFT + 3}}},
             {"&Projection", 0, SectionItems(rcl)},
             {"&Zoom",
              0,
              {{"&Rotate\tCtrl+R", ID_GRAPHIC_ROTATE},
               {"&Pan\tCtrl+M", ID_GRAPHIC_PAN},
               {"Zoom &Window\tCtrl+W", ID_GRAPHIC_ZOOM_WINDOW},
               {"&Zoom In\tCtrl+Z", ID_GRAPHIC_ZOOM_IN},
               {"Zoom O&ut\tCtrl+U", ID_GRAPHIC_ZOOM_OUT},
               {"Zoom Tot&al\tCtrl+A", ID_GRAPHIC_ZOOM_TOTAL},
               {"Pr&evious View\tCtrl+E", ID_GRAPHIC_PREVIOUS_VIEW},
               separator,
               {"&Numbers...", ID_GRAPHIC_NUMBERS}}},
             {"&View",
              0,
              {{"Obje&ct Lines", ID_GRAPHIC_OBJECT_LINES},
               {"&Grid Lines", ID_GRAPHIC_GRID_LINES},
               {"&Isothermal Lines", ID_GRAPHIC_ISOTHERMAL_LINES},
               {"Isoflu&x Lines", ID_GRAPHIC_ISOFLUX_LINES},
               separator,
               {"Fill &Materials", ID_GRAPHIC_FILL_MATERIALS},
               {"Fill &Patterns", ID_GRAPHIC_FILL_PATTERNS},
               {"Fill &BCs", ID_GRAPHIC_FILL_BCS},
               {"Fill &Temperatures", ID_GRAPHIC_FILL_TEMPERATURES},
               {"Fill Iso&fluxes", ID_GRAPHIC_FILL_ISOFLUXES},
               {"Fill &Absorbed Solar Fluxes", ID_GRAPHIC_FILL_SOLAR},
               {"Fill &Off", ID_GRAPHIC_FILL_OFF},
               separator,
               {"&Sun Position", ID_GRAPHIC_SUN_POSITION},
               {"Shado&w", ID_GRAPHIC_SHADOW},
               separator,
               {"Temperature Profile &Line Definition...", ID_GRAPHIC_PROFILE_LINE},
               {"T&emperature Profile", ID_GRAPHIC_PROFILE},
               separator,
               {"Legen&d", ID_GRAPHIC_LEGEND}}},
             {"&Clip", 0, {{"&Clip Object...", ID_GRAPHIC_CLIP_OBJECT}, {"Clip &Off", ID_GRAPHIC_CLIP_OFF}}},
             {"&Settings",
              0,
              {{"&Temperature Range...", ID_GRAPHIC_TEMPERATURE_RANGE},
               {"&Heat Flux Range...", ID_GRAPHIC_HEAT_FLUX_RANGE},
               {"&Line Styles...", ID_GRAPHIC_LINE_STYLES},
               {"Image &Size...", ID_GRAPHIC_IMAGE_SIZE}}}}};
}

} // namespace

void RegisterGraphicOutputResources()
{
    using platform::Ctl;
    auto& r = platform::Resources::Get();
    platform::DialogTemplate window{IDD_GRAPHIC_OUTPUT, ""};
    window.controls = {{Ctl::Custom, IDC_GRAPHIC_VIEW, "View", 0, 0}};
    r.AddDialog(window);
    r.AddMenu(GraphicMenu(IDR_GRAPHIC_OUTPUT, false));
    r.AddMenu(GraphicMenu(IDR_GRAPHIC_OUTPUT_RCL, true));

    using namespace platform;
    constexpr BYTE C = FVIRTKEY | FCONTROL;
    r.AddAccelerators({IDR_GRAPHIC_OUTPUT_ACCEL,
                       {{C, 'A', ID_GRAPHIC_ZOOM_TOTAL},
                        {C, 'E', ID_GRAPHIC_PREVIOUS_VIEW},
                        {C, 'M', ID_GRAPHIC_PAN},
                        {C, 'P', ID_GRAPHIC_PRINT_IMAGE},
                        {C, 'R', ID_GRAPHIC_ROTATE},
                        {C, 'S', ID_GRAPHIC_SAVE_IMAGE},
                        {C, 'U', ID_GRAPHIC_ZOOM_OUT},
                        {C, 'W', ID_GRAPHIC_ZOOM_WINDOW},
                        {C, 'Z', ID_GRAPHIC_ZOOM_IN},
                        {FVIRTKEY, VK_LEFT, ID_GRAPHIC_KEY_LEFT},
                        {FVIRTKEY, VK_RIGHT, ID_GRAPHIC_KEY_LEFT + 1},
                        {FVIRTKEY, VK_UP, ID_GRAPHIC_KEY_LEFT + 2},
                        {FVIRTKEY, VK_DOWN, ID_GRAPHIC_KEY_LEFT + 3}}});
    // The same buttons serve both namings: the toolbar holds no section.
    const std::vector<UINT> buttons = {
        ID_GRAPHIC_SAVE_IMAGE,  ID_GRAPHIC_PRINT_IMAGE,   ID_SEPARATOR,          ID_GRAPHIC_FIRST_STEP,
        ID_GRAPHIC_PREVIOUS_STEP, ID_GRAPHIC_NEXT_STEP,   ID_GRAPHIC_PLAY,       ID_SEPARATOR,
        ID_GRAPHIC_ROTATE,      ID_GRAPHIC_PAN,           ID_GRAPHIC_ZOOM_WINDOW, ID_GRAPHIC_ZOOM_IN,
        ID_GRAPHIC_ZOOM_OUT,    ID_GRAPHIC_ZOOM_TOTAL,    ID_GRAPHIC_PREVIOUS_VIEW, ID_SEPARATOR,
        ID_GRAPHIC_PERSPECTIVE, ID_GRAPHIC_LEGEND};
    for (UINT id : {UINT(IDR_GRAPHIC_OUTPUT), UINT(IDR_GRAPHIC_OUTPUT_RCL)}) {
        r.AddToolBar({id, 16, 15, buttons});
        // Built into the program (see gelmar/app/CMakeLists.txt).
        r.AddBitmap(id, ":/gelmar/GraphicToolBar.xpm");
    }

    platform::DialogTemplate avi{IDD_WRITE_AVI, "Write AVI File"};
    avi.controls = {{Ctl::Static, 0xFFFF, "Frames per second", 0, 0},
                    {Ctl::Edit, IDC_AVI_FRAMES_PER_SECOND, "", 0, 1},
                    {Ctl::DefPushButton, IDOK, "OK", 1, 0},
                    {Ctl::PushButton, IDCANCEL, "Cancel", 1, 1}};
    r.AddDialog(avi);
    platform::DialogTemplate compression{IDD_AVI_COMPRESSION, "Video Compression"};
    compression.controls = {{Ctl::Static, 0xFFFF, "Compressor", 0, 0},
                            {Ctl::ComboBox, IDC_AVI_COMPRESSOR, "", 0, 1},
                            {Ctl::DefPushButton, IDOK, "OK", 1, 0},
                            {Ctl::PushButton, IDCANCEL, "Cancel", 1, 1}};
    r.AddDialog(compression);

    r.AddDialog(common::TemperatureRangeDialogTemplate());
    r.AddDialog(common::HeatFluxRangeDialogTemplate());
    r.AddDialog(common::LineStylesDialogTemplate());
    r.AddDialog(common::ImageSizeDialogTemplate());
    r.AddDialog(common::ZoomNumbers2DDialogTemplate());
    r.AddDialog(common::ClipObjectDialogTemplate(false));
    r.AddDialog(common::ClipObjectDialogTemplate(true));
    r.AddDialog(common::TempProfileLineDialogTemplate(false));
    r.AddDialog(common::TempProfileLineDialogTemplate(true));
}

} // namespace gelmar

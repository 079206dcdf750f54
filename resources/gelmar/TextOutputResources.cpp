// The text output window's resources: dialog 158 (one rich-text control that
// fills it), its menu and accelerators, its toolbar with the button images,
// the Go To dialog (12008) and the Decimals dialog (157).
#include "common/ui/DlgDecimals.h"
#include "platform/ui/Resources.h"
#include "resources/gelmar/GelmarIds.h"

namespace gelmar {

void RegisterTextOutputResources()
{
    using platform::Ctl;
    using platform::MenuItem;
    auto& r = platform::Resources::Get();
    platform::DialogTemplate window{IDD_TEXT_OUTPUT, ""};
    window.controls = {{Ctl::RichEdit, IDC_TEXT_OUTPUT_EDIT, "", 0, 0, 1, 1, ES_READONLY}};
    window.menu = IDR_TEXT_OUTPUT;
    r.AddDialog(window);

    const MenuItem separator{"", 0};
    r.AddMenu({IDR_TEXT_OUTPUT,
               {{"&File",
                 0,
                 {{"&Save As...\tCtrl+S", ID_TEXT_SAVE_AS},
                  {"&Print...\tCtrl+P", ID_TEXT_PRINT},
                  separator,
                  {"E&xit", ID_TEXT_EXIT}}},
                {"&Edit",
                 0,
                 {{"&First Time Step", ID_TEXT_FIRST_STEP},
                  {"&Next Time Step", ID_TEXT_NEXT_STEP},
                  {"&Previous Time Step", ID_TEXT_PREVIOUS_STEP},
                  {"&Go To...", ID_TEXT_GO_TO},
                  separator,
                  {"&Copy\tCtrl+C", ID_TEXT_COPY}}},
                {"&View",
                 0,
                 {{"&Input Data", ID_TEXT_INPUT_DATA},
                  separator,
                  {"&Time step Results", ID_TEXT_RESULTS},
                  {"Corner &Nodes", ID_TEXT_CORNER_NODES},
                  {"Node &BCs", ID_TEXT_NODE_BCS},
                  separator,
                  {"&Report Output", ID_TEXT_REPORT_OUTPUT},
                  separator,
                  {"&View Factors", ID_TEXT_VIEW_FACTORS}}},
                {"&Settings", 0, {{"&Decimals...", ID_TEXT_DECIMALS}}}}});

    using namespace platform;
    constexpr BYTE C = FVIRTKEY | FCONTROL;
    r.AddAccelerators({IDR_TEXT_OUTPUT_ACCEL,
                       {{C, 'S', ID_TEXT_SAVE_AS},
                        {C, 'P', ID_TEXT_PRINT},
                        {C, 'C', ID_TEXT_COPY},
                        {C, 'A', ID_TEXT_SELECT_ALL}}});
    r.AddToolBar({IDR_TEXT_OUTPUT,
                  16,
                  16,
                  {ID_TEXT_SAVE_AS, ID_TEXT_PRINT, ID_SEPARATOR, ID_TEXT_FIRST_STEP, ID_TEXT_NEXT_STEP,
                   ID_TEXT_PREVIOUS_STEP, ID_TEXT_GO_TO, ID_TEXT_COPY, ID_SEPARATOR, ID_TEXT_INPUT_DATA,
                   ID_TEXT_RESULTS, ID_TEXT_CORNER_NODES, ID_TEXT_NODE_BCS, ID_TEXT_REPORT_OUTPUT,
                   ID_TEXT_VIEW_FACTORS}});
    // Built into the program (see gelmar/app/CMakeLists.txt).
    r.AddBitmap(IDR_TEXT_OUTPUT, ":/gelmar/TextOutputToolBar.bmp");

    platform::DialogTemplate goTo{IDD_GO_TO, "Go To"};
    goTo.controls = {{Ctl::Static, 0xFFFF, "Time step", 0, 0},
                     {Ctl::Edit, IDC_GO_TO_TIME, "", 0, 1},
                     {Ctl::DefPushButton, IDOK, "OK", 1, 0},
                     {Ctl::PushButton, IDCANCEL, "Cancel", 1, 1}};
    r.AddDialog(goTo);
    r.AddDialog(common::DecimalsDialogTemplate());
}

} // namespace gelmar

// The document's opening and saving.
#include "dralo/model/files/ModelFiles.h"

#include "dralo/model/files/BmpFiles.h"
#include "dralo/model/files/DataFile.h"
#include "dralo/model/files/OldDataFile.h"
#include "dralo/model/files/ParameterFile.h"
#include "dralo/model/lines/Distances.h"
#include "dralo/model/store/BoundaryEdges.h"
#include "dralo/model/store/EngineHost.h"
#include "dralo/model/store/Errors.h"
#include "dralo/model/store/Statistics.h"

namespace dralo {

std::string ReplaceExtension(const std::string& path, const std::string& extension)
{
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return path + extension;
    return path.substr(0, dot) + extension;
}

namespace {

std::string LowerExtension(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string ext = path.substr(dot);
    for (char& c : ext)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return ext;
}

std::string InFolder(const std::string& folder, const char* name)
{
    if (folder.empty() || folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

// Reads the model's bitmap; a failure the reader passes over in silence (no
// bitmap named, no such file, no "BM" file) is reported as the file that
// could not be opened.
bool ReadModelBitmap(BitmapModel& m, EngineHost& host)
{
    class CountingHost : public EngineHost {
      public:
        explicit CountingHost(EngineHost& inner) : m_inner(inner) {}
        MessageAnswer MessageBox(std::string_view text, MessageStyle style) override
        {
            ++messages;
            return m_inner.MessageBox(text, style);
        }
        bool EscPressed() override { return m_inner.EscPressed(); }
        int messages = 0;

      private:
        EngineHost& m_inner;
    } counting(host);
    if (ReadBmpFile(m, counting))
        return true;
    if (counting.messages == 0)
        host.MessageBox(FileOpenText(m.bitmapPath), MessageStyle::Ok);
    return false;
}

} // namespace

ColourTable StartUp(const std::string& programFolder, BitmapModel& m, ProgramParameters& defaults,
                    SessionSettings& session, EngineHost& host)
{
    LoadMaterialColours(m);
    ReadDataFile(m, defaults, host, InFolder(programFolder, kDefaultDataFileName), true, false);
    m.dataFilePath.clear();
    const ColourTable startup = m.colours;
    ReadParameterFile(programFolder, defaults, session);
    ApplyParameterDefaults(m, defaults);
    return startup;
}

bool OpenModelFile(EditSession& s, DxfImportState& dxf, const std::string& path)
{
    BitmapModel& m = s.model;
    const std::string ext = LowerExtension(path);
    bool modified = true;
    if (ext == ".dat") {
        if (!ReadOldDataFile(m, s.defaults, s.host, path)) {
            s.host.MessageBox(FileOpenText(path), MessageStyle::Ok);
            return false;
        }
        m.fromDxf = false;
        if (!ReadModelBitmap(m, s.host))
            return false;
    } else if (ext == ".bmp") {
        ResetModelOptions(m);
        m.bitmapPath = path;
        m.fromDxf = false;
        if (!ReadModelBitmap(m, s.host))
            return false;
    } else if (ext == ".dxf") {
        if (!ImportDxfFile(m, dxf, s.host, path))
            return false;
        ResetModelOptions(m);
        m.bitmapPath = ReplaceExtension(path, ".bmp");
        BuildColourBoundaryEdges(m);
        m.fromDxf = true;
    } else {
        if (ReadDataFile(m, s.defaults, s.host, path, false, false) == ReadStatus::OpenFailed)
            return false;
        m.fromDxf = false;
        if (!ReadModelBitmap(m, s.host))
            return false;
        ComputeColourStatistics(m);
        ValidateDistances(m);
        modified = false;
    }
    m.dataFilePath = ReplaceExtension(path, ".drl");
    if (m.ndis == 0)
        ComputeFrameWidths(m, s.defaults);
    s.undo.Clear();
    SaveUndoRecord(s.undo, m, kUndoBase, 0, 0, false, s.host);
    s.host.SetModified(modified);
    return true;
}

bool SaveModelFiles(EditSession& s, const ColourTable& startupColours)
{
    BitmapModel& m = s.model;
    if (!m.bitmapPath.empty() && m.width > 0 && !WriteModelBmp(m, m.bitmapPath)) {
        s.host.MessageBox(FileOpenText(m.bitmapPath), MessageStyle::Ok);
        return false;
    }
    if (m.dataFilePath.empty() || !WriteDataFile(m, startupColours, m.dataFilePath)) {
        s.host.MessageBox(FileOpenText(m.dataFilePath), MessageStyle::Ok);
        return false;
    }
    m.view.bitmapModified = 0;
    s.host.SetModified(true);
    s.host.SetModified(false);
    s.undo.Clear();
    SaveUndoRecord(s.undo, m, kUndoBase, 0, 0, false, s.host);
    return true;
}

} // namespace dralo

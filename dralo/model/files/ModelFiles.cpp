// The document's opening and saving.
#include "dralo/model/files/ModelFiles.h"

#include "dralo/model/files/BmpFiles.h"
#include "dralo/model/files/DataFile.h"
#include "dralo/model/files/OldDataFile.h"
#include "dralo/model/files/ParameterFile.h"
#include "dralo/model/files/SettingKeys.h"
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

// Reads the model's bitmap; a file that cannot be opened, and one that the
// reader passes over in silence (no "BM" file), is reported as the file that
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
    try {
        if (ReadBmpFile(m, m.bitmapPath, counting))
            return true;
    } catch (const common::EngineError& e) {
        host.MessageBox(e.Message(), MessageStyle::Ok);
        return false;
    }
    if (counting.messages == 0)
        host.MessageBox(FileOpenText(m.bitmapPath), MessageStyle::Ok);
    return false;
}

// Reads the file in the way its extension says; false when it or its
// bitmap cannot be read (the message shown). `modified` tells whether the
// document is modified after it.
bool ReadByExtension(EditSession& s, const std::string& path, DxfImportState& dxf, const std::string& workFolder,
                     bool& modified)
{
    BitmapModel& m = s.model;
    const std::string ext = LowerExtension(path);
    modified = true;
    if (ext == ".dat") {
        ReadOldDataFile(m, path, s.defaults, workFolder, s.host);
        m.fromDxf = false;
        return ReadModelBitmap(m, s.host);
    }
    if (ext == ".bmp") {
        ResetModelOptions(m);
        m.bitmapPath = path;
        m.fromDxf = false;
        return ReadModelBitmap(m, s.host);
    }
    if (ext == ".dxf") {
        if (!ImportDxfFile(m, path, dxf, s.host))
            return false;
        ResetModelOptions(m);
        m.bitmapPath = ReplaceExtension(path, ".bmp");
        BuildColourBoundaryEdges(m);
        m.fromDxf = true;
        return true;
    }
    ReadDataFile(m, path, ReadMode::Open, s.defaults, workFolder, s.host);
    m.fromDxf = false;
    if (!ReadModelBitmap(m, s.host))
        return false;
    ComputeColourStatistics(m);
    ValidateDistances(m);
    modified = false;
    return true;
}

} // namespace

ColourTable StartUp(BitmapModel& m, ProgramParameters& parameters, SessionSettings& session,
                    const std::string& programFolder, const std::string& workFolder, EngineHost& host)
{
    LoadMaterialColours(m);
    common::ReadOptionalFile([&] {
        ReadDataFile(m, InFolder(programFolder, kDefaultDataFileName), ReadMode::Quiet, parameters, workFolder, host);
    });
    m.dataFilePath.clear();
    const ColourTable startup = m.colours;
    if (!common::ReadOptionalFile([&] { ReadParameterFile(parameters, session, programFolder); }))
        TakeSessionSettings(session, parameters);
    ApplyParameterDefaults(m, parameters);
    return startup;
}

bool OpenModelFile(EditSession& s, const std::string& path, DxfImportState& dxf, const std::string& workFolder)
{
    BitmapModel& m = s.model;
    bool modified = true;
    try {
        if (!ReadByExtension(s, path, dxf, workFolder, modified))
            return false;
    } catch (const common::EngineError& e) {
        s.host.MessageBox(e.Message(), MessageStyle::Ok);
        return false;
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
    try {
        if (m.dataFilePath.empty())
            throw EngineError::FileOpen(m.dataFilePath);
        WriteDataFile(m, startupColours, m.dataFilePath);
    } catch (const common::EngineError& e) {
        s.host.MessageBox(e.Message(), MessageStyle::Ok);
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

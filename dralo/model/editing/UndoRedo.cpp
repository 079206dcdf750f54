// Undo snapshots: recording, restoring and stepping.
#include "dralo/model/editing/UndoRedo.h"

#include "dralo/model/store/BoundaryEdges.h"
#include "dralo/model/store/EngineHost.h"
#include "dralo/model/store/Errors.h"

#include <new>

namespace dralo {

std::vector<std::uint8_t> CompressBitmapImage(const BitmapModel& m)
{
    std::vector<std::uint8_t> out;
    const std::int64_t w = m.width;
    for (std::int64_t y = 0; y < m.height; ++y) {
        const std::uint8_t* row = m.pixels.data() + y * w;
        for (std::int64_t x = 0; x < w;) {
            std::int64_t n = 1;
            while (n < 255 && x + n < w && row[x + n] == row[x])
                ++n;
            out.push_back(row[x]);
            out.push_back(static_cast<std::uint8_t>(n));
            x += n;
        }
    }
    return out;
}

namespace {

void CopyModelInto(UndoRecord& s, const BitmapModel& m)
{
    s.view = m.view;
    s.pixs = m.pixs;
    s.tris = m.tris;
    s.colours = m.colours;
    s.distances = m.distances;
    s.ndis = m.ndis;
    s.borderlineBcs = m.borderlineBcs;
    s.nbor = m.nbor;
    s.calc = m.calc;
    s.report = m.report;
    s.title = m.title;
}

// The snapshot's image expanded into the pixels (a new buffer when the
// pixel count changes).
void RestoreSnapshotImage(const UndoRecord& s, BitmapModel& m)
{
    const std::int64_t total = static_cast<std::int64_t>(s.width) * s.height;
    if (total != PixelTotal(m)) {
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(total));
        AdoptPixels(m, s.width, s.height, std::move(pixels));
    } else {
        m.width = s.width;
        m.height = s.height;
    }
    std::size_t p = 0;
    const std::vector<std::uint8_t>& image = *s.image;
    for (std::size_t i = 0; i + 1 < image.size() && p < m.pixels.size(); i += 2)
        for (int n = 0; n < image[i + 1] && p < m.pixels.size(); ++n)
            m.pixels[p++] = image[i];
    m.view.word1 = s.view.word1;
    m.view.word2 = s.view.word2;
    m.view.value = s.view.value;
}

void RestoreUndoRecord(const UndoRecord& s, BitmapModel& m, bool imageDiffers)
{
    if (imageDiffers)
        RestoreSnapshotImage(s, m);
    m.changed.entries.clear();
    m.view.bitmapModified = s.view.bitmapModified;
    m.pixs = s.pixs;
    m.tris = s.tris;
    m.colours = s.colours;
    m.distances = s.distances;
    m.ndis = s.ndis;
    m.borderlineBcs = s.borderlineBcs;
    m.nbor = s.nbor;
    m.calc = s.calc;
    m.report = s.report;
    m.title = s.title;
}

void ApplyNewColours(const std::vector<ChangedPixel>& changes, BitmapModel& m)
{
    for (const ChangedPixel& p : changes)
        if (p.index >= 0 && p.index < PixelTotal(m))
            m.pixels[static_cast<std::size_t>(p.index)] = p.newColour;
}

void ApplyOldColours(const std::vector<ChangedPixel>& changes, BitmapModel& m)
{
    for (auto p = changes.rbegin(); p != changes.rend(); ++p)
        if (p->index >= 0 && p->index < PixelTotal(m))
            m.pixels[static_cast<std::size_t>(p->index)] = p->oldColour;
}

void AfterStep(const UndoHistory& undo, int kind, int row, int column, EngineHost& host)
{
    host.RefreshTableViews();
    host.GoToUndoItem(kind, row, column);
    host.SetModified(undo.Current()->kind != kUndoBase);
    host.UpdateAllViews();
}

} // namespace

bool SaveUndoRecord(UndoHistory& undo, BitmapModel& m, int kind, int row, int column, bool withPixels,
                    EngineHost& host)
{
    try {
        undo.DropRedo();
        const UndoRecord* previous = undo.Current();
        UndoRecord s;
        s.kind = kind;
        s.row = row;
        s.column = column;
        s.width = m.width;
        s.height = m.height;
        const bool sameSize = previous && previous->width == m.width && previous->height == m.height;
        if (previous)
            s.image = previous->image;
        if (!previous || withPixels || !sameSize) {
            const std::int64_t n = static_cast<std::int64_t>(m.changed.entries.size());
            if (previous && sameSize && n >= 1 && n <= m.changed.capacity - 1)
                s.changed = m.changed.entries;
            else
                s.image = std::make_shared<const std::vector<std::uint8_t>>(CompressBitmapImage(m));
            m.changed.entries.clear();
        }
        CopyModelInto(s, m);
        undo.Push(std::move(s));
    } catch (const std::bad_alloc&) {
        host.MessageBox(kMsgNoMemory, MessageStyle::Ok);
        return false;
    }
    return true;
}

void RefreshSnapshotColours(UndoHistory& undo, const BitmapModel& m)
{
    if (UndoRecord* s = undo.Current())
        s->colours = m.colours;
}

bool UndoEdit(UndoHistory& undo, BitmapModel& m, EngineHost& host)
{
    if (!undo.CanUndo())
        return false;
    const UndoRecord& undone = *undo.Current();
    const int kind = undone.kind, row = undone.row, column = undone.column;
    const auto oldImage = undone.image;
    if (!undone.changed.empty()) {
        ApplyOldColours(undone.changed, m);
        UpdateColourBoundaryEdges(m, undone.changed, false);
    }
    undo.StepBack();
    const UndoRecord& now = *undo.Current();
    const bool imageDiffers = now.image != oldImage;
    RestoreUndoRecord(now, m, imageDiffers);
    if (imageDiffers) {
        // The image plus the changes of every snapshot that shares it, up
        // to the current one.
        const std::size_t current = static_cast<std::size_t>(undo.CurrentIndex());
        std::size_t first = current;
        while (first > 0 && undo.At(first - 1)->image == now.image)
            --first;
        for (std::size_t i = first; i <= current; ++i)
            ApplyNewColours(undo.At(i)->changed, m);
        BuildColourBoundaryEdges(m);
    }
    AfterStep(undo, kind, row, column, host);
    return true;
}

bool RedoEdit(UndoHistory& undo, BitmapModel& m, EngineHost& host)
{
    if (!undo.CanRedo())
        return false;
    const auto oldImage = undo.Current()->image;
    undo.StepForward();
    const UndoRecord& now = *undo.Current();
    const bool imageDiffers = now.image != oldImage;
    RestoreUndoRecord(now, m, imageDiffers);
    if (imageDiffers)
        BuildColourBoundaryEdges(m);
    if (!now.changed.empty()) {
        ApplyNewColours(now.changed, m);
        UpdateColourBoundaryEdges(m, now.changed, false);
    }
    AfterStep(undo, now.kind, now.row, now.column, host);
    return true;
}

} // namespace dralo

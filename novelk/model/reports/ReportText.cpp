// Report formatting shared by the writers.
#include "novelk/model/reports/ReportText.h"

#include "common/core/TextFileWriter.h"

namespace novelk::report {

bool SaveReport(const std::string& path, const std::string& text)
{
    if (path.empty())
        return false;
    common::TextFileWriter w;
    w.Reserve(text.size() + text.size() / 16);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            w.PutText(std::string_view(text).substr(start));
            break;
        }
        // A line of a model's title may come with its own CR.
        std::size_t last = end;
        if (last > start && text[last - 1] == '\r')
            --last;
        w.PutText(std::string_view(text).substr(start, last - start));
        w.EndLine();
        start = end + 1;
    }
    return w.Save(path);
}

std::string Str(const ReportContext& r, unsigned id)
{
    return r.strings.Get(id);
}

std::string LeftInt(long long v, int width)
{
    std::string s = common::FormatInt(v);
    common::PadLineBuffer(s, static_cast<std::size_t>(width));
    return s;
}

std::string Fitted(std::string_view text, std::size_t n)
{
    std::string line(text);
    common::PadLineToColumn(line, n);
    return line;
}

std::string NameField(std::string_view name, std::size_t n)
{
    std::string line = common::CutText(name, n);
    common::UnderscoreBlanks(line);
    common::PadLineToColumn(line, n);
    return line;
}

std::string UnitLine(std::string text)
{
    if (!text.empty() && text.back() == '_') {
        text.pop_back();
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
    }
    return text;
}

int ShownIndex(const ModelStore& m, int axis, int index)
{
    if (!m.rcl)
        return index;
    return 2 * (axis == 2 ? m.axes[2].n - index : index) + 1;
}

std::string DataFileLine(const ReportContext& r)
{
    return Str(r, kStrDataFile) + ": " + DataFileTitle(r.model.dataFilePath) + ".nvk\n\n";
}

std::string ClipRangeLine(const ModelStore& m, const AreaRecord& box)
{
    if (!m.rcl)
        return "       Xmin=" + Int(box.x1) + " Xmax=" + Int(box.x2) + " Ymin=" + Int(box.y1) +
               " Ymax=" + Int(box.y2) + " Zmin=" + Int(box.z1) + " Zmax=" + Int(box.z2) + "\n";
    return "       Rmin=" + Int(ShownIndex(m, 0, box.x1)) + " Rmax=" + Int(ShownIndex(m, 0, box.x2)) +
           " Cmin=" + Int(ShownIndex(m, 1, box.y1)) + " Cmax=" + Int(ShownIndex(m, 1, box.y2)) +
           " Lmin=" + Int(ShownIndex(m, 2, box.z2)) + " Lmax=" + Int(ShownIndex(m, 2, box.z1)) + "\n";
}

std::string ColourLabel(const ModelStore& m, int colour, bool withRule)
{
    const ColourRecord& c = m.colours[std::size_t(colour)];
    const char* type = ColourTypeName(c.type);
    std::string label = LeftInt(colour, 3) + "  " + Fitted(type ? type : "", 8);
    if (withRule) {
        const char* rule = RuleName(c.type, c.rule);
        label += "  " + Fitted(rule ? rule : "", 8);
    }
    return label + "  " + NameField(c.name, 15);
}

std::string NodeCoordinates(const ModelStore& m, int i, int j, int k)
{
    int blank = -1;
    if (m.axes[2].n == 1)
        blank = 2;
    else if (m.axes[1].n == 1)
        blank = 1;
    else if (m.axes[0].n == 1)
        blank = 0;
    const int index[3] = {i, j, k};
    std::string text;
    for (int a = 0; a < 3; ++a)
        text += a == blank ? common::MakeBlankField(6) : Int(ShownIndex(m, a, index[a]), 6);
    return text;
}

} // namespace novelk::report

// Builds a Rich Text Format report in memory from runs of text, each in the
// current character format, and writes it as a file (saved as a "Word
// Document") or hands the runs to the text output window. Text is UTF-8 in
// memory; the RTF is plain ASCII, with backslashes and braces escaped and
// other characters written as code page 1252 bytes or Unicode escapes.
#pragma once
#include "platform/core/Types.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace common {

// One character-style switch: the control word written while it is on.
struct CRtfStyleSwitch {
    bool on = false;
    const char* onText = "";
    const char* offText = "";
};

// The character format of a run.
struct CRtfRun {
    enum Style { kBold, kUnderline, kWordUnderline, kItalic, kStrike };

    int fontSize = 35;    // half points
    int tabPosition = -1; // twips; none when not positive
    std::array<CRtfStyleSwitch, 5> switches{{{false, "\\b", ""},
                                             {false, "\\ul", ""},
                                             {false, "\\ulw", ""},
                                             {false, "\\i", ""},
                                             {false, "\\strike", ""}}};
    int fontIndex = 0;
    int foreground = 0; // index into the colour table
    int background = 0;
    int alignment = 0; // 0 left, 1 centred, 2 right

    // The control words that start a run in this format.
    std::string Prefix() const;
};

// A run as appended: its format and its text (UTF-8).
struct CRtfTextRun {
    CRtfRun format;
    std::string text;
};

class CRtfDocument {
  public:
    CRtfDocument() = default;

    void AppendText(std::string_view text);
    // Makes the face current, adding it to the font table when new (exact,
    // case-sensitive comparison).
    void SelectFont(const std::string& face);
    void SetFontSize(int halfPoints) { m_format.fontSize = halfPoints; }
    void SetStyle(CRtfRun::Style style, bool on) { m_format.switches[style].on = on; }

    // The whole document: header, font and colour tables, page set-up, the
    // runs appended so far and the closing brace. The body is unchanged, so
    // writing again gives the same text and never nests a document.
    std::string BuildCompleteText() const;
    // Writes the complete text; FALSE when the file cannot be written.
    BOOL WriteFile(const std::string& path) const;
    // Hands the runs appended since the last call to the text output window
    // and empties the body, so that the next call brings only what follows.
    std::vector<CRtfTextRun> TakeRuns();
    // A document that is only written to a file keeps no runs for a window
    // (long listings would hold every run twice).
    void KeepRuns(bool keep) { m_keepRuns = keep; }

    const CRtfRun& CurrentFormat() const { return m_format; }
    const std::vector<std::string>& Fonts() const { return m_fonts; }
    const std::vector<COLORREF>& Colours() const { return m_colours; }
    const std::string& Body() const { return m_body; }

  private:
    std::string m_body;
    CRtfRun m_format;
    std::vector<std::string> m_fonts{"Arial"};
    std::vector<COLORREF> m_colours{0x000000, 0x0000FF, 0x00FF00, 0xFF0000};
    std::vector<CRtfTextRun> m_runs;
    bool m_keepRuns = true;
};

// Format manipulators applied with RtfApply: font face, font size (half
// points), bold (A) and underline (B).
struct RtfManipulator {
    enum Kind { kFontName, kFontSize, kBold, kUnderline } kind;
    std::string face;
    int value = 0;
};
RtfManipulator RtfFontName(const std::string& face);
RtfManipulator RtfFontSize(int halfPoints);
RtfManipulator RtfStyleFlagA(bool on);
RtfManipulator RtfStyleFlagB(bool on);
CRtfDocument& RtfApply(CRtfDocument& document, const RtfManipulator& manipulator);

// The RTF form of UTF-8 text: line feeds become paragraph ends, "\", "{"
// and "}" are escaped, characters above ASCII become \'hh (code page 1252)
// or \uN? (others).
std::string RtfEscapeText(std::string_view text);

} // namespace common

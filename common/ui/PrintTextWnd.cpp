// CPrintTextWnd: inserting formatted runs and printing the text in pages.
#include "common/ui/PrintTextWnd.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"

#include <QAbstractTextDocumentLayout>
#include <QGridLayout>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <ctime>
#include <memory>

namespace common {

QTextEdit* CPrintTextWnd::Edit() const
{
    return qobject_cast<QTextEdit*>(m_widget);
}

void CPrintTextWnd::ConnectControl()
{
    if (QTextEdit* edit = Edit())
        QObject::connect(edit, &QTextEdit::selectionChanged, edit, [] { RequestIdleUpdate(); });
}

void CPrintTextWnd::InsertRuns(const std::vector<CRtfTextRun>& runs, const std::vector<std::string>& fonts)
{
    QTextEdit* edit = Edit();
    if (!edit)
        return;
    QTextCursor cursor = edit->textCursor();
    for (const CRtfTextRun& run : runs) {
        QString text = QString::fromStdString(run.text);
        if (m_limit > 0) {
            const long room = m_limit - GetTextLength();
            if (room <= 0)
                break;
            if (text.size() > room) {
                // Never half a surrogate pair.
                qsizetype keep = room;
                if (text.at(keep - 1).isHighSurrogate())
                    --keep;
                text.truncate(keep);
            }
        }
        QTextCharFormat f;
        const int index = run.format.fontIndex;
        if (index >= 0 && index < static_cast<int>(fonts.size()))
            f.setFontFamilies({QString::fromStdString(fonts[index])});
        f.setFontPointSize(run.format.fontSize / 2.0);
        f.setFontWeight(run.format.switches[CRtfRun::kBold].on ? QFont::Bold : QFont::Normal);
        f.setFontUnderline(run.format.switches[CRtfRun::kUnderline].on ||
                           run.format.switches[CRtfRun::kWordUnderline].on);
        f.setFontItalic(run.format.switches[CRtfRun::kItalic].on);
        f.setFontStrikeOut(run.format.switches[CRtfRun::kStrike].on);
        cursor.insertText(text, f);
    }
    edit->setTextCursor(cursor);
}

std::string CPrintTextWnd::GetPlainText() const
{
    QTextEdit* edit = Edit();
    return edit ? edit->toPlainText().toStdString() : std::string();
}

void CPrintTextWnd::Clear()
{
    if (QTextEdit* edit = Edit())
        edit->clear();
}

long CPrintTextWnd::GetTextLength() const
{
    QTextEdit* edit = Edit();
    // The document counts one paragraph end more than the text has.
    return edit ? static_cast<long>(edit->document()->characterCount()) - 1 : 0;
}

void CPrintTextWnd::GetSel(long& nStart, long& nEnd) const
{
    nStart = nEnd = 0;
    if (QTextEdit* edit = Edit()) {
        const QTextCursor cursor = edit->textCursor();
        nStart = cursor.selectionStart();
        nEnd = cursor.selectionEnd();
    }
}

void CPrintTextWnd::SetSel(long nStart, long nEnd)
{
    QTextEdit* edit = Edit();
    if (!edit)
        return;
    const long length = GetTextLength();
    const auto clamp = [length](long v) { return v < 0 || v > length ? length : v; };
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(static_cast<int>(clamp(nStart)));
    cursor.setPosition(static_cast<int>(clamp(nEnd)), QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
    edit->ensureCursorVisible();
}

void CPrintTextWnd::Copy()
{
    if (QTextEdit* edit = Edit())
        edit->copy();
}

LRESULT CPrintTextWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPY) {
        Copy();
        return 0;
    }
    return CRichEditCtrl::WindowProc(message, wParam, lParam);
}

CPrintTextWnd& operator<<(CPrintTextWnd& wnd, CRtfDocument& doc)
{
    const std::vector<std::string> fonts = doc.Fonts();
    wnd.InsertRuns(doc.TakeRuns(), fonts);
    return wnd;
}

void CPrintTextWnd::PrintText(CDC* pDC)
{
    QTextEdit* edit = Edit();
    if (!pDC || !edit)
        return;
    // The page area in device pixels, half an inch inside the printable
    // area; the footer takes a band at its bottom.
    const int dpiX = pDC->GetDeviceCaps(LOGPIXELSX), dpiY = pDC->GetDeviceCaps(LOGPIXELSY);
    const CRect page(dpiX / 2, dpiY / 2, pDC->GetDeviceCaps(HORZRES) - dpiX / 2,
                     pDC->GetDeviceCaps(VERTRES) - dpiY / 2);
    CFont footerFont;
    footerFont.CreatePointFont(90, "Arial", pDC);
    CFont* old = pDC->SelectObject(&footerFont);
    const int lineHeight = pDC->GetTextExtent("X").cy;
    pDC->SelectObject(old);
    const int footer = 2 * lineHeight;
    const QRectF textRect(page.left, page.top, page.Width(), page.Height() - footer);

    std::unique_ptr<QTextDocument> doc(edit->document()->clone());
    doc->documentLayout()->setPaintDevice(pDC->GetDevice());
    doc->setPageSize(textRect.size());
    const int pages = std::max(1, doc->pageCount());

    if (pDC->StartDoc("Quenmark") <= 0) {
        AfxMessageBox("Print failure!");
        return;
    }
    char label[64] = {};
    const std::time_t now = std::time(nullptr);
    std::string when = std::ctime(&now);
    while (!when.empty() && (when.back() == '\n' || when.back() == '\r'))
        when.pop_back();
    for (int p = 0; p < pages; ++p) {
        if (pDC->StartPage() <= 0) {
            AfxMessageBox("Error starting new page!");
            pDC->AbortDoc();
            return;
        }
        if (QPainter* qp = pDC->GetQtPainter()) {
            qp->save();
            qp->translate(textRect.left(), textRect.top() - p * textRect.height());
            doc->drawContents(qp, QRectF(0, p * textRect.height(), textRect.width(), textRect.height()));
            qp->restore();
        }
        if (pDC->IsPrinting()) {
            CBrush frame(RGB(0, 0, 0));
            pDC->FrameRect(&page, &frame);
            old = pDC->SelectObject(&footerFont);
            pDC->SetBkMode(TRANSPARENT);
            CRect band(page.left + lineHeight, page.bottom - footer, page.right - lineHeight, page.bottom);
            pDC->DrawText(when, &band, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            std::snprintf(label, sizeof label, "p.%d of %d", p + 1, pages);
            pDC->DrawText(label, &band, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            pDC->SelectObject(old);
        }
        pDC->EndPage();
    }
    pDC->EndDoc();
}

BOOL FitRichEdit(CDialog& dialog, CPrintTextWnd& edit, UINT nID)
{
    if (!edit.SubclassDlgItem(nID, &dialog))
        return FALSE;
    if (QGridLayout* grid = dialog.GetControlLayout())
        grid->setContentsMargins(0, 0, 0, 0);
    return TRUE;
}

} // namespace common

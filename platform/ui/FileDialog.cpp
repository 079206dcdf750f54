// File dialogs over QFileDialog.
#include "platform/ui/FileDialog.h"

#include "platform/core/Folders.h"
#include "platform/ui/Resources.h"
#include "platform/ui/TestHook.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QStringList>

namespace {

// "Desc (*.a)|*.a|Desc2|*.b;*.c||" -> Qt name filters.
QStringList QtFilters(const std::string& filter)
{
    QStringList parts = QString::fromStdString(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        QString desc = parts[i];
        out << (desc.contains('(' + patterns + ')') ? desc : desc + " (" + patterns + ")");
    }
    return out;
}

// The extension of a filter of one concrete pattern ("PNG File (*.png)" ->
// "png"); empty for "*.*" or several patterns.
std::string FilterExtension(const QString& filter)
{
    const int open = filter.lastIndexOf('('), close = filter.lastIndexOf(')');
    const QString patterns = open >= 0 && close > open ? filter.mid(open + 1, close - open - 1) : filter;
    const QStringList list = patterns.split(' ', Qt::SkipEmptyParts);
    if (list.size() != 1 || !list[0].startsWith("*."))
        return {};
    const QString ext = list[0].mid(2);
    return ext.isEmpty() || ext.contains('*') || ext.contains('?') ? std::string() : ext.toStdString();
}

std::string Folder(const std::string& path)
{
    return platform::FolderOf(path);
}

} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName,
                         DWORD dwFlags, const char* lpszFilter, CWnd* pParentWnd)
    : CDialog(0, pParentWnd), m_bOpenFileDialog(bOpenFileDialog)
{
    m_ofn.Flags = dwFlags;
    if (lpszDefExt)
        m_defExt = lpszDefExt;
    if (lpszFileName)
        m_fileName = lpszFileName;
    if (lpszFilter)
        m_filter = lpszFilter;
}

BOOL CFileDialog::CreateDialogWindow(CWnd* pParent)
{
    QWidget* parentWidget = pParent && pParent->GetWidget() ? pParent->GetWidget()->window() : nullptr;
    auto* d = new QFileDialog(parentWidget);
    d->setOption(QFileDialog::DontUseNativeDialog);
    if (!m_ofn.lpstrTitle.empty())
        d->setWindowTitle(QString::fromStdString(m_ofn.lpstrTitle));
    QStringList filters = QtFilters(m_filter);
    if (!filters.isEmpty())
        d->setNameFilters(filters);
    if (!m_defExt.empty())
        d->setDefaultSuffix(QString::fromStdString(m_defExt));
    if (m_bOpenFileDialog) {
        d->setAcceptMode(QFileDialog::AcceptOpen);
        d->setFileMode((m_ofn.Flags & OFN_ALLOWMULTISELECT) ? QFileDialog::ExistingFiles
                       : (m_ofn.Flags & OFN_FILEMUSTEXIST)  ? QFileDialog::ExistingFile
                                                            : QFileDialog::AnyFile);
    } else {
        d->setAcceptMode(QFileDialog::AcceptSave);
        d->setFileMode(QFileDialog::AnyFile);
        d->setOption(QFileDialog::DontConfirmOverwrite, !(m_ofn.Flags & OFN_OVERWRITEPROMPT));
    }
    std::string folder = Folder(m_fileName);
    std::string name = m_fileName.substr(folder.empty() ? 0 : folder.size() + 1);
    d->setDirectory(QString::fromStdString(folder.empty() ? platform::WorkingFolder() : folder));
    if (!name.empty() && name.find('*') == std::string::npos)
        d->selectFile(QString::fromStdString(name));
    AttachWidget(d, true, 0);
    m_dialog = d;
    if ((m_ofn.Flags & OFN_ENABLETEMPLATE) && m_ofn.lpTemplateName)
        if (const auto* t = platform::Resources::Get().FindDialog(m_ofn.lpTemplateName)) {
            auto* area = new QWidget(d);
            auto* grid = new QGridLayout(area);
            grid->setContentsMargins(0, 0, 0, 0);
            BuildControls(*t, area, grid);
            if (auto* layout = qobject_cast<QGridLayout*>(d->layout()))
                layout->addWidget(area, 0, layout->columnCount(), layout->rowCount(), 1);
        }
    QObject::connect(d, &QFileDialog::currentChanged, d, [this](const QString& path) {
        m_current = path.toStdString();
        OnFileNameChange();
    });
    QObject::connect(d, &QFileDialog::directoryEntered, d, [this](const QString&) { OnFolderChange(); });
    if (!m_bOpenFileDialog)
        // A name typed without an extension takes the chosen type's.
        QObject::connect(d, &QFileDialog::filterSelected, d, [d, this](const QString& filter) {
            const std::string ext = FilterExtension(filter);
            d->setDefaultSuffix(QString::fromStdString(ext.empty() ? m_defExt : ext));
        });
    QObject::connect(d, &QDialog::finished, d, [this](int r) {
        if (r == QDialog::Accepted && m_dialog)
            for (const QString& f : m_dialog->selectedFiles())
                m_paths.push_back(f.toStdString());
        EndDialog(r == QDialog::Accepted ? IDOK : IDCANCEL);
    });
    m_nModalResult = -1;
    m_ended = false;
    return TRUE;
}

int CFileDialog::DoModal()
{
    m_paths.clear();
    m_current.clear();
    if (auto answer = platform::TestHook::Get().NextFileDialogAnswer()) {
        m_paths = *answer;
        if (m_paths.empty())
            return IDCANCEL;
        platform::SetWorkingFolder(Folder(m_paths.front()));
        return IDOK;
    }
    if (!CreateDialogWindow(m_pParentWnd))
        return -1;
    OnInitDialog();
    int result = RunModalLoop();
    m_dialog = nullptr;
    if (result == IDOK && !m_paths.empty())
        platform::SetWorkingFolder(Folder(m_paths.front()));
    return result;
}

std::string CFileDialog::GetPathName() const
{
    if (!m_paths.empty())
        return m_paths.front();
    return m_current;
}

std::string CFileDialog::GetFileName() const
{
    std::string p = GetPathName();
    size_t slash = p.find_last_of('/');
    return slash == std::string::npos ? p : p.substr(slash + 1);
}

std::string CFileDialog::GetFileExt() const
{
    std::string n = GetFileName();
    size_t dot = n.find_last_of('.');
    return dot == std::string::npos ? std::string() : n.substr(dot + 1);
}

std::string CFileDialog::GetFileTitle() const
{
    std::string n = GetFileName();
    size_t dot = n.find_last_of('.');
    return dot == std::string::npos ? n : n.substr(0, dot);
}

std::string CFileDialog::GetFolderPath() const
{
    return Folder(GetPathName());
}

void CFileDialog::SetControlText(UINT nID, const std::string& text)
{
    if (nID == IDOK && m_dialog)
        m_dialog->setLabelText(QFileDialog::Accept, QString::fromStdString(text));
    else
        SetDlgItemText(nID, text);
}

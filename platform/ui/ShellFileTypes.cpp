// The desktop entry, MIME type and icon of a program's data files (see
// ShellFileTypes.h).
#include "platform/ui/ShellFileTypes.h"

#include <QBuffer>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace platform {

namespace {

namespace fs = std::filesystem;

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

// An argument of a desktop entry's Exec line, quoted as that format asks.
std::string QuotedArgument(const std::string& path)
{
    std::string out = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

// Text for an XML attribute or element.
std::string XmlText(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Writes the bytes unless the file holds them already. changed tells
// whether it wrote.
bool WriteIfDifferent(const fs::path& path, const std::string& bytes, bool& changed)
{
    changed = false;
    {
        std::ifstream in(path, std::ios::binary);
        if (in && std::string(std::istreambuf_iterator<char>(in), {}) == bytes)
            return true;
    }
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    changed = true;
    return static_cast<bool>(out.flush());
}

std::string DesktopEntry(const ShellFileType& type, const ShellProgram& program, const std::string& id,
                         const std::string& mime)
{
    return "[Desktop Entry]\nType=Application\nName=" + program.name + "\nComment=" + type.description +
           "\nExec=" + QuotedArgument(program.executable) + " %f\nIcon=" + id + "\nMimeType=" + mime +
           ";\nTerminal=false\nCategories=Science;Engineering;\n";
}

std::string MimePackage(const ShellFileType& type, const std::string& id, const std::string& mime)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"" +
           mime + "\">\n    <comment>" + XmlText(type.description) + "</comment>\n    <icon name=\"" + id +
           "\"/>\n    <glob pattern=\"*." + XmlText(Lower(type.extension)) + "\"/>\n  </mime-type>\n</mime-info>\n";
}

std::string PngBytes(const QImage& icon)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    icon.scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation).save(&buffer, "PNG");
    return bytes.toStdString();
}

// Brings the desktop's caches up to date with a changed folder, where the
// tool for it is installed; nothing waits for it.
void RefreshCache(const char* tool, const fs::path& folder)
{
    if (!QStandardPaths::findExecutable(tool).isEmpty())
        QProcess::startDetached(tool, {QString::fromStdString(folder.string())});
}

} // namespace

std::string UserDataFolder()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && *data)
        return data;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : ".") + "/.local/share";
}

bool RegisterShellFileType(const ShellFileType& type, const ShellProgram& program, const QImage& icon)
{
    if (type.extension.empty() || program.name.empty())
        return true;
    const fs::path data = UserDataFolder();
    const std::string id = Lower(program.name);
    const std::string mime = "application/x-" + id;
    bool ok = true, changed = false;
    ok &= WriteIfDifferent(data / "mime" / "packages" / (id + ".xml"), MimePackage(type, id, mime), changed);
    if (ok && changed)
        RefreshCache("update-mime-database", data / "mime");
    ok &= WriteIfDifferent(data / "applications" / (id + ".desktop"), DesktopEntry(type, program, id, mime),
                           changed);
    if (ok && changed)
        RefreshCache("update-desktop-database", data / "applications");
    if (!icon.isNull())
        ok &= WriteIfDifferent(data / "icons" / "hicolor" / "48x48" / "apps" / (id + ".png"), PngBytes(icon),
                               changed);
    return ok;
}

} // namespace platform

// CInstallActions: text files in UTF-16LE, UTF-8 or the ANSI code page, and the
// crude tag lookups in XML-like text.
#include "Setup/actions/InstallActions.h"

#include <cstdio>
#include <exception>
#include <io.h>
#include <share.h>

namespace {

enum class Encoding { Ansi, Utf8, Utf16 };

// Far above any licence or device description: a larger file is not one of them, and
// reading it could take the memory of the whole process.
const __int64 kMaxTextFileBytes = 16 * 1024 * 1024;

void AllocateBytes(std::vector<char>& bytes, size_t size)
{
    bytes.assign(size, 0);
}

CInstallActions::TextFileBuffer g_allocateBytes = AllocateBytes;

// Holds a C runtime file and closes it when it ends.
class File
{
public:
    File(const CString& path, const wchar_t* mode) : m_file(_wfopen(path, mode)) {}
    File(const CString& path, const wchar_t* mode, int share) : m_file(_wfsopen(path, mode, share)) {}
    ~File() { if (m_file) fclose(m_file); }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    FILE* get() const { return m_file; }
    explicit operator bool() const { return m_file != nullptr; }
    // Writes out what is buffered and closes; false when that or an earlier write
    // failed (a full disk shows here first).
    bool Close()
    {
        FILE* file = m_file;
        m_file = nullptr;
        bool written = fflush(file) == 0 && !ferror(file);
        return fclose(file) == 0 && written;
    }

private:
    FILE* m_file;
};

// The encoding by the file's first two bytes; a missing or short file counts as ANSI.
Encoding ProbeEncoding(const CString& path, bool& opened)
{
    File file(path, L"rb");
    opened = static_cast<bool>(file);
    unsigned char mark[2] = {};
    if (!file || fread(mark, 1, 2, file.get()) != 2)
        return Encoding::Ansi;
    if (mark[0] == 0xFF && mark[1] == 0xFE)
        return Encoding::Utf16;
    if (mark[0] == 0xEF && mark[1] == 0xBB)
        return Encoding::Utf8;
    return Encoding::Ansi;
}

bool ReadWholeFile(const CString& path, std::vector<char>& bytes)
{
    File file(path, L"rb");
    if (!file)
        return false;
    __int64 length = _filelengthi64(_fileno(file.get()));
    if (length < 0)
        return false;
    if (length > kMaxTextFileBytes) {
        CInstallActions::TraceFormat(L"Setup: %s is too large for a text file", path.GetString());
        return false;
    }
    g_allocateBytes(bytes, static_cast<size_t>(length));
    bytes.resize(fread(bytes.data(), 1, bytes.size(), file.get()));
    return true;
}

bool WriteBytes(FILE* file, const void* bytes, size_t length)
{
    return length == 0 || fwrite(bytes, 1, length, file) == length;
}

std::vector<char> Narrow(UINT codePage, const CString& text, int length)
{
    std::vector<char> bytes;
    int size = WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size > 0) {
        bytes.resize(size);
        WideCharToMultiByte(codePage, 0, text, length, bytes.data(), size, nullptr, nullptr);
    }
    return bytes;
}

// The file's text by its encoding; throws when memory runs out.
bool ReadText(const CString& path, CString& text)
{
    bool opened = false;
    Encoding encoding = ProbeEncoding(path, opened);
    std::vector<char> bytes;
    if (!opened || !ReadWholeFile(path, bytes))
        return false;
    if (encoding == Encoding::Utf16) {
        const wchar_t* chars = reinterpret_cast<const wchar_t*>(bytes.data());
        text = CString(chars, static_cast<int>(wcsnlen(chars, bytes.size() / 2)));
        text.Remove(L'\xFEFF');
        return true;
    }
    // The conversion stops at the first zero byte; a UTF-8 mark stays as U+FEFF.
    bytes.push_back(0);
    UINT codePage = encoding == Encoding::Utf8 ? CP_UTF8 : CP_ACP;
    DWORD flags = encoding == Encoding::Utf8 ? 0 : MB_PRECOMPOSED;
    int length = MultiByteToWideChar(codePage, flags, bytes.data(), -1, nullptr, 0);
    if (length > 1) {
        MultiByteToWideChar(codePage, flags, bytes.data(), -1, text.GetBuffer(length), length);
        text.ReleaseBuffer(length - 1);
    }
    return true;
}

}  // namespace

void CInstallActions::SetTextFileBufferForTest(TextFileBuffer allocate)
{
    g_allocateBytes = allocate ? allocate : AllocateBytes;
}

bool CInstallActions::ReadTextFile(const CString& path, CString& text)
{
    text.Empty();
    try {
        return ReadText(path, text);
    } catch (const std::exception&) {
        // No memory for the bytes or the text: as if the file could not be read.
        TraceFormat(L"Setup: no memory to read %s", path.GetString());
        text.Empty();
        return false;
    }
}

bool CInstallActions::WriteTextFile(const CString& path, const CString& text, bool append)
{
    bool existed = false;
    Encoding encoding = ProbeEncoding(path, existed);
    File file(path, append && existed ? L"rb+" : L"wb", _SH_DENYRW);
    if (!file)
        return false;
    FILE* out = file.get();
    if (append) {
        // A UTF-8 file ends in the zero byte that the last write put there: write over it,
        // or the appended text would stand after the end that readers see.
        bool zeroAtEnd = encoding == Encoding::Utf8 && fseek(out, -1, SEEK_END) == 0 && fgetc(out) == 0;
        fseek(out, zeroAtEnd ? -1 : 0, SEEK_END);
    }
    bool written = false;
    switch (encoding) {
    case Encoding::Utf8: {
        std::vector<char> bytes = Narrow(CP_UTF8, text, text.GetLength() + 1);
        written = WriteBytes(out, bytes.data(), bytes.size());
        break;
    }
    case Encoding::Ansi: {
        std::vector<char> bytes = Narrow(CP_ACP, text, text.GetLength());
        written = WriteBytes(out, bytes.data(), bytes.size());
        break;
    }
    case Encoding::Utf16: {
        CString marked(text);
        marked.Insert(0, L'\xFEFF');
        written = WriteBytes(out, marked.GetString(), marked.GetLength() * sizeof(wchar_t));
        break;
    }
    }
    return file.Close() && written;
}

int CInstallActions::GetXmlTagValue(const CString& text, const CString& tag, CString& value)
{
    CString open, close;
    if (tag.Left(1) == L"<" || tag.Right(1) == L">") {
        open = tag;
        close = tag;
        close.Insert(1, L'/');
    } else {
        open.Format(L"<%s>", tag.GetString());
        close.Format(L"</%s>", tag.GetString());
    }
    value.Empty();
    int openAt = text.Find(open);
    if (openAt < 0)
        return 0;
    int closeAt = text.Find(close, openAt);
    int valueAt = openAt + open.GetLength();
    if (closeAt < valueAt)
        return 0;
    value = text.Mid(valueAt, closeAt - valueAt);
    return valueAt;
}

bool CInstallActions::GetXmlElementValue(const CString& text, const CString& parent, const CString& tag,
                                         CString& value)
{
    value.Empty();
    CString element(parent);
    int start = 0;
    if (!tag.IsEmpty()) {
        int parentAt = text.Find(parent);
        if (parentAt < 0)
            return false;
        // The child may follow its parent's tag at once: search from the end of the name.
        start = parentAt + parent.GetLength();
        element = tag;
    }
    CString open = L"<" + element + L">";
    int openAt = text.Find(open, start);
    if (openAt < 0)
        return false;
    int valueAt = openAt + open.GetLength();
    int closeAt = text.Find(L"</" + element + L">", valueAt);
    if (closeAt < 0)
        return false;
    value = text.Mid(valueAt, closeAt - valueAt);
    return true;
}

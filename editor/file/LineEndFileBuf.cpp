// A file stream buffer that stores line feeds as CR LF.
#include "editor/file/LineEndFileBuf.h"

namespace app {

LineEndFileBuf_t::~LineEndFileBuf_t()
{
    close();
}

LineEndFileBuf_t* LineEndFileBuf_t::open(const std::string& path, std::ios::openmode mode)
{
    const bool writing = (mode & std::ios::out) != 0;
    if (!file.Open(path, writing ? DiskFile_t::ToWrite : DiskFile_t::ToRead))
        return nullptr;
    heldCr = false;
    if (writing)
        setp(buffer.data(), buffer.data() + bufferSize);
    else
        setg(buffer.data(), buffer.data(), buffer.data());
    return this;
}

LineEndFileBuf_t* LineEndFileBuf_t::close()
{
    if (!file.IsOpen())
        return nullptr;
    const bool written = WriteBuffered();
    setg(nullptr, nullptr, nullptr);
    setp(nullptr, nullptr);
    return file.Close() && written ? this : nullptr;
}

// Refills the buffer from the file. Its first byte keeps the last byte read, so
// that one character can always be put back. A failed read ends the input.
LineEndFileBuf_t::int_type LineEndFileBuf_t::underflow()
{
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    if (!file.IsOpen() || pptr())
        return traits_type::eof();
    const std::size_t kept = gptr() > eback() ? 1 : 0;
    if (kept)
        buffer[0] = gptr()[-1];
    char* const begin = buffer.data() + kept;
    char* end = begin;
    while (end == begin) {
        const std::size_t held = heldCr ? 1 : 0;
        begin[0] = '\r';   // the held CR, when there is one, comes first
        std::size_t read = 0;
        file.Read(begin + held, bufferSize - kept - held, read);
        const std::size_t count = held + read;
        if (count == 0)
            break;
        heldCr = read > 0 && begin[count - 1] == '\r';
        for (std::size_t i = 0; i < count - (heldCr ? 1 : 0); ++i) {
            const bool pair = begin[i] == '\r' && i + 1 < count && begin[i + 1] == '\n';
            *end++ = pair ? '\n' : begin[i];
            i += pair ? 1 : 0;
        }
    }
    setg(buffer.data(), begin, end);
    return begin < end ? traits_type::to_int_type(*begin) : traits_type::eof();
}

LineEndFileBuf_t::int_type LineEndFileBuf_t::overflow(int_type c)
{
    if (!pptr() || !WriteBuffered())
        return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

int LineEndFileBuf_t::sync()
{
    return WriteBuffered() ? 0 : -1;
}

// Writes the put area to the file, each line feed as CR LF, and empties it.
bool LineEndFileBuf_t::WriteBuffered()
{
    if (!pptr())
        return true;
    onDisk.clear();
    for (const char* next = pbase(); next < pptr(); ++next) {
        if (*next == '\n')
            onDisk.push_back('\r');
        onDisk.push_back(*next);
    }
    setp(buffer.data(), buffer.data() + bufferSize);
    return onDisk.empty() || file.Write(onDisk.data(), onDisk.size());
}

} // namespace app

// A file stream buffer that stores line feeds as CR LF.
#include "editor/file/LineEndFileBuf.h"

#include <cstring>

namespace app {

LineEndFileBuf_t::~LineEndFileBuf_t()
{
    close();
}

LineEndFileBuf_t* LineEndFileBuf_t::open(const std::string& path, std::ios::openmode mode)
{
    if (file.is_open() || !file.open(path, mode | std::ios::binary))
        return nullptr;
    if (mode & std::ios::out)
        setp(buffer.data(), buffer.data() + bufferSize);
    else
        setg(buffer.data(), buffer.data(), buffer.data());
    return this;
}

LineEndFileBuf_t* LineEndFileBuf_t::close()
{
    if (!file.is_open())
        return nullptr;
    const bool written = WriteBuffered();
    setg(nullptr, nullptr, nullptr);
    setp(nullptr, nullptr);
    return file.close() && written ? this : nullptr;
}

// Refills the buffer from the file. Its first byte keeps the last byte read, so
// that one character can always be put back.
LineEndFileBuf_t::int_type LineEndFileBuf_t::underflow()
{
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    if (!file.is_open() || pptr())
        return traits_type::eof();
    const std::size_t kept = gptr() > eback() ? 1 : 0;
    if (kept)
        buffer[0] = gptr()[-1];
    char* const begin = buffer.data() + kept;
    const std::streamsize read = file.sgetn(begin, bufferSize - kept);
    char* end = begin;
    for (std::streamsize i = 0; i < read; ++i) {
        if (begin[i] == '\r') {
            const bool pairInBuffer = i + 1 < read && begin[i + 1] == '\n';
            const bool pairAcrossRefill =
                i + 1 == read && file.sgetc() == traits_type::to_int_type('\n');
            if (pairInBuffer)
                ++i;
            else if (pairAcrossRefill)
                file.sbumpc();
            *end++ = pairInBuffer || pairAcrossRefill ? '\n' : '\r';
        } else {
            *end++ = begin[i];
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
    if (!pptr())
        return 0;
    return WriteBuffered() && file.pubsync() == 0 ? 0 : -1;
}

// Writes the put area to the file, each line feed as CR LF, and empties it.
bool LineEndFileBuf_t::WriteBuffered()
{
    if (!pptr())
        return true;
    bool written = true;
    const char* from = pbase();
    while (from < pptr()) {
        const char* lineFeed = static_cast<const char*>(std::memchr(from, '\n', pptr() - from));
        const char* to = lineFeed ? lineFeed : pptr();
        written = written && file.sputn(from, to - from) == to - from;
        if (lineFeed)
            written = written && file.sputn("\r\n", 2) == 2;
        from = lineFeed ? lineFeed + 1 : to;
    }
    setp(buffer.data(), buffer.data() + bufferSize);
    return written;
}

} // namespace app
